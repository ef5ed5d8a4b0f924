#include "foundation/Cancellable.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

TEST(Cancellable, CancelsOnceWhenCancelledAndThenDropped) {
    int cancels = 0;
    {
        Cancellable handle([&cancels] { ++cancels; });
        handle.cancel();
        handle.cancel();
    }
    EXPECT_EQ(cancels, 1);
}

TEST(Cancellable, DroppingTheHandleCancels) {
    int cancels = 0;
    {
        Cancellable handle([&cancels] { ++cancels; });
    }
    EXPECT_EQ(cancels, 1);
}

TEST(Cancellable, MovingHandsOverTheWorkWithoutCancellingIt) {
    int cancels = 0;
    Cancellable first([&cancels] { ++cancels; });
    Cancellable second(std::move(first));
    EXPECT_EQ(cancels, 0);
    second.cancel();
    EXPECT_EQ(cancels, 1);
}

TEST(Cancellable, AssigningNewWorkCancelsTheOld) {
    int oldCancels = 0;
    int newCancels = 0;
    Cancellable handle([&oldCancels] { ++oldCancels; });
    handle = Cancellable([&newCancels] { ++newCancels; });
    EXPECT_EQ(oldCancels, 1);
    EXPECT_EQ(newCancels, 0);
}

}  // namespace
}  // namespace pathloom
