// The audio path: input ring, framing, the stereo transform with its split
// and merge, overlap-add and the dry path. Runs on the audio thread only.
#include <algorithm>
#include <cstring>

#include "dsp/VCFmath.h"
#include "dsp/VCFstd.h"
#include "plugin/uPlugin.h"

namespace {

// Keeps silence away from denormal numbers: added to every input sample and
// taken off every output sample.
constexpr double kAntiDenormal = 1e-20;

bool usable(float** channels) { return channels && channels[0] && channels[1]; }

}  // namespace

bool APlugin::takePendingReset() {
    // exchange, so that a request made while the reset runs is not lost.
    if (!resetPending.exchange(false, std::memory_order_acquire)) return false;
    resetEngine();
    return true;
}

void APlugin::process(float** inputs, float** outputs, int32_t sampleFrames) {
    if (!allocated) return;
    if (takePendingReset()) return;  // adds nothing
    processBlock(inputs, outputs, false, sampleFrames);
}

void APlugin::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    if (!allocated) return;
    if (takePendingReset()) {
        // The block of a reset carries no output: silence rather than
        // whatever the host's buffers held before.
        if (usable(outputs) && sampleFrames > 0)
            for (int c = 0; c < 2; ++c)
                std::memset(outputs[c], 0, static_cast<size_t>(sampleFrames) * sizeof(float));
        return;
    }
    processBlock(inputs, outputs, true, sampleFrames);
}

void APlugin::processBlock(float** inputs, float** outputs, bool replacing, int32_t sampleFrames) {
    const float wetHumidity = humidity.load(std::memory_order_relaxed);
    wetGain = wetHumidity * overlapGain;
    dryGain = 1.0f - wetHumidity;
    if (framePos == 0) framePos = hopStart;
    if (sampleFrames < 1 || !usable(inputs) || !usable(outputs)) return;
    const double wet = wetGain;
    const double dry = dryGain;
    int32_t done = 0;
    while (done < sampleFrames) {
        // A run of samples with no frame step and no ring wrap inside it, so
        // that every loop below walks contiguous memory.
        int32_t run = sampleFrames - done;
        run = std::min(run, frameSize - framePos);
        run = std::min(run, kRingSize - ringWrite);
        run = std::min(run, kRingSize - ringRead);
        const float* inL = inputs[0] + done;
        const float* inR = inputs[1] + done;
        float* outL = outputs[0] + done;
        float* outR = outputs[1] + done;

        // All of the run's input is read before any of its output is
        // written: the host may pass the same memory for both.
        ComplexF* ring = ringBuffer + ringWrite;
        for (int32_t i = 0; i < run; ++i)
            ring[i] = {static_cast<float>(inL[i] + kAntiDenormal),
                       static_cast<float>(inR[i] + kAntiDenormal)};
        // With N = 8192 ringRead equals ringWrite: what was just written is read back.
        std::memcpy(inputFrame + ((frameStart + framePos) & (frameSize - 1)), ringBuffer + ringRead,
                    static_cast<size_t>(run) * sizeof(ComplexF));

        const int32_t b = framePos - hopStart;
        const ComplexF* processed = outputHop + b;
        const ComplexF* delayed = dryFrame + b;
        if (replacing) {
            for (int32_t i = 0; i < run; ++i) {
                outL[i] = static_cast<float>(processed[i].re * wet + delayed[i].re * dry -
                                             kAntiDenormal);
                outR[i] = static_cast<float>(processed[i].im * wet + delayed[i].im * dry -
                                             kAntiDenormal);
            }
        } else {
            for (int32_t i = 0; i < run; ++i) {
                outL[i] = static_cast<float>((processed[i].re * wet + outL[i]) +
                                             delayed[i].re * dry - kAntiDenormal);
                outR[i] = static_cast<float>((processed[i].im * wet + outR[i]) +
                                             delayed[i].im * dry - kAntiDenormal);
            }
        }

        done += run;
        framePos += run;
        ringWrite = (ringWrite + run) & kRingMask;
        ringRead = (ringRead + run) & kRingMask;
        if (framePos == frameSize) {
            framePos = hopStart;
            frameStep();
        }
    }
}

void APlugin::frameStep() {
    const auto n = static_cast<uint32_t>(frameSize);
    const auto hop = static_cast<uint32_t>(hopSize);
    if (bandMasksStale.exchange(false, std::memory_order_acquire)) rebuildBandMasks();

    // The frame and the overlap-add accumulator are rings that turn by a hop
    // per frame instead of being shifted: frame position j lives at
    // (frameStart + j) mod N, accumulator position j at (overlapStart + j) mod N.
    // A turn is a multiple of the hop, so every hop-long stretch is contiguous.
    const auto start = static_cast<uint32_t>(frameStart);
    // Only the first quarter of the dry copy is ever read.
    dequv(dryFrame, inputFrame + start, hop);
    cfmulReV(transformIn, inputFrame + start, window, n - start);
    if (start > 0) cfmulReV(transformIn + (n - start), inputFrame, window + (n - start), start);
    cfpFFT(transformOut, transformIn, n, +1);
    splitStereoSpectrum();
    if (!bypassOn.load(std::memory_order_relaxed)) separateSpectra();
    publishMagnitudes();
    mergeStereoSpectrum();
    cfpFFT(transformOut, transformIn, n, -1);
    cfmulReV(transformOut, transformOut, window, n);

    const auto origin = static_cast<uint32_t>(overlapStart);
    cfsvaddV(overlapBuffer + origin, n - origin, 1, transformOut);
    if (origin > 0) cfsvaddV(overlapBuffer, origin, 1, transformOut + (n - origin));
    dequv(outputHop, overlapBuffer + origin, hop);
    // What leaves at the front comes back empty at the end.
    dequ0(overlapBuffer + origin, hop);
    overlapStart = static_cast<int32_t>((origin + hop) & (n - 1));
    frameStart = static_cast<int32_t>((start + hop) & (n - 1));
}

// The stereo frame went in as left + i right. With X the transform of the
// packed frame, the left spectrum is the conjugate-symmetric part and the
// right one the conjugate-antisymmetric part divided by i:
//   L[k] = (X[k] + conj X[N-k]) / 2,  R[k] = (X[k] - conj X[N-k]) / 2i.
// The toolkit's forward kernel is e^(+2 pi i k n / N); taking the conjugate
// here gives both half spectra under the usual kernel e^(-2 pi i k n / N).
void APlugin::splitStereoSpectrum() {
    const ComplexF* z = transformOut;
    ComplexF* left = spectrumL;
    ComplexF* right = spectrumR;
    const int32_t n = frameSize;
    // A sum or difference of two floats halved is the same rounded in single
    // precision as in double: the halving is exact.
    for (int32_t i = 1; i <= halfSize; ++i) {
        const ComplexF zi = z[i], za = z[n - i];
        left[i] = {(za.re + zi.re) * 0.5f, (zi.im - za.im) * -0.5f};
        right[i] = {(za.im + zi.im) * 0.5f, (zi.re - za.re) * 0.5f};
    }
    left[0] = {z[0].re, 0.0f};
    right[0] = {z[0].im, 0.0f};
}

// The inverse of the split: packs the two half spectra back into one full
// spectrum whose inverse transform is left + i right. At i = N/2 both writes
// go to the same entry and the second one stays.
void APlugin::mergeStereoSpectrum() {
    ComplexF* s = transformIn;
    const ComplexF* left = spectrumL;
    const ComplexF* right = spectrumR;
    const int32_t n = frameSize;
    for (int32_t i = 1; i <= halfSize; ++i) {
        const ComplexF l = left[i], r = right[i];
        s[n - i] = {l.re - r.im, r.re + l.im};
        s[i] = {l.re + r.im, r.re - l.im};
    }
    s[0] = {left[0].re + right[0].im, right[0].re - left[0].im};
}

void APlugin::publishMagnitudes() {
    const auto bins = static_cast<uint32_t>(binCount);
    cfabs(magnitudeL, spectrumL, bins);
    cfabs(magnitudeR, spectrumR, bins);
    handOverMagnitudes();
}

// The frame just written becomes the newest for the editor; the next one is
// written into another slot.
void APlugin::handOverMagnitudes() {
    magnitudeSlots[magnitudeExchange.writeSlot()].bins = binCount;
    magnitudeExchange.publish();
    const MagnitudeSlot& next = magnitudeSlots[magnitudeExchange.writeSlot()];
    magnitudeL = next.left;
    magnitudeR = next.right;
}

int32_t APlugin::copyMagnitudes(float* left, float* right, int32_t capacity) {
    if (!allocated) return 0;
    const MagnitudeSlot& slot = magnitudeSlots[magnitudeExchange.readSlot()];
    const int32_t bins = slot.bins > 0 ? slot.bins : publishedHalfSize.load() + 1;
    const int32_t count = bins < capacity ? bins : capacity;
    if (count > 0) {
        if (left) std::memcpy(left, slot.left, static_cast<size_t>(count) * sizeof(float));
        if (right) std::memcpy(right, slot.right, static_cast<size_t>(count) * sizeof(float));
    }
    return bins;
}
