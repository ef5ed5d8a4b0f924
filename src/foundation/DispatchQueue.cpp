#include "foundation/DispatchQueue.h"

#include <QCoreApplication>
#include <QThread>

namespace pathloom {

DispatchQueue::DispatchQueue(QString label, QObject* context, QThread* thread)
    : m_label(std::move(label)), m_context(context), m_thread(thread) {}

std::shared_ptr<DispatchQueue> DispatchQueue::main() {
    static const std::shared_ptr<DispatchQueue> queue(new DispatchQueue(
        QStringLiteral("main"), QCoreApplication::instance(), nullptr));
    return queue;
}

std::shared_ptr<DispatchQueue> DispatchQueue::serial(const QString& label) {
    auto* thread = new QThread();
    thread->setObjectName(label);
    auto* context = new QObject();
    context->moveToThread(thread);
    // The context goes with the thread's event loop, so it is deleted on its own thread.
    QObject::connect(thread, &QThread::finished, context, &QObject::deleteLater);
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
        // The last owner let go from a work item of this very queue: the thread cannot wait for
        // itself, so it is deleted once it has finished.
        QObject::connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
        return;
    }
    m_thread->wait();
    delete m_thread;
}

bool DispatchQueue::isCurrent() const { return QThread::currentThread() == m_context->thread(); }

void DispatchQueue::async(std::function<void()> work) {
    QMetaObject::invokeMethod(m_context, std::move(work), Qt::QueuedConnection);
}

void DispatchQueue::sync(const std::function<void()>& work) {
    if (isCurrent()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(m_context, work, Qt::BlockingQueuedConnection);
}

}  // namespace pathloom
