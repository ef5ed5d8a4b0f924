#include "documents/NavigationRule.h"

#include "documents/ParseAll.h"
#include "documents/StoredForm.h"
#include "documents/StoredFormReader.h"
#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

std::expected<NavigationRule, ParseError> NavigationRule::fromJson(const QJsonObject& json) {
    std::optional<QString> from = json::readString(json, u"from");
    if (!from) {
        return std::unexpected(
            ParseError::invalidNavigationRule(u"Missing 'from' stepIdentifier"_s));
    }
    auto destinations =
        parseAll(json::readObjectList(json, u"rules").value_or(QList<QJsonObject>{}),
                 NavigationDestinationRule::fromJson);
    if (!destinations) {
        return std::unexpected(destinations.error());
    }
    return NavigationRule{std::move(*from), std::move(*destinations)};
}

QJsonObject NavigationRule::toStored() const {
    return {{u"from"_s, fromStepIdentifier},
            {u"destinationsRules"_s, toStoredArray(destinationsRules)}};
}

std::expected<NavigationRule, DecodingError> NavigationRule::fromStored(const QJsonObject& object,
                                                                        const QString& path) {
    StoredFormReader reader(object, path);
    NavigationRule rule{
        reader.string(u"from"),
        reader.list<NavigationDestinationRule>(u"destinationsRules",
                                               NavigationDestinationRule::fromStored),
    };
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    return rule;
}

}  // namespace pathloom
