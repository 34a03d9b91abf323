// The frame step's passes over samples and spectra, each a plain loop the
// compiler turns into vector code. They are built three times: for the
// processor every build may assume (SSE2), for AVX2 and for AVX-512;
// frameKernels() picks one set once per process, as dsp/VectorCode.h says.
//
// The spectral pass works through the bins in blocks small enough for the
// first-level cache; inside a block the half spectra are kept as planes (all
// real parts, then all imaginary parts), so that every per-bin loop reads
// and writes contiguous floats.
#pragma once

#include <cstdint>

#include "dsp/VecLib.h"
#include "dsp/VectorCode.h"

// What the band stage does to the bins of the band.
struct BandStageOptions {
    bool stereolize;  // the side signals take each channel's own direction
    bool isolate;     // keep the band (less the side signal with zindracate)
    bool zindracate;
    ComplexF mix;  // without isolate: mix x side + offset
    ComplexF offset;
};

// The centre-angle selection: a bin is inside when lo <= atan2(|R|, |L|) <= hi.
// The products tell most bins apart without the angle: a bin is surely
// inside when |R| loInCos >= |L| loInSin and |R| hiInCos <= |L| hiInSin (the
// cosines and sines of lo + 1e-5 and hi - 1e-5), surely outside when
// |R| loOutCos < |L| loOutSin or |R| hiOutCos > |L| hiOutSin (lo - 1e-5,
// hi + 1e-5). makeAngleRange fills them.
struct AngleRange {
    float lo, hi;
    bool keepInside;  // keep the bins inside, else those outside
    float loInCos, loInSin, hiInCos, hiInSin;
    float loOutCos, loOutSin, hiOutCos, hiOutSin;
};
AngleRange makeAngleRange(float lo, float hi, bool keepInside);

// One frame's separation, as the switches set it.
struct FrameSeparation {
    bool bypass;       // only the magnitudes
    bool spreadilate;  // the centre-angle selection over every bin
    AngleRange angles;
    bool bandStage;  // the band stage (not Pass Thru)
    uint32_t bandFirst, bandEnd;
    BandStageOptions band;
};

struct FrameKernels {
    // Host samples into the input ring: (left + 1e-20, right + 1e-20), each
    // sum in double precision rounded once.
    void (*fillRing)(ComplexF* ring, const float* left, const float* right, uint32_t count);
    // The output of a run: processed x wet (+ what the output held, when
    // accumulating) + delayed x dry - 1e-20, in double precision rounded once.
    void (*mixOutput)(float* left, float* right, const ComplexF* processed, const ComplexF* delayed,
                      uint32_t count, double wet, double dry, bool replacing);
    // Copies samples from the ring into the frame; returns the bit pattern
    // of the largest absolute part copied (infinity and NaN above every
    // finite value).
    uint32_t (*enterFrame)(ComplexF* frame, const ComplexF* ring, uint32_t count);
    // out = (in x window) x factor.
    void (*windowFrame)(ComplexF* out, const ComplexF* in, const float* window, uint32_t count,
                        float factor);
    // magnitude x factor; a finite magnitude that becomes infinite is set to
    // the largest float instead, and the result is true.
    bool (*scaleMagnitudes)(float* magnitude, uint32_t count, float factor);
    // sum += (x x factor) x window.
    void (*accumulateWindowed)(ComplexF* sum, const ComplexF* x, const float* window,
                               uint32_t count, float factor);
    // The spectral pass of a frame: splits the packed spectrum z (2 half
    // points) into the left and right half spectra, separates them, leaves
    // the magnitudes of the results (bins 0..half) for the display, and
    // merges them into s.
    void (*separateFrame)(ComplexF* s, const ComplexF* z, float* magnitudeL, float* magnitudeR,
                          uint32_t half, const FrameSeparation& separation);
};

// The set for this processor; chosen on first use.
const FrameKernels& frameKernels();
// The vector code of that set.
VectorCode frameKernelsCode();

// The set built for one code, for tests that compare them: null where the
// build or the processor lacks it (whatever ZINDRA_VECTOR_CODE says).
const FrameKernels& frameKernelsBaseline();
const FrameKernels* frameKernelsOf(VectorCode code);
