// The frame kernels in 512-bit vectors, for processors with AVX-512
// (frame_kernels.cpp checks the processor before handing them out).
#include "core/frame_kernels_body.h"

const FrameKernels& frameKernelsAvx512() { return kKernels; }
