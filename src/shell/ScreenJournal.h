#pragma once

#include <QFile>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>

namespace pathloom {

// What the screens did, in order, as events a test can assert on and the app can write as one
// JSON line each (`--journal FILE`): a screen shown, a step entered with its footer, an alert, a
// menu, a presentation or dismissal, a load. Every event is an object with its "event" name
// first. Main thread only.
class ScreenJournal : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Also writes every event from now on to `path`, one line each, flushed at once so that a
    // killed app leaves a readable journal. False when the file cannot be opened.
    [[nodiscard]] bool writeTo(const QString& path);

    void record(const QString& event, QJsonObject fields = {});

    [[nodiscard]] const QList<QJsonObject>& events() const { return m_events; }
    // The events of one kind, in order.
    [[nodiscard]] QList<QJsonObject> events(const QString& event) const;

Q_SIGNALS:
    void recorded(const QJsonObject& entry);

private:
    QList<QJsonObject> m_events;
    QFile m_file;
};

}  // namespace pathloom
