// The audio path: input ring, framing, the stereo transform with its split
// and merge, overlap-add and the dry path. Runs on the audio thread only.
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
    const float* inL = inputs[0];
    const float* inR = inputs[1];
    float* outL = outputs[0];
    float* outR = outputs[1];
    for (int32_t i = 0; i < sampleFrames; ++i) {
        // Both inputs are read before either output is written: the host may
        // pass the same memory for both.
        const double left = inL[i];
        const double right = inR[i];
        ringBuffer[ringWrite] = {static_cast<float>(left + kAntiDenormal),
                                 static_cast<float>(right + kAntiDenormal)};
        const int32_t b = framePos - hopStart;
        inputFrame[framePos] = ringBuffer[ringRead];
        const ComplexF processed = outputHop[b];
        const ComplexF delayed = dryFrame[b];
        if (replacing) {
            outL[i] = static_cast<float>(processed.re * wet + delayed.re * dry - kAntiDenormal);
            outR[i] = static_cast<float>(processed.im * wet + delayed.im * dry - kAntiDenormal);
        } else {
            outL[i] = static_cast<float>((processed.re * wet + outL[i]) + delayed.re * dry -
                                         kAntiDenormal);
            outR[i] = static_cast<float>((processed.im * wet + outR[i]) + delayed.im * dry -
                                         kAntiDenormal);
        }
        if (++framePos == frameSize) {
            framePos = hopStart;
            frameStep();
        }
        ringWrite = (ringWrite + 1) & kRingMask;
        ringRead = (ringRead + 1) & kRingMask;
    }
}

void APlugin::frameStep() {
    const auto n = static_cast<uint32_t>(frameSize);
    const auto hop = static_cast<uint32_t>(hopSize);
    if (bandMasksStale.exchange(false, std::memory_order_acquire)) rebuildBandMasks();

    // Only the first quarter of the dry copy is ever read.
    dequv(dryFrame, inputFrame, hop);
    cfmulReV(transformIn, inputFrame, window, n);
    cfpFFT(transformOut, transformIn, n, +1);
    splitStereoSpectrum();
    if (!bypassOn.load(std::memory_order_relaxed)) separateSpectra();
    publishMagnitudes();
    mergeStereoSpectrum();
    cfpFFT(transformOut, transformIn, n, -1);
    cfmulReV(transformOut, transformOut, window, n);
    cfsvaddV(overlapBuffer, n, 1, transformOut);
    dequv(outputHop, overlapBuffer, hop);
    // Entries N .. N + N/4 - 1 stay zero, so the last quarter becomes zero.
    dequv(overlapBuffer, overlapBuffer + hop, n);
    dequv(inputFrame, inputFrame + hop, n - hop);
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
    for (int32_t i = 1; i <= halfSize; ++i) {
        const int32_t a = n - i;
        const double zaRe = z[a].re, ziRe = z[i].re, zaIm = z[a].im, ziIm = z[i].im;
        left[i].re = static_cast<float>((zaRe + ziRe) * 0.5);
        right[i].im = static_cast<float>((ziRe - zaRe) * 0.5);
        right[i].re = static_cast<float>((zaIm + ziIm) * 0.5);
        left[i].im = static_cast<float>((ziIm - zaIm) * -0.5);
    }
    left[0] = {z[0].re, 0.0f};
    right[0] = {z[0].im, 0.0f};
}

// The inverse of the split: packs the two half spectra back into one full
// spectrum whose inverse transform is left + i right.
void APlugin::mergeStereoSpectrum() {
    ComplexF* s = transformIn;
    const ComplexF* left = spectrumL;
    const ComplexF* right = spectrumR;
    const int32_t n = frameSize;
    for (int32_t i = 1; i <= halfSize; ++i) {
        const int32_t a = n - i;
        const double lRe = left[i].re, lIm = left[i].im, rRe = right[i].re, rIm = right[i].im;
        s[a] = {static_cast<float>(lRe - rIm), static_cast<float>(rRe + lIm)};
        s[i] = {static_cast<float>(lRe + rIm), static_cast<float>(rRe - lIm)};
    }
    const double lRe = left[0].re, lIm = left[0].im, rRe = right[0].re, rIm = right[0].im;
    s[0] = {static_cast<float>(lRe + rIm), static_cast<float>(rRe - lIm)};
}

void APlugin::publishMagnitudes() {
    const auto bins = static_cast<uint32_t>(binCount);
    cfabs(magnitudeL, spectrumL, bins);
    cfabs(magnitudeR, spectrumR, bins);
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
