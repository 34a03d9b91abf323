// Zindra Deep's kernels in 512-bit vectors, for processors with AVX-512
// (deep_kernels.cpp checks the processor before handing them out).
#include "core/deep/deep_kernels_body.h"

const deep::DeepKernels& deep::deepKernelsAvx512() { return kKernels; }
