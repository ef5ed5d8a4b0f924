#include "run/RunReport.h"

#include "foundation/Json.h"

#include <QFile>
#include <QJsonArray>

namespace pathloom {

using namespace Qt::StringLiterals;

QJsonObject RunReport::toJson(const RunJournal& journal, bool completed) {
    const std::optional<Error>& error = journal.error();
    return QJsonObject{
        {u"steps"_s, QJsonArray::fromStringList(journal.steps())},
        {u"finish"_s, completed ? u"completed"_s : u"failed"_s},
        {u"error"_s, error ? QJsonValue(error->localizedDescription()) : QJsonValue()},
        {u"session"_s, journal.session()},
    };
}

std::expected<void, QString> RunReport::write(const RunJournal& journal, bool completed,
                                              const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(json::write(toJson(journal, completed))) < 0 || !file.flush()) {
        return std::unexpected(u"Could not write the report to %1."_s.arg(path));
    }
    return {};
}

}  // namespace pathloom
