// The processor's floating-point environment: exception masks and rounding.
#pragma once

#include <cstdint>

#if defined(__i386__) && !defined(__SSE2_MATH__)
#error "32-bit builds must do their floating-point maths in SSE2 (-msse2 -mfpmath=sse)"
#endif

namespace platform {

// Masks all six floating-point exceptions for the calling thread, in the SSE
// control register and, where the x87 unit is used, in its control word.
void maskFloatingPointExceptions();

// True when any of the six exceptions is unmasked for the calling thread.
bool anyFloatingPointExceptionUnmasked();

// Status flag of floating-point overflow since the last clear (SSE and x87).
bool overflowFlagRaised();
void clearOverflowFlag();

// Saves the floating-point environment, masks every exception and selects
// round-to-nearest for the scope; restores what the caller had on exit. Hosts
// may call with exceptions unmasked or a different rounding mode.
class FloatEnvironmentGuard {
public:
    FloatEnvironmentGuard();
    ~FloatEnvironmentGuard();
    FloatEnvironmentGuard(const FloatEnvironmentGuard&) = delete;
    FloatEnvironmentGuard& operator=(const FloatEnvironmentGuard&) = delete;

private:
    uint32_t savedSse;
    uint16_t savedX87;
};

}  // namespace platform
