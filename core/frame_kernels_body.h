// The kernels of frame_kernels.h. Included once by each instruction-set build
// (frame_kernels_sse2.cpp, frame_kernels_avx2.cpp, frame_kernels_avx512.cpp),
// which then hand out kKernels: the lanes of dsp/simd_lanes.h, the loops over
// samples (frame_sample_loops.h) and the spectral pass
// (frame_spectral_pass.h, with the separation of the bins in
// frame_separation.h). Everything in them has internal linkage, for the
// reason simd_lanes.h gives.
//
// The builds use -O3 -fno-math-errno -fno-trapping-math -ffp-contract=off:
// the loops become vector code, square roots become vector instructions,
// selects replace branches, and every build rounds exactly alike.
//
// Magnitudes are computed in single precision: each is within a unit in the
// last place of the double-precision value. The frame step keeps the
// spectra in a range where no square overflows or loses precision
// (engine.cpp, frameScale).
#include "core/frame_sample_loops.h"
#include "core/frame_spectral_pass.h"

namespace {

constexpr FrameKernels kKernels = {fillRing,        mixOutput,          enterFrame,   windowFrame,
                                   scaleMagnitudes, accumulateWindowed, separateFrame};

}  // namespace
