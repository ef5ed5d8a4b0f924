#include "steps/DocumentCaptureController.h"

#include "foundation/QueuedWork.h"
#include "taskmodel/ORKFileResult.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The camera delivers pictures at the sensor's full size; beyond this they only make the file
// large without making the page easier to read.
QImage limited(const QImage& page) {
    const int side = DocumentCaptureController::kMaxPageSide;
    if (page.width() <= side && page.height() <= side) {
        return page;
    }
    return page.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

DocumentCaptureController::DocumentCaptureController(
    std::shared_ptr<PathloomDocumentCaptureStep> step, StepControllerDelegate& delegate,
    PDFImageRenderer renderer, QDateTime startDate)
    : m_step(std::move(step)),
      m_delegate(delegate),
      m_renderer(std::move(renderer)),
      m_startDate(std::move(startDate)),
      m_queue(DispatchQueue::serial(u"Pathloom.DocumentCapture.queue"_s)) {}

void DocumentCaptureController::pagesScanned(QList<QImage> pages) {
    if (pages.isEmpty()) {
        return;
    }
    using Rendered = std::expected<QUrl, PDFImageRenderError>;
    m_render = runAndDeliver<Rendered>(
        m_queue,
        [renderer = m_renderer, fileName = m_step->identifier,
         pages = std::move(pages)](const CancellationToken& token) -> Rendered {
            QList<QImage> scaled;
            scaled.reserve(pages.size());
            for (const QImage& page : pages) {
                if (token.isCancelled()) {
                    return std::unexpected(PDFImageRenderError());
                }
                scaled.append(limited(page));
            }
            return renderer.render(scaled, fileName);
        },
        DispatchQueue::main(),
        // Dropping the handle with the controller keeps this from running.
        [this](const Rendered& file) {
            m_render.release();
            store(file);
        });
}

void DocumentCaptureController::store(const std::expected<QUrl, PDFImageRenderError>& file) {
    if (!file) {
        m_delegate.showError(file.error());
        return;
    }
    auto result = std::make_shared<ORKFileResult>(m_step->identifier);
    result->startDate = m_startDate;
    result->endDate = QDateTime::currentDateTime();
    result->fileURL = *file;
    result->contentType = u"application/pdf"_s;
    m_delegate.addResult(std::move(result));
    m_delegate.goForward();
}

void DocumentCaptureController::cancelled() { m_delegate.goBackward(); }

void DocumentCaptureController::failed(const Error& error) { m_delegate.showError(error); }

}  // namespace pathloom
