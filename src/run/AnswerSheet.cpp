#include "run/AnswerSheet.h"

#include "foundation/Json.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

namespace pathloom {

using namespace Qt::StringLiterals;

std::expected<AnswerSheet, QString> AnswerSheet::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::unexpected(u"Could not read the answers file %1."_s.arg(path));
    }
    const auto json = json::parse(file.readAll());
    if (!json || !json->isObject()) {
        return std::unexpected(u"The answers file %1 must hold one JSON object."_s.arg(path));
    }
    return AnswerSheet(json->toObject(), QFileInfo(path).absoluteDir());
}

std::optional<QJsonValue> AnswerSheet::answer(const QString& stepIdentifier) const {
    const auto found = m_answers.constFind(stepIdentifier);
    return found == m_answers.constEnd() ? std::nullopt : std::optional(*found);
}

std::optional<QStringList> AnswerSheet::texts(const QString& stepIdentifier) const {
    const std::optional<QJsonValue> given = answer(stepIdentifier);
    if (!given) {
        return std::nullopt;
    }
    const QJsonArray items = given->isArray() ? given->toArray() : QJsonArray{*given};
    QStringList texts;
    for (const QJsonValue& item : items) {
        if (!item.isString() && !item.isDouble()) {
            return std::nullopt;
        }
        texts.append(text(item));
    }
    return texts;
}

QString AnswerSheet::filePath(const QString& path) const {
    return QFileInfo(m_base, path).absoluteFilePath();
}

QString AnswerSheet::text(const QJsonValue& answer) {
    return answer.isDouble() ? QString::number(answer.toDouble(), 'g', 17) : answer.toString();
}

}  // namespace pathloom
