#pragma once

#include "steps/ButtonStyle.h"
#include "steps/DisplayItem.h"
#include "steps/DisplayItemButtonAction.h"

#include <QString>
#include <optional>
#include <utility>
#include <variant>

namespace pathloom {

// What the row of a display item shows: a text block, an image or a video with its preview, or a
// button with its look and action.
class DisplayItemRepresentation {
public:
    // The kinds of rows, each drawn by its own kind of cell.
    enum class Cell { text, image, video, button };

    struct Text {
        std::optional<QString> label;
        std::optional<QString> text;
        friend bool operator==(const Text&, const Text&) = default;
    };
    struct Image {
        std::optional<QString> previewURL;
        std::optional<QString> url;
        friend bool operator==(const Image&, const Image&) = default;
    };
    struct Video {
        std::optional<QString> previewURL;
        std::optional<QString> url;
        friend bool operator==(const Video&, const Video&) = default;
    };
    struct Button {
        QString label;
        ButtonStyle style = ButtonStyle::primary;
        DisplayItemButtonAction action;
        friend bool operator==(const Button&, const Button&) = default;
    };
    using Shown = std::variant<Text, Image, Video, Button>;

    // Each case converts to a representation.
    // NOLINTBEGIN(google-explicit-constructor)
    DisplayItemRepresentation(Text text) : m_shown(std::move(text)) {}
    DisplayItemRepresentation(Image image) : m_shown(std::move(image)) {}
    DisplayItemRepresentation(Video video) : m_shown(std::move(video)) {}
    DisplayItemRepresentation(Button button) : m_shown(std::move(button)) {}
    // NOLINTEND(google-explicit-constructor)

    // What `item` shows. A button shows its style (primary when it has none) and the first action
    // that applies: its modal workflow, a PUT or DELETE remote action with both URL and method,
    // or a simple tap. A button without a label has nothing to show.
    [[nodiscard]] static std::optional<DisplayItemRepresentation> representation(
        const DisplayItem& item);

    // The kind of row of an item of type `type`, which a representation of the item would have.
    [[nodiscard]] static Cell cellOf(DisplayItem::ItemType type);
    [[nodiscard]] static QString name(Cell cell);
    // The name of the kind followed by "ReuseIdentifier" ("textReuseIdentifier").
    [[nodiscard]] static QString reuseIdentifier(Cell cell);

    [[nodiscard]] Cell cell() const;
    [[nodiscard]] const Shown& shown() const { return m_shown; }
    // The representation when it is of case T, else null.
    template <typename T>
    [[nodiscard]] const T* as() const {
        return std::get_if<T>(&m_shown);
    }

    friend bool operator==(const DisplayItemRepresentation&,
                           const DisplayItemRepresentation&) = default;

private:
    Shown m_shown;
};

}  // namespace pathloom
