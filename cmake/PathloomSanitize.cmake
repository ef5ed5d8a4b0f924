# PATHLOOM_SANITIZE builds every target (core, programs, tests) with AddressSanitizer and
# UndefinedBehaviorSanitizer. Undefined behaviour stops the program instead of printing and going
# on, so a test that triggers it fails. scripts/test --sanitize uses a build directory of its own.
option(PATHLOOM_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(PATHLOOM_SANITIZE)
    # GCC leaves float-cast-overflow out of "undefined"; a document's number converted to an
    # integer is exactly where it happens.
    set(pathloom_sanitize_flags
        -fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined,float-cast-overflow)
    add_compile_options(${pathloom_sanitize_flags})
    add_link_options(${pathloom_sanitize_flags})
    # GCC's instrumentation makes -Wmaybe-uninitialized fire on code that is fine (Qt's implicitly
    # shared strings moved into std::optional); the normal build still checks this warning.
    add_compile_options(-Wno-maybe-uninitialized)
endif()

# PATHLOOM_THREAD_SANITIZE builds every target with ThreadSanitizer, for scripts/test --thread.
# Qt itself is not instrumented, so the places where our work crosses threads through Qt's queued
# calls tell ThreadSanitizer about that hand-over themselves (see DispatchQueue.cpp).
option(PATHLOOM_THREAD_SANITIZE "Build with ThreadSanitizer" OFF)

if(PATHLOOM_THREAD_SANITIZE)
    if(PATHLOOM_SANITIZE)
        message(FATAL_ERROR "PATHLOOM_THREAD_SANITIZE and PATHLOOM_SANITIZE exclude each other")
    endif()
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
    add_compile_options(-Wno-maybe-uninitialized)
endif()
