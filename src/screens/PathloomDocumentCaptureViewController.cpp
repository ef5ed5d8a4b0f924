#include "screens/PathloomDocumentCaptureViewController.h"

#include "platform/CameraCapture.h"
#include "run/WorkflowRunner.h"
#include "screens/PagePicker.h"
#include "steps/DocumentCaptureController.h"
#include "taskmodel/ORKStepResult.h"
#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/ORKTaskViewController.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

PathloomDocumentCaptureViewController::PathloomDocumentCaptureViewController(
    std::shared_ptr<ORKStep> step, ORKTaskViewController& task, bool useCamera)
    : ORKStepViewController(std::move(step), task),
      StepScreenDelegate(static_cast<ORKStepViewController&>(*this)),
      m_useCamera(useCamera) {
    // The capture's own Save and Cancel move the task.
    hideNavigationFooterView();
}

PathloomDocumentCaptureViewController::~PathloomDocumentCaptureViewController() = default;

void PathloomDocumentCaptureViewController::viewWillAppear() {
    ORKStepViewController::viewWillAppear();
    if (!m_controller) {
        auto capture = std::dynamic_pointer_cast<PathloomDocumentCaptureStep>(step());
        const std::shared_ptr<const ORKStepResult> current = result();
        if (capture && current) {
            m_controller = std::make_unique<DocumentCaptureController>(
                std::move(capture), static_cast<StepControllerDelegate&>(*this),
                PDFImageRenderer(taskViewController().runner()->environment().outputDirectory),
                current->startDate.value_or(QDateTime::currentDateTime()));
        }
    }
    if (m_pagePicker || !contentLayout()) {
        return;
    }
    if (m_useCamera && CameraCapture::isAvailable()) {
        setContentWidget(makeCamera());
        return;
    }
    m_pagePicker = new PagePicker;
    connect(m_pagePicker, &PagePicker::saved, this,
            [this](const QList<QImage>& pages) { save(pages); });
    connect(m_pagePicker, &PagePicker::cancelled, this, [this] { cancel(); });
    setContentWidget(m_pagePicker);
    updateTabOrder();
}

QWidget* PathloomDocumentCaptureViewController::makeCamera() {
    auto* page = new QWidget;
    auto* camera = new CameraCapture(false);
    auto* count = new ORKBodyLabel(tr("No pages yet."));
    auto* cancelButton = new QPushButton(tr("Cancel"));
    cancelButton->setObjectName(u"documentCamera:Cancel"_s);
    auto* saveButton = new QPushButton(tr("Save"));
    saveButton->setObjectName(u"documentCamera:Save"_s);
    saveButton->setEnabled(false);
    auto pages = std::make_shared<QList<QImage>>();
    connect(camera, &CameraCapture::captured, page,
            [count, saveButton, pages](const QImage& picture) {
                pages->append(picture);
                count->setText(tr("%n page(s)", nullptr, static_cast<int>(pages->size())));
                saveButton->setEnabled(true);
            });
    connect(saveButton, &QPushButton::clicked, this, [this, pages] { save(*pages); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(count, 1);
    buttons->addWidget(cancelButton);
    buttons->addWidget(saveButton);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(camera, 1);
    layout->addLayout(buttons);
    return page;
}

void PathloomDocumentCaptureViewController::save(QList<QImage> pages) {
    if (m_controller) {
        m_controller->pagesScanned(std::move(pages));
    }
}

void PathloomDocumentCaptureViewController::cancel() {
    if (m_controller) {
        m_controller->cancelled();
    }
}

}  // namespace pathloom
