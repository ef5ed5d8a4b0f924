#pragma once

#include "documents/DecodingError.h"
#include "documents/NavigationDestinationRule.h"
#include "documents/ParseError.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <expected>

namespace pathloom {

// The destinations to choose from after the step `fromStepIdentifier`, in the order they are tried.
struct NavigationRule {
    QString fromStepIdentifier;
    QList<NavigationDestinationRule> destinationsRules;

    // The document form: "from" is required; the destinations are read from "rules".
    [[nodiscard]] static std::expected<NavigationRule, ParseError> fromJson(
        const QJsonObject& json);

    [[nodiscard]] QJsonObject toStored() const;
    [[nodiscard]] static std::expected<NavigationRule, DecodingError> fromStored(
        const QJsonObject& object, const QString& path = {});

    friend bool operator==(const NavigationRule&, const NavigationRule&) = default;
};

}  // namespace pathloom
