// Which vector code runs: the widest set the processor and the operating
// system support, chosen once per process. SSE2 is the floor every build
// assumes; the wider sets are built beside it and picked at run time. Which
// set a file holds is the build's to say (cmake/ZindraTargets.cmake), not
// the compiler flags': a build with -march=x86-64-v3 carries and picks the
// same three sets as any other.
//
// The environment variable ZINDRA_VECTOR_CODE (sse2, avx2 or avx512) caps the
// choice, as a diagnostic: ZINDRA_VECTOR_CODE=sse2 runs the code a processor
// with SSE2 only would run. It is read once, when the library is loaded.
#pragma once

#include <string>

enum class VectorCode {
    Sse2,
    Avx2,    // AVX2 and FMA, with the 256-bit registers enabled by the system
    Avx512,  // AVX-512 F, DQ, BW and VL, with the 512-bit registers enabled
};

// What this processor and system can run, whatever the cap. [any thread]
VectorCode processorVectorCode();

// What the plug-in runs: processorVectorCode() capped by ZINDRA_VECTOR_CODE.
// [any thread]
VectorCode vectorCode();

// The widest code up to wanted that this build carries and this processor
// runs: what the transform and the frame kernels pick. [any thread]
VectorCode usableVectorCode(VectorCode wanted);

// "SSE2", "AVX2" or "AVX-512".
const char* vectorCodeName(VectorCode code);

// The processor's own name (CPUID's brand string), for benchmark reports.
std::string processorName();
