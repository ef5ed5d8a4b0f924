#pragma once

#include "documents/DecodingError.h"
#include "documents/ParseError.h"
#include "steps/ButtonStyle.h"
#include "steps/SuccessAction.h"
#include "taskmodel/ORKObject.h"

#include <QJsonObject>
#include <QString>
#include <expected>
#include <memory>
#include <optional>

namespace pathloom {

class Localization;

// One item of a display page: a text block, an image, a video or a button. Items come from step
// documents (validated, texts translated) or from the server's reply (JSON form, any method kept);
// DisplayItemRepresentation says what each one shows.
class DisplayItem : public ORKObject {
public:
    enum class ItemType { text, image, video, button };

    [[nodiscard]] static QString rawValue(ItemType type);
    // The type whose raw value is exactly `raw`; nothing for any other text.
    [[nodiscard]] static std::optional<ItemType> itemTypeFromRaw(QStringView raw);

    // An item with these values as they are; the JSON form creates items this way.
    explicit DisplayItem(ItemType type, std::optional<QString> label = {},
                         std::optional<QString> text = {}, std::optional<QString> previewURL = {},
                         std::optional<QString> url = {}, std::optional<QString> method = {},
                         std::optional<SuccessAction> onSuccess = {},
                         std::optional<QString> modalWorkflow = {},
                         std::optional<ButtonStyle> buttonStyle = {});

    // An item whose method, when present, is PUT or DELETE in any letter case; any other method
    // fails with "<METHOD> actions are not supported".
    [[nodiscard]] static std::expected<std::shared_ptr<DisplayItem>, ParseError> create(
        ItemType type, std::optional<QString> label = {}, std::optional<QString> text = {},
        std::optional<QString> previewURL = {}, std::optional<QString> url = {},
        std::optional<QString> method = {}, std::optional<SuccessAction> onSuccess = {},
        std::optional<QString> modalWorkflow = {}, std::optional<ButtonStyle> buttonStyle = {});

    // The step-document form: "type" is required and must name an item type; an unknown
    // "onSuccess" or "style" reads as absent; "label" and "text" are translated.
    [[nodiscard]] static std::expected<std::shared_ptr<DisplayItem>, ParseError> fromStepDocument(
        const QJsonObject& object, const Localization& localization);

    // The JSON form: "type" is required; an unknown "type", "onSuccess" or "buttonStyle" fails,
    // and so does a present key of another JSON type. The optional keys are written when present.
    [[nodiscard]] static std::expected<std::shared_ptr<DisplayItem>, DecodingError> fromJson(
        const QJsonObject& json, const QString& path = {});
    [[nodiscard]] QJsonObject toJson() const;

    [[nodiscard]] std::shared_ptr<DisplayItem> copy() const;

    ItemType type;
    // The heading of a text item, the title of a button.
    std::optional<QString> label;
    std::optional<QString> text;
    std::optional<QString> previewURL;
    // The image or video address; for a button, the URL template of its remote action.
    std::optional<QString> url;
    std::optional<QString> method;
    std::optional<SuccessAction> onSuccess;
    // The name of the workflow a button opens modally.
    std::optional<QString> modalWorkflow;
    std::optional<ButtonStyle> buttonStyle;

    friend bool operator==(const DisplayItem& a, const DisplayItem& b) {
        return a.type == b.type && a.label == b.label && a.text == b.text &&
               a.previewURL == b.previewURL && a.url == b.url && a.method == b.method &&
               a.onSuccess == b.onSuccess && a.modalWorkflow == b.modalWorkflow &&
               a.buttonStyle == b.buttonStyle;
    }
};

}  // namespace pathloom
