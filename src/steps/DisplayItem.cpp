#include "steps/DisplayItem.h"

#include "documents/StoredFormReader.h"
#include "foundation/Json.h"
#include "loading/Localization.h"
#include "network/HTTPMethod.h"

#include <array>
#include <utility>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr std::array<std::pair<DisplayItem::ItemType, QStringView>, 4> kItemTypes{{
    {DisplayItem::ItemType::text, u"text"},
    {DisplayItem::ItemType::image, u"image"},
    {DisplayItem::ItemType::video, u"video"},
    {DisplayItem::ItemType::button, u"button"},
}};

DecodingError invalidRawValue(const StoredFormReader& reader, QStringView key, QStringView typeName,
                              const QString& raw) {
    return DecodingError::dataCorrupted(
        reader.pathOf(key),
        u"Cannot initialize %1 from invalid String value %2"_s.arg(typeName, raw));
}

// Reads the optional key `key` of the JSON form as a raw value that `fromRaw` must know.
template <typename T, typename FromRaw>
std::optional<T> optionalRawValue(StoredFormReader& reader, QStringView key, QStringView typeName,
                                  FromRaw fromRaw) {
    const std::optional<QString> raw = reader.optionalString(key);
    if (!raw) {
        return std::nullopt;
    }
    const std::optional<T> value = fromRaw(*raw);
    if (!value) {
        reader.fail(invalidRawValue(reader, key, typeName, *raw));
    }
    return value;
}

void insertIfPresent(QJsonObject& json, const QString& key, const std::optional<QString>& text) {
    if (text) {
        json.insert(key, *text);
    }
}

}  // namespace

QString DisplayItem::rawValue(ItemType type) {
    for (const auto& [candidate, raw] : kItemTypes) {
        if (candidate == type) {
            return raw.toString();
        }
    }
    return {};
}

std::optional<DisplayItem::ItemType> DisplayItem::itemTypeFromRaw(QStringView raw) {
    for (const auto& [type, text] : kItemTypes) {
        if (text == raw) {
            return type;
        }
    }
    return std::nullopt;
}

DisplayItem::DisplayItem(ItemType type, std::optional<QString> label, std::optional<QString> text,
                         std::optional<QString> previewURL, std::optional<QString> url,
                         std::optional<QString> method, std::optional<SuccessAction> onSuccess,
                         std::optional<QString> modalWorkflow,
                         std::optional<ButtonStyle> buttonStyle)
    : type(type),
      label(std::move(label)),
      text(std::move(text)),
      previewURL(std::move(previewURL)),
      url(std::move(url)),
      method(std::move(method)),
      onSuccess(onSuccess),
      modalWorkflow(std::move(modalWorkflow)),
      buttonStyle(buttonStyle) {}

std::expected<std::shared_ptr<DisplayItem>, ParseError> DisplayItem::create(
    ItemType type, std::optional<QString> label, std::optional<QString> text,
    std::optional<QString> previewURL, std::optional<QString> url, std::optional<QString> method,
    std::optional<SuccessAction> onSuccess, std::optional<QString> modalWorkflow,
    std::optional<ButtonStyle> buttonStyle) {
    if (method) {
        const QString upperCased = method->toUpper();
        const std::optional<HTTPMethod> httpMethod = httpMethodFromRaw(upperCased);
        if (httpMethod != HTTPMethod::put && httpMethod != HTTPMethod::del) {
            return std::unexpected(
                ParseError::invalidStepData(upperCased + u" actions are not supported"_s));
        }
    }
    return std::make_shared<DisplayItem>(type, std::move(label), std::move(text),
                                         std::move(previewURL), std::move(url), std::move(method),
                                         onSuccess, std::move(modalWorkflow), buttonStyle);
}

std::expected<std::shared_ptr<DisplayItem>, ParseError> DisplayItem::fromStepDocument(
    const QJsonObject& object, const Localization& localization) {
    const std::optional<QString> rawType = json::readString(object, u"type");
    if (!rawType) {
        return std::unexpected(ParseError::invalidStepData(u"Display item type not found"_s));
    }
    const std::optional<ItemType> type = itemTypeFromRaw(*rawType);
    if (!type) {
        return std::unexpected(
            ParseError::invalidStepData(u"Unsupported display item type found: "_s + *rawType));
    }
    const std::optional<QString> onSuccess = json::readString(object, u"onSuccess");
    // The step-document form names the button style "style"; the JSON form, "buttonStyle".
    const std::optional<QString> style = json::readString(object, u"style");
    return create(*type, localization.translate(json::readString(object, u"label")),
                  localization.translate(json::readString(object, u"text")),
                  json::readString(object, u"previewURL"), json::readString(object, u"url"),
                  json::readString(object, u"method"),
                  onSuccess ? successActionFromRaw(*onSuccess) : std::nullopt,
                  json::readString(object, u"modalWorkflow"),
                  style ? buttonStyleFromRaw(*style) : std::nullopt);
}

std::expected<std::shared_ptr<DisplayItem>, DecodingError> DisplayItem::fromJson(
    const QJsonObject& json, const QString& path) {
    StoredFormReader reader(json, path);
    const QString rawType = reader.string(u"type");
    std::optional<ItemType> type;
    if (!reader.error()) {
        type = itemTypeFromRaw(rawType);
        if (!type) {
            reader.fail(invalidRawValue(reader, u"type", u"ItemType", rawType));
        }
    }
    std::optional<QString> label = reader.optionalString(u"label");
    std::optional<QString> text = reader.optionalString(u"text");
    std::optional<QString> previewURL = reader.optionalString(u"previewURL");
    std::optional<QString> url = reader.optionalString(u"url");
    std::optional<QString> method = reader.optionalString(u"method");
    const std::optional<SuccessAction> onSuccess = optionalRawValue<SuccessAction>(
        reader, u"onSuccess", u"SuccessAction", &successActionFromRaw);
    std::optional<QString> modalWorkflow = reader.optionalString(u"modalWorkflow");
    const std::optional<ButtonStyle> buttonStyle =
        optionalRawValue<ButtonStyle>(reader, u"buttonStyle", u"ButtonStyle", &buttonStyleFromRaw);
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    return std::make_shared<DisplayItem>(*type, std::move(label), std::move(text),
                                         std::move(previewURL), std::move(url), std::move(method),
                                         onSuccess, std::move(modalWorkflow), buttonStyle);
}

QJsonObject DisplayItem::toJson() const {
    QJsonObject json{{u"type"_s, rawValue(type)}};
    insertIfPresent(json, u"label"_s, label);
    insertIfPresent(json, u"text"_s, text);
    insertIfPresent(json, u"previewURL"_s, previewURL);
    insertIfPresent(json, u"url"_s, url);
    insertIfPresent(json, u"method"_s, method);
    if (onSuccess) {
        json.insert(u"onSuccess"_s, pathloom::rawValue(*onSuccess));
    }
    insertIfPresent(json, u"modalWorkflow"_s, modalWorkflow);
    if (buttonStyle) {
        json.insert(u"buttonStyle"_s, pathloom::rawValue(*buttonStyle));
    }
    return json;
}

std::shared_ptr<DisplayItem> DisplayItem::copy() const {
    return std::make_shared<DisplayItem>(*this);
}

}  // namespace pathloom
