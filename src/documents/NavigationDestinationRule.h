#pragma once

#include "documents/DecodingError.h"
#include "documents/NavigationRuleOperand.h"
#include "documents/ParseError.h"

#include <QJsonObject>
#include <QString>
#include <expected>
#include <optional>

namespace pathloom {

// Where a navigation rule goes when a result property compares with a value.
struct NavigationDestinationRule {
    QString toStepIdentifier;
    std::optional<QString> propertyKeyPath;
    std::optional<NavigationRuleOperand> operand;
    std::optional<QString> value;

    // The document form: only "to" is required; an unknown operand is left out without error.
    [[nodiscard]] static std::expected<NavigationDestinationRule, ParseError> fromJson(
        const QJsonObject& json);

    [[nodiscard]] QJsonObject toStored() const;
    [[nodiscard]] static std::expected<NavigationDestinationRule, DecodingError> fromStored(
        const QJsonObject& object, const QString& path = {});

    friend bool operator==(const NavigationDestinationRule&,
                           const NavigationDestinationRule&) = default;
};

}  // namespace pathloom
