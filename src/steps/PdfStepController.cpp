#include "steps/PdfStepController.h"

#include "foundation/DispatchQueue.h"
#include "network/NetworkManager.h"
#include "steps/PathloomPDFViewControllerError.h"

namespace pathloom {

namespace {

// What every PDF file begins with; a server that answers with anything else (a JSON error, a
// login page) sent no document.
constexpr QByteArrayView kPdfSignature("%PDF-");

}  // namespace

PdfStepController::PdfStepController(std::shared_ptr<PathloomPDFStep> step,
                                     StepControllerDelegate& delegate)
    : PdfStepController(
          step, delegate,
          std::make_shared<DocumentDownloader>(step->networkManager()->networkQueue())) {}

PdfStepController::PdfStepController(std::shared_ptr<PathloomPDFStep> step,
                                     StepControllerDelegate& delegate,
                                     std::shared_ptr<DocumentDownloader> downloader)
    : m_step(std::move(step)), m_delegate(delegate), m_downloader(std::move(downloader)) {}

void PdfStepController::start() {
    const std::optional<QUrl> url = m_step->networkManager()->url(m_step->pdfURL());
    if (!url || !DocumentDownloader::accepts(*url)) {
        m_loadedURL.reset();
        stopLoading();
        m_delegate.showError(PathloomPDFViewControllerError::invalidURL());
        return;
    }
    if (url == m_loadedURL || url == m_fetchingURL) {
        return;
    }
    fetch(*url);
}

void PdfStepController::fetch(const QUrl& url) {
    // The document of the earlier address is not the one the step names any more.
    m_loadedURL.reset();
    if (!m_fetchingURL) {
        m_delegate.setLoading(true);
    }
    m_fetchingURL = url;
    // Dropping the handle, with the controller or for a newer fetch, keeps this from running.
    m_fetch = m_downloader->fetch(url, DispatchQueue::main(),
                                  [this, url](const DocumentDownloader::Result& body) {
                                      m_fetch.release();
                                      finish(url, body);
                                  });
}

void PdfStepController::finish(const QUrl& url, const DocumentDownloader::Result& body) {
    m_fetchingURL.reset();
    if (body && body->startsWith(kPdfSignature)) {
        m_loadedURL = url;
        m_delegate.documentDidLoad(url, *body);
    } else {
        m_delegate.showError(PathloomPDFViewControllerError::unableToLoad());
    }
    m_delegate.setLoading(false);
}

void PdfStepController::stopLoading() {
    if (!m_fetchingURL) {
        return;
    }
    m_fetch.cancel();
    m_fetchingURL.reset();
    m_delegate.setLoading(false);
}

}  // namespace pathloom
