#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QThread;

namespace pathloom {

// Runs work items one after another on one thread: the main thread's event loop, or a worker
// thread of the queue's own (a serial queue with a label, like "Pathloom.NetworkManager.queue").
// Work still queued when a serial queue is destroyed is dropped; the destructor waits for the
// item that is running. Thread-safe.
class DispatchQueue {
public:
    // The main thread's queue; needs a QCoreApplication.
    [[nodiscard]] static std::shared_ptr<DispatchQueue> main();
    // A new serial queue on a worker thread of its own, named `label`.
    [[nodiscard]] static std::shared_ptr<DispatchQueue> serial(const QString& label);

    ~DispatchQueue();
    DispatchQueue(const DispatchQueue&) = delete;
    DispatchQueue& operator=(const DispatchQueue&) = delete;

    [[nodiscard]] const QString& label() const { return m_label; }
    // Whether the calling thread is this queue's thread.
    [[nodiscard]] bool isCurrent() const;
    // An object that lives on the queue's thread, for Qt objects that must live there too.
    [[nodiscard]] QObject* context() const { return m_context; }

    void async(std::function<void()> work);
    // Runs `work` on the queue and waits for it; runs it at once when called on the queue.
    void sync(const std::function<void()>& work);

private:
    DispatchQueue(QString label, QObject* context, QThread* thread);

    QString m_label;
    QObject* m_context;
    QThread* m_thread;
};

}  // namespace pathloom
