// Vector toolkit, unit VecLib: the complex element type, aligned vectors with a
// process-wide registry, and the toolkit's error reports.
//
// The toolkit depends on nothing else in the project. Its reports go through a
// hook that the plug-in installs (setVecLibReporter); until then they are
// written to standard error.
#pragma once

#include <cstdint>

// A complex single-precision value: real part, then imaginary part. A complex
// vector can be read as a real vector of twice the length.
struct ComplexF {
    float re;
    float im;
};
static_assert(sizeof(ComplexF) == 8, "ComplexF is two packed floats");

// ---------------------------------------------------------------------------
// Allocation. V_vector and V_free take the registry lock and may allocate:
// construction and destruction only, never the audio thread.

// Any thread but the audio thread. Allocates n x elementSize + 64 bytes and
// returns the first 64-byte-aligned address after the start of the block
// (always 1 to 64 bytes in). Contents are undefined. The pair is recorded in
// the process-wide registry. When the memory (or room in the registry) cannot
// be had, reports "V_vector: (1) Not enough memory." and returns null; the
// caller turns that into a failed construction.
void* V_vector(uint32_t n, uint32_t elementSize);

// Any thread but the audio thread. Releases a vector from V_vector. An address
// that is not in the registry is reported as
// "V_free: (12) Cannot free non-existent vector" and nothing is released.
// A null address is treated like any other unknown address.
void V_free(void* vector);

// The registry's live entries and table capacity (capacity 0 when the tables
// are released), for tests and diagnostics.
struct VecRegistryInfo {
    uint32_t count;
    uint32_t capacity;
};
VecRegistryInfo V_registryInfo();

// ---------------------------------------------------------------------------
// Error reports.

// Receives every report that is to be shown. mayBeAudioThread is true when
// the report comes from a routine that runs on the audio thread (the
// magnitude overflow of cfabs, the FFT size error): the hook must then neither
// block nor allocate nor show anything, only queue the text for the user
// interface thread. text is only valid during the call.
using VecLibReporter = void (*)(const char* text, bool mayBeAudioThread);

// Installs the hook (null restores the default, which writes a line to
// standard error). Any thread; takes effect for reports that start later.
void setVecLibReporter(VecLibReporter reporter);

// Kinds of arithmetic error, numbered as the toolkit numbers them.
enum class VecMathError : int { Domain = 1, Sing = 2, Overflow = 3, Underflow = 4, TLoss = 5 };

// Any thread, the audio thread included. Reports an arithmetic error of a
// routine as "<routine>: <KIND> error" (for example "VCF_abs: OVERFLOW error").
// The fixed mask shows DOMAIN, SING and OVERFLOW and drops UNDERFLOW and TLOSS;
// a report equal to the previous one (same routine and kind) is not shown
// again. Nothing ends the process. Returns true when the report was shown.
bool V_mathError(const char* routine, VecMathError kind);

// Forgets the previous arithmetic report, so the next one is shown even if it
// repeats it. For tests.
void V_forgetLastMathError();
