#pragma once

#include "steps/BuildableStep.h"
#include "steps/ListStep.h"
#include "taskmodel/ORKTableStep.h"

namespace pathloom {

// The static list step: a list of ListStepItem entries from the step document; choosing one
// stores it as the step's result, and it may open one of the secondary workflows.
class PathloomListStep : public ORKTableStep, public ListStep {
public:
    PathloomListStep(QString identifier, std::shared_ptr<NetworkManager> networkManager,
                     std::shared_ptr<ImageLoader> imageLoader, QList<qint64> secondaryWorkflowIDs);

    // Never fails. Entries are read from "items" (an array of objects; otherwise none): each
    // needs an integer "id" and a text "text" or is dropped; "text" and "detailText" are
    // translated, "sfSymbolName" and "imageURL" are not. The ids come from "workflows".
    [[nodiscard]] static StepBuildResult build(
        const StepData& data, const StepContext& context,
        const std::shared_ptr<NetworkManager>& networkManager,
        const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization);

    [[nodiscard]] const std::shared_ptr<NetworkManager>& networkManager() const override {
        return m_networkManager;
    }
    [[nodiscard]] std::shared_ptr<ImageLoader> imageLoader() const override {
        return m_imageLoader;
    }
    [[nodiscard]] const QList<qint64>& secondaryWorkflowIDs() const override {
        return m_secondaryWorkflowIDs;
    }

    [[nodiscard]] QMap<QString, QString> cellClassNames() const override;
    [[nodiscard]] std::optional<TableRow> tableRow(qsizetype row) const override;

private:
    std::shared_ptr<NetworkManager> m_networkManager;
    std::shared_ptr<ImageLoader> m_imageLoader;
    QList<qint64> m_secondaryWorkflowIDs;
};

}  // namespace pathloom
