#include "steps/DisplayItemRepresentation.h"

#include "network/HTTPMethod.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

DisplayItemButtonAction buttonAction(const DisplayItem& item) {
    if (item.modalWorkflow) {
        return DisplayItemButtonAction::ModalWorkflow{*item.modalWorkflow, item.onSuccess};
    }
    if (item.url && item.method) {
        // Items from the server may carry any method; only these two make a remote action.
        const std::optional<HTTPMethod> method = httpMethodFromRaw(item.method->toUpper());
        if (method == HTTPMethod::put || method == HTTPMethod::del) {
            return RemoteAction{*method, *item.url, item.onSuccess};
        }
    }
    return DisplayItemButtonAction::SimpleTap{item.onSuccess};
}

}  // namespace

std::optional<DisplayItemRepresentation> DisplayItemRepresentation::representation(
    const DisplayItem& item) {
    switch (item.type) {
        case DisplayItem::ItemType::text:
            return DisplayItemRepresentation(Text{item.label, item.text});
        case DisplayItem::ItemType::image:
            return DisplayItemRepresentation(Image{item.previewURL, item.url});
        case DisplayItem::ItemType::video:
            return DisplayItemRepresentation(Video{item.previewURL, item.url});
        case DisplayItem::ItemType::button:
            if (!item.label) {
                return std::nullopt;
            }
            return DisplayItemRepresentation(Button{
                *item.label, item.buttonStyle.value_or(ButtonStyle::primary), buttonAction(item)});
    }
    return std::nullopt;
}

DisplayItemRepresentation::Cell DisplayItemRepresentation::cellOf(DisplayItem::ItemType type) {
    switch (type) {
        case DisplayItem::ItemType::text:
            return Cell::text;
        case DisplayItem::ItemType::image:
            return Cell::image;
        case DisplayItem::ItemType::video:
            return Cell::video;
        case DisplayItem::ItemType::button:
            return Cell::button;
    }
    return Cell::text;
}

QString DisplayItemRepresentation::name(Cell cell) {
    switch (cell) {
        case Cell::text:
            return u"text"_s;
        case Cell::image:
            return u"image"_s;
        case Cell::video:
            return u"video"_s;
        case Cell::button:
            return u"button"_s;
    }
    return {};
}

QString DisplayItemRepresentation::reuseIdentifier(Cell cell) {
    return name(cell) + u"ReuseIdentifier"_s;
}

DisplayItemRepresentation::Cell DisplayItemRepresentation::cell() const {
    // The cases of Shown are listed in the order of Cell.
    return Cell(m_shown.index());
}

}  // namespace pathloom
