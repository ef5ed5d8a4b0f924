#include "AnswerSheet.h"

#include "foundation/Json.h"
#include "steps/PathloomDocumentCaptureStep.h"
#include "taskmodel/ORKBooleanAnswerFormat.h"
#include "taskmodel/ORKBooleanQuestionResult.h"
#include "taskmodel/ORKChoiceQuestionResult.h"
#include "taskmodel/ORKContinuousScaleAnswerFormat.h"
#include "taskmodel/ORKDateAnswerFormat.h"
#include "taskmodel/ORKDateQuestionResult.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKFormItem.h"
#include "taskmodel/ORKFormStep.h"
#include "taskmodel/ORKImageCaptureStep.h"
#include "taskmodel/ORKImageChoiceAnswerFormat.h"
#include "taskmodel/ORKMultipleValuePickerAnswerFormat.h"
#include "taskmodel/ORKNumericAnswerFormat.h"
#include "taskmodel/ORKNumericQuestionResult.h"
#include "taskmodel/ORKQuestionStep.h"
#include "taskmodel/ORKScaleAnswerFormat.h"
#include "taskmodel/ORKScaleQuestionResult.h"
#include "taskmodel/ORKTextAnswerFormat.h"
#include "taskmodel/ORKTextChoiceAnswerFormat.h"
#include "taskmodel/ORKTextQuestionResult.h"
#include "taskmodel/ORKTextScaleAnswerFormat.h"
#include "taskmodel/ORKTimeIntervalAnswerFormat.h"
#include "taskmodel/ORKTimeIntervalQuestionResult.h"
#include "taskmodel/ORKValuePickerAnswerFormat.h"
#include "taskmodel/ORKVideoCaptureStep.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QMimeDatabase>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

using Results = QList<std::shared_ptr<ORKResult>>;

template <typename Format>
bool is(const ORKAnswerFormat* format) {
    return dynamic_cast<const Format*>(format) != nullptr;
}

bool isChoice(const ORKAnswerFormat* format) {
    return is<ORKTextChoiceAnswerFormat>(format) || is<ORKValuePickerAnswerFormat>(format) ||
           is<ORKMultipleValuePickerAnswerFormat>(format) ||
           is<ORKImageChoiceAnswerFormat>(format) || is<ORKTextScaleAnswerFormat>(format);
}

RunError misfit(const QString& identifier, const QString& expected) {
    return RunError(u"The answer for '%1' must be %2."_s.arg(identifier, expected));
}

template <typename Result>
std::shared_ptr<ORKQuestionResult> resultWith(const QString& identifier, Value answer) {
    auto result = std::make_shared<Result>(identifier);
    result->answer = std::move(answer);
    return result;
}

// The result class follows the answer format, as the question's screen would record it.
std::expected<std::shared_ptr<ORKQuestionResult>, RunError> questionResult(
    const QString& identifier, const ORKAnswerFormat* format, const QJsonValue& answer) {
    if (is<ORKBooleanAnswerFormat>(format)) {
        if (!answer.isBool()) {
            return std::unexpected(misfit(identifier, u"true or false"_s));
        }
        return resultWith<ORKBooleanQuestionResult>(identifier, answer.toBool());
    }
    if (isChoice(format)) {
        const QJsonArray choices = answer.isArray() ? answer.toArray() : QJsonArray{answer};
        return resultWith<ORKChoiceQuestionResult>(identifier, Value::fromJson(choices));
    }
    const bool numeric = is<ORKNumericAnswerFormat>(format);
    const bool scale =
        is<ORKScaleAnswerFormat>(format) || is<ORKContinuousScaleAnswerFormat>(format);
    const bool interval = is<ORKTimeIntervalAnswerFormat>(format);
    if (numeric || scale || interval) {
        if (!answer.isDouble()) {
            return std::unexpected(misfit(identifier, u"a number"_s));
        }
        const Value number = Value::fromJson(answer);
        if (scale) {
            return resultWith<ORKScaleQuestionResult>(identifier, number);
        }
        if (interval) {
            return resultWith<ORKTimeIntervalQuestionResult>(identifier, number);
        }
        return resultWith<ORKNumericQuestionResult>(identifier, number);
    }
    if (is<ORKDateAnswerFormat>(format)) {
        const QDateTime date = QDateTime::fromString(answer.toString(), Qt::ISODateWithMs);
        if (!date.isValid()) {
            return std::unexpected(misfit(identifier, u"an ISO 8601 date"_s));
        }
        return resultWith<ORKDateQuestionResult>(identifier, date);
    }
    if (is<ORKTextAnswerFormat>(format)) {
        if (!answer.isString()) {
            return std::unexpected(misfit(identifier, u"a text"_s));
        }
        return resultWith<ORKTextQuestionResult>(identifier, answer.toString());
    }
    return resultWith<ORKQuestionResult>(identifier, Value::fromJson(answer));
}

std::expected<Results, RunError> formResults(const ORKFormStep& step, const QJsonValue& answer) {
    if (!answer.isObject()) {
        return std::unexpected(misfit(step.identifier, u"an object of form item answers"_s));
    }
    const QJsonObject answers = answer.toObject();
    Results results;
    for (const std::shared_ptr<ORKFormItem>& item : step.formItems) {
        if (!item->answerFormat || !answers.contains(item->identifier)) {
            continue;
        }
        auto result = questionResult(item->identifier, item->answerFormat.get(),
                                     answers.value(item->identifier));
        if (!result) {
            return std::unexpected(result.error());
        }
        results.append(std::move(*result));
    }
    return results;
}

std::expected<Results, RunError> fileResults(const ORKStep& step, const QJsonValue& answer,
                                             const QDir& base, const QDir& filesDirectory) {
    const QFileInfo source(base, answer.toString());
    if (!answer.isString() || !source.isFile()) {
        return std::unexpected(misfit(step.identifier, u"the path of an existing file"_s));
    }
    // One folder per recorded file keeps the file's own name, which its upload is named after.
    const QString folder =
        QString::number(filesDirectory.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    const QString target = filesDirectory.filePath(folder + u'/' + source.fileName());
    if (!filesDirectory.mkpath(folder) || !QFile::copy(source.absoluteFilePath(), target)) {
        return std::unexpected(
            RunError(u"Could not copy '%1' for '%2'."_s.arg(source.filePath(), step.identifier)));
    }
    auto result = std::make_shared<ORKFileResult>(step.identifier);
    result->fileURL = QUrl::fromLocalFile(target);
    result->contentType =
        QMimeDatabase().mimeTypeForFile(source, QMimeDatabase::MatchExtension).name();
    return Results{result};
}

}  // namespace

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

std::expected<QList<std::shared_ptr<ORKResult>>, RunError> AnswerSheet::results(
    const ORKStep& step, const QDir& filesDirectory) const {
    const std::optional<QJsonValue> given = answer(step.identifier);
    if (!given) {
        return Results{};
    }
    if (const auto* question = dynamic_cast<const ORKQuestionStep*>(&step)) {
        auto result = questionResult(step.identifier, question->answerFormat.get(), *given);
        if (!result) {
            return std::unexpected(result.error());
        }
        return Results{std::move(*result)};
    }
    if (const auto* form = dynamic_cast<const ORKFormStep*>(&step)) {
        return formResults(*form, *given);
    }
    if (dynamic_cast<const ORKImageCaptureStep*>(&step) != nullptr ||
        dynamic_cast<const ORKVideoCaptureStep*>(&step) != nullptr ||
        dynamic_cast<const PathloomDocumentCaptureStep*>(&step) != nullptr) {
        return fileResults(step, *given, m_base, filesDirectory);
    }
    return Results{};
}

}  // namespace pathloom
