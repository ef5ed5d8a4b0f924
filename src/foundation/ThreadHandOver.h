#pragma once

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

// Work handed from one thread to another through Qt (its event queues, its thread pool): Qt
// locks those inside its own library, which ThreadSanitizer does not see, so each hand-over is
// told to it here: the giving thread calls handOver() once the work is complete, the taking
// thread takeOver() before it touches the work. Both do nothing in other builds.
namespace pathloom::threads {

inline void handOver([[maybe_unused]] const void* work) {
#if defined(__SANITIZE_THREAD__)
    __tsan_release(const_cast<void*>(work));
#endif
}

inline void takeOver([[maybe_unused]] const void* work) {
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(const_cast<void*>(work));
#endif
}

}  // namespace pathloom::threads
