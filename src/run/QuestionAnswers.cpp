#include "run/QuestionAnswers.h"

#include "run/AnswerKind.h"
#include "run/AnswerValidator.h"
#include "taskmodel/ORKBooleanQuestionResult.h"
#include "taskmodel/ORKChoiceQuestionResult.h"
#include "taskmodel/ORKConfirmTextAnswerFormat.h"
#include "taskmodel/ORKContinuousScaleAnswerFormat.h"
#include "taskmodel/ORKDateAnswerFormat.h"
#include "taskmodel/ORKDateQuestionResult.h"
#include "taskmodel/ORKDontKnowAnswer.h"
#include "taskmodel/ORKFormItem.h"
#include "taskmodel/ORKFormStep.h"
#include "taskmodel/ORKLocation.h"
#include "taskmodel/ORKLocationQuestionResult.h"
#include "taskmodel/ORKMultipleComponentQuestionResult.h"
#include "taskmodel/ORKMultipleValuePickerAnswerFormat.h"
#include "taskmodel/ORKNumericAnswerFormat.h"
#include "taskmodel/ORKNumericQuestionResult.h"
#include "taskmodel/ORKQuestionStep.h"
#include "taskmodel/ORKSESQuestionResult.h"
#include "taskmodel/ORKScaleAnswerFormat.h"
#include "taskmodel/ORKScaleQuestionResult.h"
#include "taskmodel/ORKTextAnswerFormat.h"
#include "taskmodel/ORKTextQuestionResult.h"
#include "taskmodel/ORKTextScaleAnswerFormat.h"
#include "taskmodel/ORKTimeIntervalAnswerFormat.h"
#include "taskmodel/ORKTimeIntervalQuestionResult.h"
#include "taskmodel/ORKTimeOfDayAnswerFormat.h"
#include "taskmodel/ORKTimeOfDayQuestionResult.h"
#include "taskmodel/ORKWeightAnswerFormat.h"
#include "taskmodel/TimeOfDay.h"

#include <QJsonArray>
#include <QJsonObject>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

using Results = QuestionAnswers::Results;

// Every sentence this file reports, in one place.
namespace texts {

QString misfit(const QString& identifier, const QString& shape) {
    return u"The answer for '%1' must be %2."_s.arg(identifier, shape);
}
QString noDontKnow(const QString& identifier) {
    return u"The answer for '%1' cannot be \"I don't know\"."_s.arg(identifier);
}
QString noSuchItem(const QString& form, const QString& item) {
    return u"The form '%1' has no item '%2'."_s.arg(form, item);
}
const QString trueOrFalse = u"true or false"_s;
const QString number = u"a number"_s;
const QString isoDate = u"an ISO 8601 date"_s;
const QString text = u"a text"_s;
const QString timeOfDay = u"a time of day written as HH:mm"_s;
const QString location = u"an object with a latitude and a longitude"_s;
const QString onePerPicker = u"a list with one value for each picker"_s;
const QString formAnswers = u"an object of form item answers"_s;

}  // namespace texts

template <typename Format>
const Format* as(const ORKAnswerFormat& format) {
    return dynamic_cast<const Format*>(&format);
}

bool isDontKnow(const Value& answer) { return answer.object<ORKDontKnowAnswer>() != nullptr; }

bool isDontKnowJson(const QJsonValue& json) {
    const QJsonObject object = json.toObject();
    return object.size() == 1 && object.value(u"dontKnow"_s) == QJsonValue(true);
}

std::expected<Value, QString> locationFromJson(const QJsonValue& json, const QString& identifier) {
    const QJsonObject object = json.toObject();
    const QJsonValue latitude = object.value(u"latitude"_s);
    const QJsonValue longitude = object.value(u"longitude"_s);
    if (!latitude.isDouble() || !longitude.isDouble()) {
        return std::unexpected(texts::misfit(identifier, texts::location));
    }
    auto location =
        std::make_shared<ORKLocation>(Coordinate{latitude.toDouble(), longitude.toDouble()});
    const QJsonValue address = object.value(u"address"_s);
    if (address.isString()) {
        location->postalAddress = PostalAddress{address.toString(), {}};
    } else if (address.isObject()) {
        location->postalAddress =
            PostalAddress{address[u"street"_s].toString(), address[u"city"_s].toString()};
    }
    return Value(Value::Object(std::move(location)));
}

template <typename Result>
std::shared_ptr<ORKQuestionResult> resultWith(const QString& identifier, Value answer) {
    auto result = std::make_shared<Result>(identifier);
    result->answer = std::move(answer);
    return result;
}

std::expected<Results, AnswerError> answerResults(const QString& identifier,
                                                  const ORKAnswerFormat& format,
                                                  const QJsonValue& json, bool required) {
    std::expected<Value, QString> answer = QuestionAnswers::fromJson(format, json, identifier);
    if (!answer) {
        return std::unexpected(AnswerError::wrongShape(identifier, answer.error()));
    }
    if (!QuestionAnswers::isAnswered(*answer)) {
        if (required) {
            return std::unexpected(AnswerError::missing(identifier));
        }
        return Results{};
    }
    if (std::optional<QString> message = QuestionAnswers::validate(format, *answer)) {
        return std::unexpected(AnswerError::invalid(identifier, *message));
    }
    return Results{QuestionAnswers::result(identifier, format, std::move(*answer))};
}

// A confirmation is checked once every answer of the form is known, as it may come first.
std::optional<AnswerError> confirmationError(const ORKFormStep& form,
                                             const QMap<QString, Value>& answers) {
    for (const std::shared_ptr<ORKFormItem>& item : form.formItems) {
        const auto* confirm = dynamic_cast<const ORKConfirmTextAnswerFormat*>(
            item ? item->answerFormat.get() : nullptr);
        if (!confirm || !answers.contains(item->identifier)) {
            continue;
        }
        const Value original = answers.value(confirm->originalItemIdentifier.value_or(QString()));
        if (std::optional<QString> message = AnswerValidator::validateConfirmation(
                *confirm, answers.value(item->identifier), original)) {
            return AnswerError::invalid(item->identifier, *message);
        }
    }
    return std::nullopt;
}

std::expected<Results, AnswerError> formResults(const ORKFormStep& form, const QJsonValue& json,
                                                bool requireItems) {
    if (form.optional && (json.isNull() || json.isUndefined())) {
        return Results{};
    }
    if (!json.isObject() && !json.isNull() && !json.isUndefined()) {
        return std::unexpected(AnswerError::wrongShape(
            form.identifier, texts::misfit(form.identifier, texts::formAnswers)));
    }
    const QJsonObject answers = json.toObject();
    // An answer under a name the form does not ask for would otherwise be lost without a word.
    for (auto it = answers.begin(); it != answers.end(); ++it) {
        const bool asked =
            std::any_of(form.formItems.begin(), form.formItems.end(), [&](const auto& item) {
                return item && item->answerFormat && item->identifier == it.key();
            });
        if (!asked) {
            return std::unexpected(
                AnswerError::wrongShape(it.key(), texts::noSuchItem(form.identifier, it.key())));
        }
    }
    Results results;
    QMap<QString, Value> given;
    for (const std::shared_ptr<ORKFormItem>& item : form.formItems) {
        if (!item || !item->answerFormat) {
            continue;
        }
        std::expected<Results, AnswerError> itemResults =
            answerResults(item->identifier, *item->answerFormat, answers.value(item->identifier),
                          requireItems && QuestionAnswers::isRequired(*item));
        if (!itemResults) {
            return std::unexpected(itemResults.error());
        }
        for (const std::shared_ptr<ORKResult>& result : *itemResults) {
            given.insert(item->identifier,
                         std::static_pointer_cast<ORKQuestionResult>(result)->answer);
        }
        results.append(*itemResults);
    }
    if (std::optional<AnswerError> error = confirmationError(form, given)) {
        return std::unexpected(std::move(*error));
    }
    return results;
}

}  // namespace

std::expected<Value, QString> QuestionAnswers::fromJson(const ORKAnswerFormat& format,
                                                        const QJsonValue& json,
                                                        const QString& identifier) {
    if (json.isNull() || json.isUndefined()) {
        return Value();
    }
    if (isDontKnowJson(json)) {
        if (!format.showDontKnowButton) {
            return std::unexpected(texts::noDontKnow(identifier));
        }
        return dontKnowAnswer();
    }
    const AnswerKind kind = answerKind(format);
    if (isChoiceKind(kind)) {
        return Value::fromJson(json.isArray() ? json : QJsonValue(QJsonArray{json}));
    }
    if (isNumberKind(kind)) {
        if (!json.isDouble()) {
            return std::unexpected(texts::misfit(identifier, texts::number));
        }
        return Value::fromJson(json);
    }
    if (isTextKind(kind)) {
        if (!json.isString()) {
            return std::unexpected(texts::misfit(identifier, texts::text));
        }
        return json.toString();
    }
    switch (kind) {
        case AnswerKind::boolean:
            if (!json.isBool()) {
                return std::unexpected(texts::misfit(identifier, texts::trueOrFalse));
            }
            return json.toBool();
        case AnswerKind::multipleValuePicker: {
            const qsizetype pickers =
                as<ORKMultipleValuePickerAnswerFormat>(format)->valuePickers.size();
            if (!json.isArray() || json.toArray().size() != pickers) {
                return std::unexpected(texts::misfit(identifier, texts::onePerPicker));
            }
            return Value::fromJson(json);
        }
        case AnswerKind::date: {
            const QDateTime date = QDateTime::fromString(json.toString(), Qt::ISODateWithMs);
            if (!date.isValid()) {
                return std::unexpected(texts::misfit(identifier, texts::isoDate));
            }
            return date;
        }
        case AnswerKind::timeOfDay: {
            const DateComponents time = ORKTimeOfDayComponentsFromString(json.toString());
            if (!time.hour) {
                return std::unexpected(texts::misfit(identifier, texts::timeOfDay));
            }
            return time;
        }
        case AnswerKind::location:
            return locationFromJson(json, identifier);
        default:
            return Value::fromJson(json);
    }
}

std::optional<QString> QuestionAnswers::validate(const ORKAnswerFormat& format,
                                                 const Value& answer) {
    if (!isAnswered(answer)) {
        return std::nullopt;
    }
    return AnswerValidator::validate(format, answer);
}

bool QuestionAnswers::isAnswered(const Value& answer) {
    if (const QString* text = answer.as<QString>()) {
        return !text->isEmpty();
    }
    if (const Value::Array* list = answer.as<Value::Array>()) {
        return !list->isEmpty();
    }
    return !answer.isNone() && !answer.as<Null>();
}

bool QuestionAnswers::isRequired(const ORKStep& step) { return !step.optional; }

bool QuestionAnswers::isRequired(const ORKFormItem& item) {
    return item.answerFormat && !item.optional;
}

std::optional<Value> QuestionAnswers::defaultAnswer(const ORKAnswerFormat& format) {
    if (const auto* text = as<ORKTextAnswerFormat>(format)) {
        return text->defaultTextAnswer ? std::optional<Value>(*text->defaultTextAnswer)
                                       : std::nullopt;
    }
    if (const auto* numeric = as<ORKNumericAnswerFormat>(format)) {
        return numeric->defaultNumericAnswer ? std::optional<Value>(*numeric->defaultNumericAnswer)
                                             : std::nullopt;
    }
    // A slider's default outside its range stands for "no default".
    if (const auto* scale = as<ORKScaleAnswerFormat>(format)) {
        if (scale->defaultValue < scale->minimum || scale->defaultValue > scale->maximum) {
            return std::nullopt;
        }
        return Value(scale->defaultValue);
    }
    if (const auto* scale = as<ORKContinuousScaleAnswerFormat>(format)) {
        if (scale->defaultValue < scale->minimum || scale->defaultValue > scale->maximum) {
            return std::nullopt;
        }
        return Value(scale->defaultValue);
    }
    if (const auto* scale = as<ORKTextScaleAnswerFormat>(format)) {
        if (scale->defaultIndex < 0 || scale->defaultIndex >= scale->textChoices.size() ||
            !scale->textChoices[scale->defaultIndex]) {
            return std::nullopt;
        }
        return Value(Value::Array{scale->textChoices[scale->defaultIndex]->value});
    }
    if (const auto* date = as<ORKDateAnswerFormat>(format)) {
        return date->defaultDate ? std::optional<Value>(*date->defaultDate) : std::nullopt;
    }
    if (const auto* time = as<ORKTimeOfDayAnswerFormat>(format)) {
        if (!time->defaultComponents || !time->defaultComponents->hour) {
            return std::nullopt;
        }
        return Value(*time->defaultComponents);
    }
    // A duration or weight of 0 is what a document without a default reads as.
    if (const auto* interval = as<ORKTimeIntervalAnswerFormat>(format)) {
        return interval->defaultInterval > 0 ? std::optional<Value>(interval->defaultInterval)
                                             : std::nullopt;
    }
    if (const auto* weight = as<ORKWeightAnswerFormat>(format)) {
        const Value answer(weight->defaultValue);
        if (weight->defaultValue <= 0 || AnswerValidator::validate(*weight, answer)) {
            return std::nullopt;
        }
        return answer;
    }
    return std::nullopt;
}

Value QuestionAnswers::dontKnowAnswer() { return Value::Object(ORKDontKnowAnswer::answer()); }

std::shared_ptr<ORKQuestionResult> QuestionAnswers::result(const QString& identifier,
                                                           const ORKAnswerFormat& format,
                                                           Value answer) {
    const AnswerKind kind = answerKind(format);
    switch (kind) {
        case AnswerKind::textChoice:
        case AnswerKind::valuePicker:
        case AnswerKind::imageChoice:
        case AnswerKind::textScale:
            if (isAnswered(answer) && !isDontKnow(answer) && !answer.as<Value::Array>()) {
                answer = Value::Array{std::move(answer)};
            }
            return resultWith<ORKChoiceQuestionResult>(identifier, std::move(answer));
        case AnswerKind::boolean:
            return resultWith<ORKBooleanQuestionResult>(identifier, std::move(answer));
        case AnswerKind::multipleValuePicker:
            return resultWith<ORKMultipleComponentQuestionResult>(identifier, std::move(answer));
        case AnswerKind::numeric:
        case AnswerKind::height:
        case AnswerKind::weight:
        case AnswerKind::currency:
            return resultWith<ORKNumericQuestionResult>(identifier, std::move(answer));
        case AnswerKind::scale:
        case AnswerKind::continuousScale:
            return resultWith<ORKScaleQuestionResult>(identifier, std::move(answer));
        case AnswerKind::date:
            return resultWith<ORKDateQuestionResult>(identifier, std::move(answer));
        case AnswerKind::timeOfDay:
            return resultWith<ORKTimeOfDayQuestionResult>(identifier, std::move(answer));
        case AnswerKind::timeInterval:
            return resultWith<ORKTimeIntervalQuestionResult>(identifier, std::move(answer));
        case AnswerKind::text:
        case AnswerKind::email:
        case AnswerKind::confirmText:
            return resultWith<ORKTextQuestionResult>(identifier, std::move(answer));
        case AnswerKind::location:
            return resultWith<ORKLocationQuestionResult>(identifier, std::move(answer));
        case AnswerKind::ses:
            return resultWith<ORKSESQuestionResult>(identifier, std::move(answer));
        case AnswerKind::other:
            break;
    }
    return resultWith<ORKQuestionResult>(identifier, std::move(answer));
}

std::expected<Results, AnswerError> QuestionAnswers::results(const ORKStep& step,
                                                             const QJsonValue& answer,
                                                             Unanswered unanswered) {
    const bool refused = unanswered == Unanswered::refused;
    if (const auto* question = dynamic_cast<const ORKQuestionStep*>(&step)) {
        if (!question->answerFormat) {
            // A question without a format records its answer as it was written.
            return Results{resultWith<ORKQuestionResult>(step.identifier, Value::fromJson(answer))};
        }
        return answerResults(step.identifier, *question->answerFormat, answer,
                             refused && isRequired(step));
    }
    if (const auto* form = dynamic_cast<const ORKFormStep*>(&step)) {
        return formResults(*form, answer, refused);
    }
    return Results{};
}

}  // namespace pathloom
