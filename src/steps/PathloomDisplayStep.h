#pragma once

#include "steps/BuildableStep.h"
#include "steps/DisplayStep.h"
#include "steps/RemoteActionStep.h"
#include "steps/TableStep.h"
#include "taskmodel/ORKTableStep.h"

namespace pathloom {

// The static display step: a page of DisplayItem rows (texts, images, videos, buttons) taken
// from the step document.
class PathloomDisplayStep : public ORKTableStep,
                            public RemoteActionStep,
                            public TableStep,
                            public DisplayStep {
public:
    PathloomDisplayStep(QString identifier, std::shared_ptr<NetworkManager> networkManager,
                        std::shared_ptr<ImageLoader> imageLoader);

    // Reads the items from "items". A JSON null among them fails ("null display item found");
    // any other element that is not an object leaves the page without items; an item that does
    // not build fails the step with its error.
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

    [[nodiscard]] QMap<QString, QString> cellClassNames() const override;
    [[nodiscard]] std::optional<TableRow> tableRow(qsizetype row) const override;

private:
    std::shared_ptr<NetworkManager> m_networkManager;
    std::shared_ptr<ImageLoader> m_imageLoader;
};

}  // namespace pathloom
