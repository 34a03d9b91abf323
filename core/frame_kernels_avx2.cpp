// The frame kernels in 256-bit vectors, for processors with AVX2
// (frame_kernels.cpp checks the processor before handing them out).
#include "core/frame_kernels_body.h"

const FrameKernels& frameKernelsAvx2() { return kKernels; }
