#pragma once

#include "screens/StepScreenDelegate.h"
#include "taskscreens/ORKStepViewController.h"

#include <QPdfDocument>
#include <memory>

class QBuffer;
class QPdfView;

namespace pathloom {

class LoadingStateView;
class PdfStepController;
class PdfThumbnailStrip;

// The screen of a PDF step: the document its URL names, pages one under the other at the width
// of the view, beside a strip of page thumbnails. The document is fetched each time the screen
// appears, unless it already shows the document of that address; continue is enabled only while
// a document shows. A document that cannot be fetched or read is said in the error alert.
//
// Handles: the document view is "pdfView", the strip "pdfThumbnails". Main thread only.
class PathloomPDFViewController : public ORKStepViewController, public StepScreenDelegate {
    Q_OBJECT

public:
    PathloomPDFViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task);
    ~PathloomPDFViewController() override;

    [[nodiscard]] QPdfView* pdfView() const { return m_pdfView; }
    [[nodiscard]] PdfThumbnailStrip* thumbnailStrip() const { return m_thumbnails; }
    [[nodiscard]] LoadingStateView* loadingView() const { return m_loadingView; }
    [[nodiscard]] QPdfDocument& document() const { return *m_document; }

    void viewWillAppear() override;

    void setLoading(bool loading) override;
    void documentDidLoad(const QUrl& url, const QByteArray& bytes) override;
    void showError(const Error& error) override;

Q_SIGNALS:
    // A document shows and continue is enabled.
    void documentShown();

private:
    void documentStatusChanged(QPdfDocument::Status status);
    void clearDocument();
    void updateContinue();

    // The document reads from the buffer, so it goes first.
    std::unique_ptr<QBuffer> m_bytes;
    std::unique_ptr<QPdfDocument> m_document;
    QPdfView* m_pdfView;
    PdfThumbnailStrip* m_thumbnails;
    LoadingStateView* m_loadingView;
    std::unique_ptr<PdfStepController> m_controller;
    bool m_shown = false;
};

}  // namespace pathloom
