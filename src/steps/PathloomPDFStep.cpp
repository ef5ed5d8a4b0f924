#include "steps/PathloomPDFStep.h"

#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

PathloomPDFStep::PathloomPDFStep(QString identifier, QString pdfURL,
                                 std::shared_ptr<NetworkManager> networkManager)
    : ORKStep(std::move(identifier)),
      m_pdfURL(std::move(pdfURL)),
      m_networkManager(std::move(networkManager)) {}

StepBuildResult PathloomPDFStep::build(const StepData& data, const StepContext&,
                                       const std::shared_ptr<NetworkManager>& networkManager,
                                       const std::shared_ptr<ImageLoader>&, const Localization&) {
    std::optional<QString> pdfURL = json::readString(data.content, u"pdfURL");
    if (!pdfURL) {
        return std::unexpected(ParseError::invalidStepData(u"Invalid PDF URL"_s));
    }
    return std::make_shared<PathloomPDFStep>(data.identifier, std::move(*pdfURL), networkManager);
}

}  // namespace pathloom
