#include "foundation/DispatchQueue.h"

#include <openssl/crypto.h>
#include <QCoreApplication>
#include <QThread>
#include <mutex>
#include <vector>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

namespace pathloom {

namespace {

// Work handed from one thread to another through Qt's event queues: Qt locks those queues inside
// its own library, which ThreadSanitizer does not see, so the hand-over is told to it here. Does
// nothing in other builds.
void handOver([[maybe_unused]] void* work) {
#if defined(__SANITIZE_THREAD__)
    __tsan_release(work);
#endif
}
void takeOver([[maybe_unused]] void* work) {
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(work);
#endif
}

// The threads of queues whose last owner let go from a work item of the queue itself. Such a
// thread cannot wait for itself; it is deleted once finished, when the next one is adopted or,
// at the latest, as the process exits, before the libraries it runs are torn down. A queue thread
// still running while the process exits would run Qt and OpenSSL code that is being destroyed.
// Thread-safe: m_mutex guards the list.
class OrphanedThreads {
public:
    static OrphanedThreads& instance() {
        static OrphanedThreads threads;
        return threads;
    }

    OrphanedThreads() = default;
    OrphanedThreads(const OrphanedThreads&) = delete;
    OrphanedThreads& operator=(const OrphanedThreads&) = delete;
    ~OrphanedThreads() { reap(false); }

    // Takes `thread`, which has been told to quit, and deletes the adopted ones that finished.
    void adopt(QThread* thread) {
        reap(true);
        const std::lock_guard lock(m_mutex);
        m_threads.push_back(thread);
    }

private:
    void reap(bool onlyFinished) {
        std::vector<QThread*> ending;
        {
            const std::lock_guard lock(m_mutex);
            std::erase_if(m_threads, [&](QThread* thread) {
                if (onlyFinished && !thread->isFinished()) {
                    return false;
                }
                ending.push_back(thread);
                return true;
            });
        }
        for (QThread* thread : ending) {
            thread->wait();
            delete thread;
        }
    }

    std::mutex m_mutex;
    std::vector<QThread*> m_threads;
};

}  // namespace

DispatchQueue::DispatchQueue(QString label, QObject* context, QThread* thread)
    : m_label(std::move(label)), m_context(context), m_thread(thread) {}

std::shared_ptr<DispatchQueue> DispatchQueue::main() {
    static const std::shared_ptr<DispatchQueue> queue(
        new DispatchQueue(QStringLiteral("main"), QCoreApplication::instance(), nullptr));
    return queue;
}

std::shared_ptr<DispatchQueue> DispatchQueue::serial(const QString& label) {
    auto* thread = new QThread();
    thread->setObjectName(label);
    auto* context = new QObject();
    context->moveToThread(thread);
    // The context goes with the thread's event loop, so it is deleted on its own thread.
    QObject::connect(thread, &QThread::finished, context, &QObject::deleteLater);
    // OpenSSL frees what it keeps per thread (its random generators) only once the system thread
    // is gone, which is after waiting for the queue returns: a process could exit with it still
    // allocated. Freed here instead, on the thread itself, before anyone's wait returns.
    QObject::connect(thread, &QThread::finished, [] { OPENSSL_thread_stop(); });
    thread->start();
    return std::shared_ptr<DispatchQueue>(new DispatchQueue(label, context, thread));
}

DispatchQueue::~DispatchQueue() {
    if (!m_thread) {
        return;
    }
    m_thread->quit();
    // The context may already be gone with the finished thread, so ask the thread itself.
    if (QThread::currentThread() == m_thread) {
        // The last owner let go from a work item of this very queue.
        OrphanedThreads::instance().adopt(m_thread);
        return;
    }
    m_thread->wait();
    delete m_thread;
}

bool DispatchQueue::isCurrent() const { return QThread::currentThread() == m_context->thread(); }

void DispatchQueue::async(std::function<void()> work) {
    auto item = std::make_shared<std::function<void()>>(std::move(work));
    handOver(item.get());
    QMetaObject::invokeMethod(
        m_context,
        [item] {
            takeOver(item.get());
            (*item)();
        },
        Qt::QueuedConnection);
}

void DispatchQueue::sync(const std::function<void()>& work) {
    if (isCurrent()) {
        work();
        return;
    }
    // Handed over both ways: the work sees what the caller did before, the caller what it did.
    const void* item = &work;
    handOver(const_cast<void*>(item));
    QMetaObject::invokeMethod(
        m_context,
        [&work, item] {
            takeOver(const_cast<void*>(item));
            work();
            handOver(const_cast<void*>(item));
        },
        Qt::BlockingQueuedConnection);
    takeOver(const_cast<void*>(item));
}

}  // namespace pathloom
