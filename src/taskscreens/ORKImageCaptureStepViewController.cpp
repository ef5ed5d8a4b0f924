#include "taskscreens/ORKImageCaptureStepViewController.h"

#include "platform/CameraCapture.h"
#include "run/CapturedFiles.h"
#include "screens/AlertDialog.h"
#include "taskmodel/ORKImageCaptureStep.h"
#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/ORKTaskViewController.h"
#include "taskscreens/ORKTitleLabel.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kPreviewHeight = 280;
constexpr qint64 kFrontCamera = 2;

// The local file a drop carries, if it carries exactly one.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().first().isLocalFile()) {
        return {};
    }
    return data->urls().first().toLocalFile();
}

}  // namespace

ORKImageCaptureStepViewController::ORKImageCaptureStepViewController(std::shared_ptr<ORKStep> step,
                                                                     ORKTaskViewController& task,
                                                                     QWidget* parent)
    : ORKStepViewController(step, task, parent),
      m_preview(new QLabel),
      m_choose(new QPushButton(u"Choose Photo\u2026"_s)),
      m_retake(new QPushButton(u"Retake"_s)),
      m_cameraArea(new QWidget) {
    QVBoxLayout& content = *contentLayout();
    if (step->title) {
        content.addWidget(new ORKTitleLabel(*step->title));
    }
    if (step->text) {
        content.addWidget(new ORKBodyLabel(*step->text));
    }
    auto* cameraLayout = new QVBoxLayout(m_cameraArea);
    cameraLayout->setContentsMargins(0, 0, 0, 0);
    m_cameraArea->hide();
    content.addWidget(m_cameraArea);
    m_preview->setObjectName(u"preview"_s);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setMinimumHeight(kPreviewHeight);
    m_preview->setText(u"Choose a photo, or drop a picture file here."_s);
    m_preview->setWordWrap(true);
    m_preview->setForegroundRole(QPalette::PlaceholderText);
    content.addWidget(m_preview);
    auto* buttons = new QHBoxLayout;
    m_choose->setObjectName(u"choosePhoto"_s);
    m_retake->setObjectName(u"retake"_s);
    m_retake->hide();
    buttons->addWidget(m_choose);
    buttons->addWidget(m_retake);
    buttons->addStretch();
    content.addLayout(buttons);
    connect(m_choose, &QPushButton::clicked, this, [this] { choosePhoto(); });
    connect(m_retake, &QPushButton::clicked, this, [this] { retake(); });
    setAcceptDrops(true);
    continueButtonItem()->setEnabled(false);
}

void ORKImageCaptureStepViewController::viewWillAppear() {
    ORKStepViewController::viewWillAppear();
    continueButtonItem()->setText(u"Use Photo"_s);
}

void ORKImageCaptureStepViewController::viewDidAppear() {
    ORKStepViewController::viewDidAppear();
    startCamera();
}

void ORKImageCaptureStepViewController::startCamera() {
    if (m_camera || !m_picture.isNull() || !CameraCapture::isAvailable()) {
        return;
    }
    const auto& capture = static_cast<const ORKImageCaptureStep&>(*step());
    m_camera = new CameraCapture(capture.devicePosition == kFrontCamera, m_cameraArea);
    m_cameraArea->layout()->addWidget(m_camera);
    m_cameraArea->show();
    m_preview->hide();
    connect(m_camera, &CameraCapture::captured, this, [this](const QImage& picture) {
        m_path.clear();
        preview(picture);
    });
}

void ORKImageCaptureStepViewController::viewWillDisappear() {
    ORKStepViewController::viewWillDisappear();
    delete m_camera;
    m_cameraArea->hide();
}

void ORKImageCaptureStepViewController::choosePhoto() {
    auto* dialog = new QFileDialog(
        this, u"Choose Photo"_s, QDir::homePath(),
        u"Pictures (*.png *.jpg *.jpeg *.heic *.heif *.gif *.bmp *.webp *.tif *.tiff)"_s);
    dialog->setObjectName(u"photoPicker"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, this,
            [this](const QString& path) { usePicture(path); });
    dialog->open();
}

bool ORKImageCaptureStepViewController::usePicture(const QString& path) {
    std::expected<QImage, CaptureError> picture = CapturedFiles::readPicture(path);
    if (!picture) {
        AlertDialog::showError(this, picture.error());
        return false;
    }
    m_path = path;
    preview(*picture);
    return true;
}

void ORKImageCaptureStepViewController::preview(const QImage& picture) {
    m_picture = picture;
    delete m_camera;
    m_cameraArea->hide();
    m_preview->show();
    m_preview->setPixmap(QPixmap::fromImage(picture.scaled(
        m_preview->width(), kPreviewHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    m_retake->show();
    continueButtonItem()->setEnabled(true);
}

void ORKImageCaptureStepViewController::retake() {
    m_picture = {};
    m_path.clear();
    m_preview->setPixmap({});
    m_retake->hide();
    continueButtonItem()->setEnabled(false);
    startCamera();
}

void ORKImageCaptureStepViewController::willLeave(ORKStepViewControllerNavigationDirection) {
    if (m_picture.isNull()) {
        return;
    }
    const QString output = taskViewController().runner()->environment().outputDirectory;
    const CapturedFiles files(QDir(output.isEmpty() ? QDir::tempPath() : output));
    CapturedFiles::Stored stored =
        m_path.isEmpty() ? files.store(step()->identifier, m_picture, u"photo.png"_s)
                         : files.store(step()->identifier, m_path, CapturedFiles::Need::picture);
    if (!stored) {
        AlertDialog::showError(this, stored.error());
        return;
    }
    addResult(std::move(*stored));
}

void ORKImageCaptureStepViewController::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void ORKImageCaptureStepViewController::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        usePicture(path);
    }
}

}  // namespace pathloom
