// Zindra Deep's kernels in 128-bit vectors, for every processor the build may assume
// (deep_kernels.cpp checks the processor before handing them out).
#include "core/deep/deep_kernels_body.h"

const deep::DeepKernels& deep::deepKernelsBaseline() { return kKernels; }
