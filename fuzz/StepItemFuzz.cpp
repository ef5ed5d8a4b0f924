// The JSON forms of a list step's entries and of a display page's items, and the display item's
// step-document form. Whatever decodes must come back the same from its own JSON form.

#include "FuzzSupport.h"
#include "documents/TranslationLocale.h"
#include "loading/Localization.h"
#include "steps/DisplayItem.h"
#include "steps/ListStepItem.h"

using namespace pathloom;
using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ensureApplication();
    const std::optional<QJsonObject> json = fuzz::jsonObjectOf(fuzz::bytesOf(data, size));
    if (!json) {
        return 0;
    }

    if (const auto item = ListStepItem::fromJson(*json, u"items[0]"_s)) {
        (void)(*item)->description();
        (void)(*item)->content();
        const auto again = ListStepItem::fromJson((*item)->toJson());
        if (!again || !(**again == **item)) {
            fuzz::fail("a list entry's JSON form gives another entry");
        }
    } else {
        (void)item.error().description();
    }

    if (const auto item = DisplayItem::fromJson(*json, u"items[0]"_s)) {
        const auto again = DisplayItem::fromJson((*item)->toJson());
        if (!again || !(**again == **item)) {
            fuzz::fail("a display item's JSON form gives another item");
        }
    } else {
        (void)item.error().description();
    }

    static const Localization localization(
        QList<TranslationLocale>{{u"fr"_s, {{1, u"Title"_s, u"Titre"_s, 2}}}}, {u"fr"_s});
    if (const auto item = DisplayItem::fromStepDocument(*json, localization); !item) {
        (void)item.error().description();
    }
    return 0;
}
