#include "shell/ScreenJournal.h"

#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

bool ScreenJournal::writeTo(const QString& path) {
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void ScreenJournal::record(const QString& event, QJsonObject fields) {
    fields.insert(u"event"_s, event);
    m_events.append(fields);
    if (m_file.isOpen()) {
        m_file.write(json::write(fields) + '\n');
        m_file.flush();
    }
    Q_EMIT recorded(fields);
}

QList<QJsonObject> ScreenJournal::events(const QString& event) const {
    QList<QJsonObject> found;
    for (const QJsonObject& entry : m_events) {
        if (entry.value(u"event"_s).toString() == event) {
            found.append(entry);
        }
    }
    return found;
}

}  // namespace pathloom
