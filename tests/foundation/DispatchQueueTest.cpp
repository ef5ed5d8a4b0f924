#include "foundation/DispatchQueue.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QThread>
#include <mutex>

namespace pathloom {
namespace {

TEST(DispatchQueue, RunsWorkInOrderOnItsOwnNamedThread) {
    const auto queue = DispatchQueue::serial(QStringLiteral("Test.queue"));
    std::mutex mutex;
    std::vector<int> order;
    QString threadName;
    for (int i = 0; i < 100; ++i) {
        queue->async([&, i] {
            const std::lock_guard lock(mutex);
            order.push_back(i);
            threadName = QThread::currentThread()->objectName();
        });
    }
    queue->sync([] {});

    const std::lock_guard lock(mutex);
    ASSERT_EQ(order.size(), 100u);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_EQ(threadName, QStringLiteral("Test.queue"));
    EXPECT_FALSE(queue->isCurrent());
}

TEST(DispatchQueue, SyncOnTheQueueItselfRunsAtOnce) {
    const auto queue = DispatchQueue::serial(QStringLiteral("Test.nested"));
    bool inner = false;
    queue->sync([&] {
        EXPECT_TRUE(queue->isCurrent());
        queue->sync([&] { inner = true; });
    });
    EXPECT_TRUE(inner);
}

TEST(DispatchQueue, MainQueueRunsOnTheEventLoop) {
    bool ran = false;
    const auto worker = DispatchQueue::serial(QStringLiteral("Test.worker"));
    worker->async([&] {
        DispatchQueue::main()->async([&] {
            ran = DispatchQueue::main()->isCurrent();
            QCoreApplication::quit();
        });
    });
    QCoreApplication::exec();
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace pathloom
