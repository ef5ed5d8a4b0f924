#pragma once

#include "foundation/Cancellable.h"
#include "foundation/DispatchQueue.h"
#include "foundation/Error.h"
#include "network/PDFImageRenderer.h"
#include "steps/PathloomDocumentCaptureStep.h"
#include "steps/StepControllerDelegate.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <memory>

namespace pathloom {

// What a document capture step does with what the document camera reports: the scanned pages
// become one PDF file, recorded as the step's file result before the task moves on.
//
// Lives on the main thread and reports to its delegate there. The file is written on a queue of
// its own ("Pathloom.DocumentCapture.queue"); a scan still being written when the controller goes
// is dropped without a report.
class DocumentCaptureController {
public:
    // The longest side a page keeps; larger pictures are scaled down to it.
    static constexpr int kMaxPageSide = 4096;

    // `renderer` writes into the folder that keeps the run's files; `startDate` is when the step's
    // current result began.
    DocumentCaptureController(std::shared_ptr<PathloomDocumentCaptureStep> step,
                              StepControllerDelegate& delegate, PDFImageRenderer renderer,
                              QDateTime startDate);

    // Writes the pages, in order, into "<step identifier>.pdf", one page each, then adds the file
    // result and goes forward; a write that fails is shown as an error. A scan without pages does
    // nothing. A newer scan replaces one still being written.
    void pagesScanned(QList<QImage> pages);
    // The user closed the camera without scanning.
    void cancelled();
    // The camera failed.
    void failed(const Error& error);

private:
    void store(const std::expected<QUrl, PDFImageRenderError>& file);

    std::shared_ptr<PathloomDocumentCaptureStep> m_step;
    StepControllerDelegate& m_delegate;
    PDFImageRenderer m_renderer;
    QDateTime m_startDate;
    std::shared_ptr<DispatchQueue> m_queue;
    // Dropped before the queue, which then waits only for a write already under way.
    Cancellable m_render;
};

}  // namespace pathloom
