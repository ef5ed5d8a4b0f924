// Preloaded into the program that callgrind counts (scripts/bench). libhwy, which FFmpeg's
// JPEG XL decoder brings in, measures its timer with RDTSCP while it loads, an instruction that
// valgrind 3.19 cannot run, so the program would die before main. Nothing in the counted work
// reads hwy's timers, so a fixed answer leaves the counts as they are.

#include <cstdint>

namespace hwy::platform {

std::uint64_t TimerResolution();

std::uint64_t TimerResolution() { return 1; }

}  // namespace hwy::platform
