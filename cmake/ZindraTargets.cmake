# Compiler settings shared by every target of the project (not by third-party code).

if(WIN32)
  set(ZINDRA_PLATFORM win32)
else()
  set(ZINDRA_PLATFORM posix)
endif()

# Warnings are errors in the project's own presets and in CI; a packager's
# build with its own build type, compiler and flags never stops on a warning.
option(ZINDRA_WERROR "Treat compiler warnings as errors" OFF)

function(zindra_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  # No product and sum is fused, whatever instruction sets a packager adds
  # (-mfma, -march=x86-64-v3): every build gives the same output bits.
  target_compile_options(${target} PRIVATE -ffp-contract=off)
  if(ZINDRA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  # Whether the build carries the wide vector code (set below).
  target_compile_definitions(${target} PRIVATE ZINDRA_WIDE_VECTORS=$<BOOL:${ZINDRA_WIDE}>)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "i[3-6]86" OR CMAKE_CXX_COMPILER MATCHES "i686")
    target_compile_options(${target} PUBLIC -msse2 -mfpmath=sse)
  endif()
endfunction()

# Windows binaries carry their C++ runtime inside: no DLLs beyond the system's.
if(WIN32)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Code for vector sets wider than the SSE2 floor, built beside it and chosen
# at run time (dsp/VectorCode.h), on every x86 target.
option(ZINDRA_WIDE_VECTORS "Build AVX2 and AVX-512 code beside SSE2, chosen at run time" ON)
if(ZINDRA_WIDE_VECTORS AND CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|i[3-6]86")
  set(ZINDRA_WIDE ON)
else()
  set(ZINDRA_WIDE OFF)
endif()

# The instruction sets of each wider code.
set(ZINDRA_AVX2_FLAGS -mavx2 -mfma)
set(ZINDRA_AVX512_FLAGS -mavx2 -mfma -mavx512f -mavx512dq -mavx512bw -mavx512vl)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12's AVX-512 intrinsics pass an undefined register to the masked forms
  # behind the unmasked ones, which -Wmaybe-uninitialized reports.
  list(APPEND ZINDRA_AVX512_FLAGS -Wno-maybe-uninitialized)
endif()

# Adds file, written over the lanes of dsp/simd_lanes.h, to target as the
# code of one set: SSE2, AVX2 or AVX512, with the options in the remaining
# arguments. The file's lane width is the set's, named here and not taken from
# the compiler's macros, which a packager's -mavx2 or -march=x86-64-v3 would
# change for the SSE2 files too.
function(zindra_vector_source target file set)
  if(set STREQUAL "SSE2")
    set(lanes 2)
    set(flags)
  elseif(set STREQUAL "AVX2")
    set(lanes 4)
    set(flags ${ZINDRA_AVX2_FLAGS})
  elseif(set STREQUAL "AVX512")
    set(lanes 8)
    set(flags ${ZINDRA_AVX512_FLAGS})
  else()
    message(FATAL_ERROR "zindra_vector_source: no vector set ${set}")
  endif()
  target_sources(${target} PRIVATE ${file})
  set(options ${ARGN} ${flags})
  if(WIN32 AND flags)
    # The Windows ABIs align the stack to 16 bytes (32-bit: 4), and MinGW's
    # GCC does not realign it for spilled 256- and 512-bit registers: the
    # assembler encodes the aligned moves as unaligned ones, which cost the
    # same on aligned data.
    list(APPEND options -Wa,-muse-unaligned-vector-move)
  endif()
  set_property(SOURCE ${file} APPEND PROPERTY COMPILE_OPTIONS ${options})
  set_property(SOURCE ${file} APPEND PROPERTY COMPILE_DEFINITIONS ZINDRA_LANES=${lanes})
endfunction()
