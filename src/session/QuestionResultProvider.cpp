#include "session/QuestionResultProvider.h"

#include "foundation/Json.h"
#include "session/ValueText.h"
#include "taskmodel/ORKBooleanQuestionResult.h"

#include <QJsonObject>

namespace pathloom {

using namespace Qt::StringLiterals;

Value::Dictionary QuestionResultProvider::content() const {
    const std::optional<QString> text = stringValue(m_result->answer);
    if (!text) {
        return {};
    }
    return {{m_result->identifier, Value::Dictionary{{u"answer"_s, *text}}}};
}

Value QuestionResultProvider::fetchValue(const QString& key) const {
    if (key != u"answer") {
        return {};
    }
    if (dynamic_cast<const ORKBooleanQuestionResult*>(m_result.get())) {
        if (const std::optional<double> number = m_result->answer.toDouble()) {
            return *number != 0 ? u"true"_s : u"false"_s;
        }
    }
    return m_result->answer;
}

Value QuestionResultProvider::fetchProvider(const QString&) const { return {}; }

std::optional<QString> QuestionResultProvider::jsonRepresentation() const {
    if (m_result->answer.isNone()) {
        return std::nullopt;
    }
    if (const std::optional<QString> json = valueJsonRepresentation(m_result->answer)) {
        return u"{\"answer\": "_s + *json + u'}';
    }
    const std::optional<QJsonValue> answer = m_result->answer.toJson();
    if (!answer) {
        return std::nullopt;
    }
    return QString::fromUtf8(json::write(QJsonObject{{u"answer"_s, *answer}}));
}

}  // namespace pathloom
