#pragma once

#include "documents/DecodingError.h"
#include "documents/NavigationRule.h"
#include "documents/ParseError.h"
#include "documents/StepData.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <expected>
#include <optional>

namespace pathloom {

class ImageLoader;

// One workflow document: its steps in order and the rules that choose the next step.
struct WorkflowData {
    qint64 id = 0;
    QString identifier;
    std::optional<QString> name;
    std::optional<QString> sfSymbolName;
    QList<StepData> steps;
    QList<NavigationRule> navigationRules;

    // The document form: "id", "identifier" and "steps" are required, read in that order.
    [[nodiscard]] static std::expected<WorkflowData, ParseError> fromJson(const QJsonObject& json,
                                                                          ImageLoader& imageLoader);

    [[nodiscard]] QJsonObject toStored() const;
    [[nodiscard]] static std::expected<WorkflowData, DecodingError> fromStored(
        const QJsonObject& object, const QString& path = {});

    friend bool operator==(const WorkflowData&, const WorkflowData&) = default;
};

}  // namespace pathloom
