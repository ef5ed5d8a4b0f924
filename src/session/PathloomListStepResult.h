#pragma once

#include "documents/DecodingError.h"
#include "session/JSONRepresentable.h"
#include "session/ValueProvider.h"
#include "steps/ListStepItem.h"
#include "taskmodel/NavigationTriggerResult.h"
#include "taskmodel/ORKResult.h"

#include <QJsonObject>
#include <expected>
#include <memory>

namespace pathloom {

// The result of a list step: the entry the user picked, if any. In the session, list.selected
// gives the entry and list.selected.text its text.
class PathloomListStepResult : public ORKResult,
                               public ValueProvider,
                               public JSONRepresentable,
                               public NavigationTriggerResult {
public:
    PathloomListStepResult(QString identifier, std::shared_ptr<ListStepItem> selected);

    std::shared_ptr<ListStepItem> selected;

    // The stored form: {"selected": the entry's JSON}, the key left out when nothing is selected.
    [[nodiscard]] QJsonObject toJson() const;
    [[nodiscard]] static std::expected<std::shared_ptr<PathloomListStepResult>, DecodingError>
    fromJson(QString identifier, const QJsonObject& json);

    // The same identifier, sharing the same entry; the dates are those of a new result.
    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override;

    [[nodiscard]] Value::Dictionary content() const override;
    [[nodiscard]] Value fetchValue(const QString& key) const override;
    [[nodiscard]] Value fetchProvider(const QString& key) const override;
    [[nodiscard]] std::optional<QByteArray> jsonRepresentation() const override;
    // The id of the selected entry.
    [[nodiscard]] Value navigationValue() const override;
};

}  // namespace pathloom
