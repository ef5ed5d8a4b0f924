#pragma once

#include "steps/BuildableStep.h"
#include "steps/ListStep.h"
#include "steps/RemoteContentStep.h"
#include "steps/SyncableContentSource.h"
#include "taskmodel/ORKTableStep.h"

namespace pathloom {

// The remote list step: its screen fetches the ListStepItem entries from the step's URL template
// each time the resolved URL changes; choosing one stores it as the step's result.
class PathloomNetworkListStep : public ORKTableStep,
                                public ListStep,
                                public SyncableContentSource,
                                public RemoteContentStep {
public:
    PathloomNetworkListStep(QString identifier, std::optional<QString> url,
                            std::optional<QString> emptyText,
                            std::shared_ptr<NetworkManager> networkManager,
                            std::shared_ptr<ImageLoader> imageLoader,
                            QList<qint64> secondaryWorkflowIDs);

    // Never fails: a missing "url" leaves the step without one; "emptyText" is translated; the
    // ids come from "workflows". The entries come later, from the server.
    [[nodiscard]] static StepBuildResult build(
        const StepData& data, const StepContext& context,
        const std::shared_ptr<NetworkManager>& networkManager,
        const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization);

    [[nodiscard]] const std::optional<QString>& url() const { return m_url; }
    // What the screen shows when the server's list is empty.
    [[nodiscard]] const std::optional<QString>& emptyText() const { return m_emptyText; }

    [[nodiscard]] std::optional<QString> contentURL() const override { return m_url; }
    [[nodiscard]] const std::shared_ptr<NetworkManager>& networkManager() const override {
        return m_networkManager;
    }
    [[nodiscard]] std::shared_ptr<ImageLoader> imageLoader() const override {
        return m_imageLoader;
    }
    [[nodiscard]] const QList<qint64>& secondaryWorkflowIDs() const override {
        return m_secondaryWorkflowIDs;
    }
    [[nodiscard]] const std::optional<QUrl>& resolvedURL() const override { return m_resolvedURL; }
    void setResolvedURL(std::optional<QUrl> url) override { m_resolvedURL = std::move(url); }

    [[nodiscard]] QMap<QString, QString> cellClassNames() const override;
    [[nodiscard]] std::optional<TableRow> tableRow(qsizetype row) const override;

private:
    std::optional<QString> m_url;
    std::optional<QString> m_emptyText;
    std::shared_ptr<NetworkManager> m_networkManager;
    std::shared_ptr<ImageLoader> m_imageLoader;
    QList<qint64> m_secondaryWorkflowIDs;
    std::optional<QUrl> m_resolvedURL;
};

}  // namespace pathloom
