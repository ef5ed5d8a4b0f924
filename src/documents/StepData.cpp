#include "documents/StepData.h"

#include "documents/StoredForm.h"
#include "documents/StoredFormReader.h"
#include "foundation/ImageLoader.h"
#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

std::expected<StepData, ParseError> StepData::fromJson(const QJsonObject& json,
                                                       ImageLoader& imageLoader) {
    std::optional<QString> type = json::readString(json, u"type");
    if (!type) {
        return std::unexpected(ParseError::invalidStepData(u"Missing step type"_s));
    }
    std::optional<QString> identifier = json::readString(json, u"identifier");
    if (!identifier) {
        return std::unexpected(ParseError::invalidStepData(u"Missing identifier"_s));
    }
    std::optional<QString> imageURL = json::readString(json, u"imageURL");
    std::optional<QImage> image = imageURL ? imageLoader.syncLoad(*imageURL) : std::nullopt;
    return StepData{std::move(*type), std::move(*identifier), std::move(image), std::move(imageURL),
                    json};
}

QJsonObject StepData::toStored() const {
    return {
        {u"type"_s, type},
        {u"identifier"_s, identifier},
        {u"imageURL"_s, nullableString(imageURL)},
        {u"content"_s, QString::fromLatin1(json::write(content).toBase64())},
    };
}

std::expected<StepData, DecodingError> StepData::fromStored(const QJsonObject& object,
                                                            const QString& path) {
    StoredFormReader reader(object, path);
    StepData step{reader.string(u"type"),
                  reader.string(u"identifier"),
                  std::nullopt,
                  reader.optionalString(u"imageURL"),
                  {}};
    const QString encodedContent = reader.string(u"content");
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    const QString contentPath = reader.pathOf(u"content");
    const QByteArray::FromBase64Result bytes = QByteArray::fromBase64Encoding(
        encodedContent.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!bytes) {
        return std::unexpected(DecodingError::dataCorrupted(contentPath, u"not Base64"_s));
    }
    const std::expected<QJsonValue, JsonError> content =
        json::parse(bytes.decoded, json::Fragments::allowed);
    if (!content) {
        return std::unexpected(
            DecodingError::dataCorrupted(contentPath, content.error().description()));
    }
    // Content that is valid JSON but not an object reads as empty rather than failing.
    step.content = content->toObject();
    return step;
}

}  // namespace pathloom
