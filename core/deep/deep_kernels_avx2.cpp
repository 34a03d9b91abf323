// Zindra Deep's kernels in 256-bit vectors, for processors with AVX2
// (deep_kernels.cpp checks the processor before handing them out).
#include "core/deep/deep_kernels_body.h"

const deep::DeepKernels& deep::deepKernelsAvx2() { return kKernels; }
