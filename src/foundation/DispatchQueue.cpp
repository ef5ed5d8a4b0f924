#include "foundation/DispatchQueue.h"

#include "foundation/ThreadHandOver.h"

#include <openssl/crypto.h>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace pathloom {

namespace {

using threads::handOver;
using threads::takeOver;

// The end of a work item that someone waits for: it ran, or it was dropped with its queue.
// Thread-safe: the mutex guards the flag.
class Ending {
public:
    void signal() {
        const std::lock_guard lock(m_mutex);
        m_ended = true;
        m_condition.notify_all();
    }
    void wait() {
        std::unique_lock lock(m_mutex);
        m_condition.wait(lock, [this] { return m_ended; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_ended = false;
};

// One work item in the event queue of a queue's thread. Qt deletes it once delivered, or unrun
// when its receiver goes first; either way a waiting caller is let go.
class WorkEvent : public QEvent {
public:
    static Type workType() {
        static const Type type = static_cast<Type>(QEvent::registerEventType());
        return type;
    }

    WorkEvent(std::function<void()> work, std::shared_ptr<Ending> ending)
        : QEvent(workType()), m_work(std::move(work)), m_ending(std::move(ending)) {}
    ~WorkEvent() override {
        // Also when it is dropped unrun, on whichever thread Qt drops it.
        takeOver(this);
        if (m_ending) {
            m_ending->signal();
        }
    }
    WorkEvent(const WorkEvent&) = delete;
    WorkEvent& operator=(const WorkEvent&) = delete;

    void run() { m_work(); }

private:
    std::function<void()> m_work;
    std::shared_ptr<Ending> m_ending;
};

// Runs the work items posted to it, on its thread.
class WorkReceiver : public QObject {
public:
    bool event(QEvent* event) override {
        takeOver(event);
        if (event->type() == WorkEvent::workType()) {
            static_cast<WorkEvent*>(event)->run();
            return true;
        }
        return QObject::event(event);
    }
};

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
            takeOver(thread);
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
    static const std::shared_ptr<DispatchQueue> queue = [] {
        // Made on whichever thread asks first, then handed to the main thread; it goes with the
        // application. The deleter finds the receiver through main() again rather than through a
        // capture: the static's guard orders the receiver's making before its deletion when
        // another thread made it, which the connection, locked inside Qt, does not show.
        QCoreApplication* application = QCoreApplication::instance();
        auto* receiver = new WorkReceiver();
        receiver->moveToThread(application->thread());
        QObject::connect(application, &QObject::destroyed,
                         [] { delete DispatchQueue::main()->m_context; });
        return std::shared_ptr<DispatchQueue>(
            new DispatchQueue(QStringLiteral("main"), receiver, nullptr));
    }();
    return queue;
}

std::shared_ptr<DispatchQueue> DispatchQueue::serial(const QString& label) {
    auto* thread = new QThread();
    thread->setObjectName(label);
    auto* context = new WorkReceiver();
    context->moveToThread(thread);
    // The context goes with the thread's event loop, so it is deleted on its own thread.
    QObject::connect(thread, &QThread::finished, context, &QObject::deleteLater);
    // OpenSSL frees what it keeps per thread (its random generators) only once the system thread
    // is gone, which is after waiting for the queue returns: a process could exit with it still
    // allocated. Freed here instead, on the thread itself, before anyone's wait returns.
    QObject::connect(thread, &QThread::finished, [] { OPENSSL_thread_stop(); });
    // Last of all, so that whoever waits for the thread and deletes it takes over all it did.
    QObject::connect(thread, &QThread::finished, [thread] { handOver(thread); });
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
    takeOver(m_thread);
    delete m_thread;
}

bool DispatchQueue::isCurrent() const { return QThread::currentThread() == m_context->thread(); }

void DispatchQueue::async(std::function<void()> work) {
    auto* event = new WorkEvent(std::move(work), nullptr);
    handOver(event);
    QCoreApplication::postEvent(m_context, event);
}

void DispatchQueue::sync(const std::function<void()>& work) {
    if (isCurrent()) {
        work();
        return;
    }
    auto ending = std::make_shared<Ending>();
    auto* event = new WorkEvent([&work] { work(); }, ending);
    handOver(event);
    QCoreApplication::postEvent(m_context, event);
    ending->wait();
}

}  // namespace pathloom
