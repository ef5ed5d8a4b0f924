#include "screens/PathloomPDFViewController.h"

#include "screens/LoadingStateView.h"
#include "screens/PdfThumbnailStrip.h"
#include "steps/PathloomPDFStep.h"
#include "steps/PathloomPDFViewControllerError.h"
#include "steps/PdfStepController.h"

#include <QAction>
#include <QBuffer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPdfPageNavigator>
#include <QPdfView>

namespace pathloom {

using namespace Qt::StringLiterals;

PathloomPDFViewController::PathloomPDFViewController(std::shared_ptr<ORKStep> step,
                                                     ORKTaskViewController& task)
    : ORKStepViewController(step, task),
      StepScreenDelegate(static_cast<ORKStepViewController&>(*this)),
      m_bytes(std::make_unique<QBuffer>()),
      m_document(std::make_unique<QPdfDocument>()),
      m_pdfView(new QPdfView),
      m_loadingView(new LoadingStateView) {
    m_pdfView->setObjectName(u"pdfView"_s);
    m_pdfView->setPageMode(QPdfView::PageMode::MultiPage);
    m_pdfView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_pdfView->setDocument(m_document.get());
    m_thumbnails = new PdfThumbnailStrip(*m_pdfView);
    connect(m_document.get(), &QPdfDocument::statusChanged, this,
            &PathloomPDFViewController::documentStatusChanged);

    auto* stack = new QWidget;
    auto* stackLayout = new QHBoxLayout(stack);
    stackLayout->setContentsMargins(0, 0, 0, 0);
    stackLayout->setSpacing(0);
    stackLayout->addWidget(m_thumbnails);
    stackLayout->addWidget(m_pdfView, 1);
    // It hides the document view, in the screen's own background, while a document loads.
    m_loadingView->setAutoFillBackground(true);
    m_loadingView->hide();
    auto* page = new QWidget;
    auto* pageLayout = new QGridLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(stack, 0, 0);
    pageLayout->addWidget(m_loadingView, 0, 0);
    setContentWidget(page);
    continueButtonItem()->setEnabled(false);

    if (auto pdf = std::dynamic_pointer_cast<PathloomPDFStep>(step)) {
        m_controller = std::make_unique<PdfStepController>(std::move(pdf), *this);
    }
}

PathloomPDFViewController::~PathloomPDFViewController() {
    // The fetch reports to this screen; it ends before the screen's parts go.
    m_controller.reset();
    m_pdfView->setDocument(nullptr);
}

void PathloomPDFViewController::viewWillAppear() {
    ORKStepViewController::viewWillAppear();
    updateContinue();
    if (m_controller) {
        m_controller->start();
    }
}

void PathloomPDFViewController::setLoading(bool loading) {
    m_loadingView->setVisible(loading);
    updateContinue();
}

void PathloomPDFViewController::documentDidLoad(const QUrl& /*url*/, const QByteArray& bytes) {
    clearDocument();
    m_bytes->setData(bytes);
    m_bytes->open(QIODevice::ReadOnly);
    m_document->load(m_bytes.get());
}

void PathloomPDFViewController::showError(const Error& error) {
    // The document on screen is not the one the step names any more.
    if (m_controller && !m_controller->hasDocument()) {
        clearDocument();
    }
    StepScreenDelegate::showError(error);
}

void PathloomPDFViewController::documentStatusChanged(QPdfDocument::Status status) {
    switch (status) {
        case QPdfDocument::Status::Ready:
            m_shown = true;
            m_pdfView->pageNavigator()->jump(0, {});
            updateContinue();
            break;
        case QPdfDocument::Status::Error:
            m_shown = false;
            updateContinue();
            if (m_controller) {
                m_controller->documentUnreadable();
            }
            StepScreenDelegate::showError(PathloomPDFViewControllerError::unableToLoad());
            break;
        default:
            break;
    }
}

void PathloomPDFViewController::clearDocument() {
    m_shown = false;
    m_document->close();
    m_bytes->close();
    m_bytes->setData(QByteArray());
    updateContinue();
}

void PathloomPDFViewController::updateContinue() {
    const bool enabled = m_shown && !m_loadingView->isVisibleTo(this);
    const bool wasEnabled = continueButtonItem()->isEnabled();
    continueButtonItem()->setEnabled(enabled);
    if (enabled && !wasEnabled) {
        Q_EMIT documentShown();
    }
}

}  // namespace pathloom
