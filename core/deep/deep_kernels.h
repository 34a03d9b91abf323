// Zindra Deep's loops over samples and bins, each a plain loop the compiler
// turns into vector code. Built three times, as the frame kernels are
// (core/frame_kernels.h): for SSE2, AVX2 and AVX-512; deepKernels() picks
// one set once per process. Every build rounds exactly alike: no loop sums
// across lanes, and the builds use -ffp-contract=off.
#pragma once

#include <cstdint>

#include "dsp/VecLib.h"
#include "dsp/VectorCode.h"

namespace deep {

// What one frame's separation reads of the controls.
struct FrameSettings {
    float learn;        // how far the means move towards this frame
    float widthQ2;      // tan^2 of the width's pan
    float diffuseRho2;  // the square of the rho of a source at the width's pan
    float tailDecay;    // the echo's fall per frame
    float tailLevel;    // the echo's start, as a share of the power taken
    float lowBin, highBin;
    float take;        // how much of the removal applies: depth x mix
    float keepsInput;  // 1: remove, out = in - take (in - side); 0: isolate, out = in - take side
    float samples;     // about how many independent values the means hold
};

// The work vectors of one frame's separation, bin by bin. The input side
// (cross, diffPower, leftPower) holds one bin beyond each end: index 0 is bin -1.
struct BinVectors {
    float* leftRe;  // L, then the left output
    float* leftIm;
    float* diffRe;  // D = L - R, then the right output
    float* diffIm;
    float* crossRe;  // L conj D
    float* crossIm;
    float* diffPower;  // |D|^2
    float* leftPower;  // |L|^2
    // The signal state: the means that describe the side, the centre's echo.
    float* meanRe;
    float* meanIm;
    float* meanDiff;
    float* meanLeft;
    float* echo;
    // For the display: the power of each bin and the power taken from it.
    float* inputPower;
    float* removedPower;
};

struct DeepKernels {
    // Host samples into the frame; what is not finite, or smaller than
    // 2^-100, counts as silence; the rest is held inside +-2^50.
    void (*enterSamples)(ComplexF* frame, const float* left, const float* right, uint32_t count);
    // The hop leaving the accumulator into the host's buffers, replacing
    // what they hold or added to it.
    void (*leaveSamples)(float* left, float* right, const ComplexF* leaving, uint32_t count,
                         bool replacing);
    // spectrum = frame x window.
    void (*windowFrame)(ComplexF* spectrum, const ComplexF* frame, const float* window,
                        uint32_t count);
    // accumulator += spectrum x window x gain.
    void (*accumulate)(ComplexF* accumulator, const ComplexF* spectrum, const float* window,
                       float gain, uint32_t count);
    // The two channels' spectra from one transform of size n (left in re,
    // right in im of its input): L, D, L conj D and |D|^2 of bins 0 .. n/2.
    // scratch: n/2 + 1 values of work space.
    void (*split)(const ComplexF* spectrum, uint32_t n, ComplexF* scratch, const BinVectors& v);
    // The separation of bins [0, count).
    void (*separate)(const FrameSettings& s, uint32_t count, const BinVectors& v);
    // The outputs back into one spectrum: Z[k] = L + iR, Z[n-k] = conj L + i conj R.
    void (*merge)(ComplexF* spectrum, uint32_t n, ComplexF* scratch, const BinVectors& v);
};

const DeepKernels& deepKernels();
// The set for a processor's vector code, or null when that code cannot run here.
const DeepKernels* deepKernelsOf(VectorCode code);
// Each build's set (the wider ones only in builds with wide vectors).
const DeepKernels& deepKernelsBaseline();
const DeepKernels& deepKernelsAvx2();
const DeepKernels& deepKernelsAvx512();

}  // namespace deep
