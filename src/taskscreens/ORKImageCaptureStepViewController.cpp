#include "taskscreens/ORKImageCaptureStepViewController.h"

#include "platform/CameraCapture.h"
#include "screens/AlertDialog.h"
#include "taskmodel/ORKImageCaptureStep.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kPreviewHeight = 280;
constexpr qint64 kFrontCamera = 2;

}  // namespace

ORKImageCaptureStepViewController::ORKImageCaptureStepViewController(std::shared_ptr<ORKStep> step,
                                                                     ORKTaskViewController& task,
                                                                     bool useCamera,
                                                                     QWidget* parent)
    : CaptureStepViewController(step, task, parent),
      m_preview(new QLabel),
      m_retake(new QPushButton(u"Retake"_s)),
      m_cameraArea(new QWidget),
      m_useCamera(useCamera) {
    QVBoxLayout& content = *contentLayout();
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
    auto* choose = new QPushButton(u"Choose Photo\u2026"_s);
    choose->setObjectName(u"choosePhoto"_s);
    m_retake->setObjectName(u"retake"_s);
    m_retake->hide();
    buttons->addWidget(choose);
    buttons->addWidget(m_retake);
    buttons->addStretch();
    content.addLayout(buttons);
    connect(choose, &QPushButton::clicked, this, [this] {
        openFilePicker(
            u"Choose Photo"_s,
            u"Pictures (*.png *.jpg *.jpeg *.heic *.heif *.gif *.bmp *.webp *.tif *.tiff)"_s,
            u"photo"_s);
    });
    connect(m_retake, &QPushButton::clicked, this, [this] { retake(); });
    setAcceptDrops(true);
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
    if (m_camera || !m_picture.isNull() || !m_useCamera || !CameraCapture::isAvailable()) {
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

bool ORKImageCaptureStepViewController::useFile(const QString& path) {
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

std::optional<CapturedFiles::Stored> ORKImageCaptureStepViewController::store(
    const CapturedFiles& files) const {
    if (m_picture.isNull()) {
        return std::nullopt;
    }
    return m_path.isEmpty() ? files.store(step()->identifier, m_picture, u"photo.png"_s)
                            : files.store(step()->identifier, m_path, CapturedFiles::Need::picture);
}

}  // namespace pathloom
