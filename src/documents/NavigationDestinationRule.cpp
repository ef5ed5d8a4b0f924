#include "documents/NavigationDestinationRule.h"

#include "documents/StoredFormReader.h"
#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

std::expected<NavigationRuleOperand, DecodingError> operandFromStored(const QJsonObject& object,
                                                                      const QString& path) {
    StoredFormReader reader(object, path);
    const QString raw = reader.string(u"rawValue");
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    const std::optional<NavigationRuleOperand> operand = navigationRuleOperandFromRaw(raw);
    if (!operand) {
        const ParseError error = ParseError::invalidNavigationRule(u"Unsupported rule operand"_s);
        return std::unexpected(DecodingError::dataCorrupted(path, error.description()));
    }
    return *operand;
}

}  // namespace

std::expected<NavigationDestinationRule, ParseError> NavigationDestinationRule::fromJson(
    const QJsonObject& json) {
    std::optional<QString> to = json::readString(json, u"to");
    if (!to) {
        return std::unexpected(ParseError::invalidNavigationRule(u"Missing 'to' stepIdentifier"_s));
    }
    const std::optional<QString> operand = json::readString(json, u"operand");
    return NavigationDestinationRule{
        std::move(*to),
        json::readString(json, u"propertyKeyPath"),
        operand ? navigationRuleOperandFromRaw(*operand) : std::nullopt,
        json::readString(json, u"value"),
    };
}

QJsonObject NavigationDestinationRule::toStored() const {
    QJsonObject stored{{u"to"_s, toStepIdentifier}};
    if (propertyKeyPath) {
        stored.insert(u"propertyKeyPath"_s, *propertyKeyPath);
    }
    if (operand) {
        stored.insert(u"operand"_s, QJsonObject{{u"rawValue"_s, rawValue(*operand)}});
    }
    if (value) {
        stored.insert(u"value"_s, *value);
    }
    return stored;
}

std::expected<NavigationDestinationRule, DecodingError> NavigationDestinationRule::fromStored(
    const QJsonObject& object, const QString& path) {
    StoredFormReader reader(object, path);
    NavigationDestinationRule rule{
        reader.string(u"to"),
        reader.optionalString(u"propertyKeyPath"),
        reader.optionalValue<NavigationRuleOperand>(u"operand", operandFromStored),
        reader.optionalString(u"value"),
    };
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    return rule;
}

}  // namespace pathloom
