// The frame kernels in 128-bit vectors, for every processor the builds
// support (SSE2).
#include "core/frame_kernels_body.h"

const FrameKernels& frameKernelsBaseline() { return kKernels; }
