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
  if(ZINDRA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "i[3-6]86" OR CMAKE_CXX_COMPILER MATCHES "i686")
    target_compile_options(${target} PUBLIC -msse2 -mfpmath=sse)
  endif()
endfunction()

# Windows binaries carry their C++ runtime inside: no DLLs beyond the system's.
if(WIN32)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
