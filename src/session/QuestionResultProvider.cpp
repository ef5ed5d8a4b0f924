#include "session/QuestionResultProvider.h"

#include "session/ValueText.h"
#include "taskmodel/ORKBooleanQuestionResult.h"

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

std::optional<QByteArray> QuestionResultProvider::jsonRepresentation() const {
    QByteArray json;
    return appendJson(json, *m_result) ? std::optional(std::move(json)) : std::nullopt;
}

bool QuestionResultProvider::appendJson(QByteArray& json, const ORKQuestionResult& result) {
    if (result.answer.isNone()) {
        return false;
    }
    const qsizetype start = json.size();
    // Dates and locations write themselves, with a space after the key as they always have.
    json += "{\"answer\": ";
    if (appendValueJson(json, result.answer)) {
        json += '}';
        return true;
    }
    json.chop(1);
    if (!result.answer.appendJson(json)) {
        json.truncate(start);
        return false;
    }
    json += '}';
    return true;
}

}  // namespace pathloom
