// x86 only: the SSE control/status register and, on 32-bit, the x87 control
// word (the C runtime and some hosts still compute in x87 there).
#include "platform/fpu.h"

#include <xmmintrin.h>

namespace platform {
namespace {

constexpr uint32_t kSseExceptionMasks = 0x1F80;  // IM DM ZM OM UM PM
constexpr uint32_t kSseRounding = 0x6000;
constexpr uint32_t kSseOverflowFlag = 0x0008;
constexpr uint16_t kX87ExceptionMasks = 0x003F;
constexpr uint16_t kX87Rounding = 0x0C00;
constexpr uint16_t kX87OverflowFlag = 0x0008;

#if defined(__i386__)
uint16_t readX87Control() {
    uint16_t word;
    __asm__ __volatile__("fnstcw %0" : "=m"(word));
    return word;
}
void writeX87Control(uint16_t word) { __asm__ __volatile__("fldcw %0" : : "m"(word)); }
uint16_t readX87Status() {
    uint16_t word;
    __asm__ __volatile__("fnstsw %0" : "=m"(word));
    return word;
}
void clearX87Exceptions() { __asm__ __volatile__("fnclex"); }
#else
// x86_64 code never computes in x87 for float and double.
uint16_t readX87Control() { return 0x037F; }
void writeX87Control(uint16_t) {}
uint16_t readX87Status() { return 0; }
void clearX87Exceptions() {}
#endif

}  // namespace

void maskFloatingPointExceptions() {
    _mm_setcsr(_mm_getcsr() | kSseExceptionMasks);
    writeX87Control(static_cast<uint16_t>(readX87Control() | kX87ExceptionMasks));
}

bool anyFloatingPointExceptionUnmasked() {
    return (_mm_getcsr() & kSseExceptionMasks) != kSseExceptionMasks ||
           (readX87Control() & kX87ExceptionMasks) != kX87ExceptionMasks;
}

bool overflowFlagRaised() {
    return (_mm_getcsr() & kSseOverflowFlag) != 0 || (readX87Status() & kX87OverflowFlag) != 0;
}

void clearOverflowFlag() {
    _mm_setcsr(_mm_getcsr() & ~kSseOverflowFlag);
    clearX87Exceptions();
}

FloatEnvironmentGuard::FloatEnvironmentGuard()
    : savedSse(_mm_getcsr()), savedX87(readX87Control()) {
    const uint32_t wanted = (savedSse | kSseExceptionMasks) & ~kSseRounding;
    if (wanted != savedSse) _mm_setcsr(wanted);
    const auto wantedX87 = static_cast<uint16_t>((savedX87 | kX87ExceptionMasks) & ~kX87Rounding);
    if (wantedX87 != savedX87) writeX87Control(wantedX87);
}

FloatEnvironmentGuard::~FloatEnvironmentGuard() {
    // Restore the caller's controls; status flags raised inside the scope stay.
    const uint32_t now = _mm_getcsr();
    const uint32_t restored = (now & 0x3Fu) | (savedSse & ~0x3Fu);
    if (restored != now) _mm_setcsr(restored);
    if (readX87Control() != savedX87) writeX87Control(savedX87);
}

}  // namespace platform
