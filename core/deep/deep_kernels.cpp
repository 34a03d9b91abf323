// Picks Zindra Deep's kernels for the processor the plug-in runs on.
#include "core/deep/deep_kernels.h"

namespace deep {

const DeepKernels* deepKernelsOf(VectorCode code) {
    if (usableVectorCode(code) != code) return nullptr;
    switch (code) {
#if ZINDRA_WIDE_VECTORS
        case VectorCode::Avx2: return &deepKernelsAvx2();
        case VectorCode::Avx512: return &deepKernelsAvx512();
#endif
        default: return &deepKernelsBaseline();
    }
}

const DeepKernels& deepKernels() {
    static const DeepKernels& chosen = *deepKernelsOf(usableVectorCode(vectorCode()));
    return chosen;
}

}  // namespace deep
