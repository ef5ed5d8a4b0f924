#include "taskscreens/ORKVideoCaptureStepViewController.h"

#include "platform/CameraCapture.h"
#include "platform/VideoRecorder.h"
#include "screens/AlertDialog.h"
#include "taskmodel/ORKVideoCaptureStep.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kCameraHeight = 280;
constexpr qint64 kFrontCamera = 2;

}  // namespace

ORKVideoCaptureStepViewController::ORKVideoCaptureStepViewController(std::shared_ptr<ORKStep> step,
                                                                     ORKTaskViewController& task,
                                                                     bool useCamera,
                                                                     QWidget* parent)
    : CaptureStepViewController(step, task, parent),
      m_chosen(new QLabel(u"Choose a video, or drop a video file here."_s)),
      m_cameraArea(new QWidget),
      m_useCamera(useCamera) {
    QVBoxLayout& content = *contentLayout();
    auto* cameraLayout = new QVBoxLayout(m_cameraArea);
    cameraLayout->setContentsMargins(0, 0, 0, 0);
    m_cameraArea->setMinimumHeight(kCameraHeight);
    m_cameraArea->hide();
    content.addWidget(m_cameraArea);
    m_chosen->setObjectName(u"chosenVideo"_s);
    m_chosen->setWordWrap(true);
    m_chosen->setTextFormat(Qt::PlainText);
    content.addWidget(m_chosen);
    auto* choose = new QPushButton(u"Choose Video\u2026"_s);
    choose->setObjectName(u"chooseVideo"_s);
    content.addWidget(choose, 0, Qt::AlignLeft);
    connect(choose, &QPushButton::clicked, this, [this] {
        openFilePicker(u"Choose Video"_s,
                       u"Videos (*.mp4 *.mov *.m4v *.webm *.mkv *.avi);;All files (*)"_s,
                       u"video"_s);
    });
    setAcceptDrops(true);
}

void ORKVideoCaptureStepViewController::viewDidAppear() {
    ORKStepViewController::viewDidAppear();
    if (m_recorder || !m_path.isEmpty() || !m_useCamera || !CameraCapture::isAvailable() ||
        !m_recordings.isValid()) {
        return;
    }
    const auto& capture = static_cast<const ORKVideoCaptureStep&>(*step());
    m_recorder = new VideoRecorder(QUrl::fromLocalFile(m_recordings.filePath(u"video.mp4"_s)),
                                   capture.duration, !capture.audioMute,
                                   capture.devicePosition == kFrontCamera, m_cameraArea);
    m_cameraArea->layout()->addWidget(m_recorder);
    m_cameraArea->show();
    connect(m_recorder, &VideoRecorder::recorded, this,
            [this](const QUrl& file) { useFile(file.toLocalFile()); });
}

void ORKVideoCaptureStepViewController::viewWillDisappear() {
    ORKStepViewController::viewWillDisappear();
    delete m_recorder;
    m_cameraArea->hide();
}

bool ORKVideoCaptureStepViewController::useFile(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists()) {
        AlertDialog::showError(this, CaptureError::missingSource(path));
        return false;
    }
    if (!file.isFile() || !file.isReadable()) {
        AlertDialog::showError(this, CaptureError::unreadableSource(path));
        return false;
    }
    m_path = path;
    m_chosen->setText(file.fileName());
    continueButtonItem()->setEnabled(true);
    return true;
}

std::optional<CapturedFiles::Stored> ORKVideoCaptureStepViewController::store(
    const CapturedFiles& files) const {
    if (m_path.isEmpty()) {
        return std::nullopt;
    }
    return files.store(step()->identifier, m_path, CapturedFiles::Need::anyFile);
}

}  // namespace pathloom
