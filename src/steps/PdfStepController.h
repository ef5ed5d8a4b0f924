#pragma once

#include "foundation/Cancellable.h"
#include "network/DocumentDownloader.h"
#include "steps/PathloomPDFStep.h"
#include "steps/StepControllerDelegate.h"

#include <QUrl>
#include <memory>
#include <optional>

namespace pathloom {

// What a PDF step does while it is shown: fetches the document its URL template names and hands
// it to the delegate to show. The document may live on another host than the app's server, so
// it is fetched without the stored session token.
//
// Lives on the main thread and reports to its delegate there. A fetch still running when the
// controller goes is cancelled and reports nothing.
class PdfStepController {
public:
    // Fetches through a downloader of its own on the step's network client's queue.
    PdfStepController(std::shared_ptr<PathloomPDFStep> step, StepControllerDelegate& delegate);
    PdfStepController(std::shared_ptr<PathloomPDFStep> step, StepControllerDelegate& delegate,
                      std::shared_ptr<DocumentDownloader> downloader);

    // Loads the document, each time the step appears: resolves the URL template again; an
    // address that does not resolve to http or https is shown as an error. The document already
    // loaded, or already being fetched, from that address is not fetched again. Otherwise the
    // fetch is shown as loading, and ends with documentDidLoad() for a PDF or with an error for
    // anything else.
    void start();

    // Whether the document of the step's current address has loaded: what allows continuing.
    [[nodiscard]] bool hasDocument() const { return m_loadedURL.has_value(); }
    [[nodiscard]] bool isLoading() const { return m_fetchingURL.has_value(); }
    // The delegate could not read the document it was given: the next start fetches it again.
    void documentUnreadable() { m_loadedURL.reset(); }

private:
    void fetch(const QUrl& url);
    void finish(const QUrl& url, const DocumentDownloader::Result& body);
    void stopLoading();

    std::shared_ptr<PathloomPDFStep> m_step;
    StepControllerDelegate& m_delegate;
    std::shared_ptr<DocumentDownloader> m_downloader;
    std::optional<QUrl> m_loadedURL;
    // Present exactly while m_fetch runs.
    std::optional<QUrl> m_fetchingURL;
    Cancellable m_fetch;
};

}  // namespace pathloom
