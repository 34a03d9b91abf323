// The frame step's passes over samples and spectra, each a plain loop the
// compiler turns into vector code. They are built twice: for the processor
// every build may assume (SSE2) and, on x86_64 Linux, for AVX2; frameKernels()
// picks one set once per process.
//
// Inside a frame the two half spectra are kept as planes (all real parts,
// then all imaginary parts), so that every per-bin pass reads and writes
// contiguous floats.
#pragma once

#include <cstdint>

#include "dsp/VecLib.h"

struct SpectrumPlanes {
    float* re;
    float* im;
};

// What the band stage does to the bins of the band.
struct BandStageOptions {
    bool stereolize;  // the side signals take each channel's own direction
    bool isolate;     // keep the band (less the side signal with zindracate)
    bool zindracate;
    // The magnitude vectors already hold |L| and |R| of the band's bins as
    // they enter.
    bool magnitudesKnown;
    ComplexF mix;     // without isolate: mix x side + offset
    ComplexF offset;
};

struct FrameKernels {
    // Host samples into the input ring: (left + 1e-20, right + 1e-20), each
    // sum in double precision rounded once.
    void (*fillRing)(ComplexF* ring, const float* left, const float* right, uint32_t count);
    // The output of a run: processed x wet (+ what the output held, when
    // accumulating) + delayed x dry - 1e-20, in double precision rounded once.
    void (*mixOutput)(float* left, float* right, const ComplexF* processed,
                      const ComplexF* delayed, uint32_t count, double wet, double dry,
                      bool replacing);
    // out = in x window; returns the bit pattern of the largest absolute part
    // written (infinity and NaN above every finite value).
    uint32_t (*windowFrame)(ComplexF* out, const ComplexF* in, const float* window,
                            uint32_t count);
    // Both parts times factor.
    void (*scaleComplex)(ComplexF* x, uint32_t count, float factor);
    // sum += (x x factor) x window.
    void (*accumulateWindowed)(ComplexF* sum, const ComplexF* x, const float* window,
                               uint32_t count, float factor);
    // The packed spectrum z of n = 2 half points into the left and right half
    // spectra, bins 0..half. mirror is scratch of half + 1 elements.
    void (*split)(SpectrumPlanes left, SpectrumPlanes right, const ComplexF* z,
                  ComplexF* mirror, uint32_t half);
    // The inverse of split, into s (2 half points).
    void (*merge)(ComplexF* s, SpectrumPlanes left, SpectrumPlanes right, ComplexF* mirror,
                  uint32_t half);
    // magnitude[k] = |x[k]| for first <= k < end.
    void (*magnitudes)(float* magnitude, SpectrumPlanes x, uint32_t first, uint32_t end);
    // Bins 0..count-1: keeps those whose angle atan2(|R|, |L|) lies in
    // [lo, hi] (keepInside) or outside it, clears the others, and leaves the
    // magnitudes of what is kept in magnitudeL and magnitudeR.
    void (*selectByAngle)(SpectrumPlanes left, SpectrumPlanes right, float* magnitudeL,
                          float* magnitudeR, uint32_t count, float lo, float hi,
                          bool keepInside);
    // The band stage on bins first..end-1, leaving the magnitudes of the
    // results in magnitudeL and magnitudeR.
    void (*bandStage)(SpectrumPlanes left, SpectrumPlanes right, float* magnitudeL,
                      float* magnitudeR, uint32_t first, uint32_t end,
                      const BandStageOptions& options);
};

// The set for this processor; chosen on first use.
const FrameKernels& frameKernels();

// The two sets, for tests that compare them; wide is null where the build or
// the processor has no AVX2.
const FrameKernels& frameKernelsBaseline();
const FrameKernels* frameKernelsWide();
