// Picks the frame kernels for the processor the plug-in runs on.
#include "plugin/frame_kernels.h"

#if ZINDRA_WIDE_KERNELS
const FrameKernels& frameKernelsAvx2();

const FrameKernels* frameKernelsWide() {
    static const bool available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    }();
    return available ? &frameKernelsAvx2() : nullptr;
}
#else
const FrameKernels* frameKernelsWide() { return nullptr; }
#endif

const FrameKernels& frameKernels() {
    static const FrameKernels& chosen =
        frameKernelsWide() ? *frameKernelsWide() : frameKernelsBaseline();
    return chosen;
}
