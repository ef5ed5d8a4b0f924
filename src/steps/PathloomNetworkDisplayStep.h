#pragma once

#include "steps/BuildableStep.h"
#include "steps/DisplayStep.h"
#include "steps/RemoteActionStep.h"
#include "steps/RemoteContentStep.h"
#include "steps/SyncableContentSource.h"
#include "steps/TableStep.h"
#include "taskmodel/ORKTableStep.h"

namespace pathloom {

// The remote display step: a page of DisplayItem rows that its screen fetches from the step's URL
// template each time the resolved URL changes; its buttons may call the server.
class PathloomNetworkDisplayStep : public ORKTableStep,
                                   public RemoteActionStep,
                                   public TableStep,
                                   public SyncableContentSource,
                                   public DisplayStep,
                                   public RemoteContentStep {
public:
    PathloomNetworkDisplayStep(QString identifier, std::optional<QString> url,
                               std::shared_ptr<NetworkManager> networkManager,
                               std::shared_ptr<ImageLoader> imageLoader);

    // Never fails: a missing "url" leaves the step without one. The items come later, from the
    // server.
    [[nodiscard]] static StepBuildResult build(
        const StepData& data, const StepContext& context,
        const std::shared_ptr<NetworkManager>& networkManager,
        const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization);

    [[nodiscard]] const std::optional<QString>& url() const { return m_url; }

    [[nodiscard]] std::optional<QString> contentURL() const override { return m_url; }
    [[nodiscard]] const std::shared_ptr<NetworkManager>& networkManager() const override {
        return m_networkManager;
    }
    [[nodiscard]] std::shared_ptr<ImageLoader> imageLoader() const override {
        return m_imageLoader;
    }
    [[nodiscard]] const std::optional<QUrl>& resolvedURL() const override { return m_resolvedURL; }
    void setResolvedURL(std::optional<QUrl> url) override { m_resolvedURL = std::move(url); }

    [[nodiscard]] QMap<QString, QString> cellClassNames() const override;
    [[nodiscard]] std::optional<TableRow> tableRow(qsizetype row) const override;

private:
    std::optional<QString> m_url;
    std::shared_ptr<NetworkManager> m_networkManager;
    std::shared_ptr<ImageLoader> m_imageLoader;
    std::optional<QUrl> m_resolvedURL;
};

}  // namespace pathloom
