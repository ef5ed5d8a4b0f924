# PATHLOOM_FUZZ builds the libFuzzer targets of fuzz/ in a build directory of their own (see
# scripts/fuzz). Everything is instrumented for coverage and built with AddressSanitizer and
# UndefinedBehaviorSanitizer; undefined behaviour aborts, so the fuzzer reports it as a crash.
# Needs clang 19 or newer: older clang leaves libstdc++ 12's <expected> switched off.
option(PATHLOOM_FUZZ "Build the libFuzzer targets (clang only)" OFF)

if(PATHLOOM_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR CMAKE_CXX_COMPILER_VERSION VERSION_LESS 19)
        message(FATAL_ERROR "PATHLOOM_FUZZ needs clang 19 or newer (CXX=clang++-19)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
