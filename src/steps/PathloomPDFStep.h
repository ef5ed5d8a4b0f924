#pragma once

#include "steps/BuildableStep.h"
#include "taskmodel/ORKStep.h"

namespace pathloom {

// The PDF step: its screen fetches a PDF document from the server and shows it.
class PathloomPDFStep : public ORKStep {
public:
    PathloomPDFStep(QString identifier, QString pdfURL,
                    std::shared_ptr<NetworkManager> networkManager);

    // Needs a text "pdfURL" ("Invalid PDF URL" otherwise).
    [[nodiscard]] static StepBuildResult build(
        const StepData& data, const StepContext& context,
        const std::shared_ptr<NetworkManager>& networkManager,
        const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization);

    // The URL template of the document.
    [[nodiscard]] const QString& pdfURL() const { return m_pdfURL; }
    [[nodiscard]] const std::shared_ptr<NetworkManager>& networkManager() const {
        return m_networkManager;
    }

private:
    QString m_pdfURL;
    std::shared_ptr<NetworkManager> m_networkManager;
};

}  // namespace pathloom
