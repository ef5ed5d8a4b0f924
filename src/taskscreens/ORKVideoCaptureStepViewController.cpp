#include "taskscreens/ORKVideoCaptureStepViewController.h"

#include "platform/CameraCapture.h"
#include "platform/VideoRecorder.h"
#include "run/CapturedFiles.h"
#include "screens/AlertDialog.h"
#include "taskmodel/ORKVideoCaptureStep.h"
#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/ORKTaskViewController.h"
#include "taskscreens/ORKTitleLabel.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kCameraHeight = 280;
constexpr qint64 kFrontCamera = 2;

QString droppedFile(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().first().isLocalFile()) {
        return {};
    }
    return data->urls().first().toLocalFile();
}

}  // namespace

ORKVideoCaptureStepViewController::ORKVideoCaptureStepViewController(std::shared_ptr<ORKStep> step,
                                                                     ORKTaskViewController& task,
                                                                     QWidget* parent)
    : ORKStepViewController(step, task, parent),
      m_chosen(new QLabel(u"Choose a video, or drop a video file here."_s)),
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
    connect(choose, &QPushButton::clicked, this, [this] { chooseVideo(); });
    setAcceptDrops(true);
    continueButtonItem()->setEnabled(false);
}

void ORKVideoCaptureStepViewController::viewDidAppear() {
    ORKStepViewController::viewDidAppear();
    if (m_recorder || !m_path.isEmpty() || !CameraCapture::isAvailable() ||
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
            [this](const QUrl& file) { useVideo(file.toLocalFile()); });
}

void ORKVideoCaptureStepViewController::viewWillDisappear() {
    ORKStepViewController::viewWillDisappear();
    delete m_recorder;
    m_cameraArea->hide();
}

void ORKVideoCaptureStepViewController::chooseVideo() {
    auto* dialog =
        new QFileDialog(this, u"Choose Video"_s, QDir::homePath(),
                        u"Videos (*.mp4 *.mov *.m4v *.webm *.mkv *.avi);;All files (*)"_s);
    dialog->setObjectName(u"videoPicker"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, this,
            [this](const QString& path) { useVideo(path); });
    dialog->open();
}

bool ORKVideoCaptureStepViewController::useVideo(const QString& path) {
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

void ORKVideoCaptureStepViewController::willLeave(ORKStepViewControllerNavigationDirection) {
    if (m_path.isEmpty()) {
        return;
    }
    const QString output = taskViewController().runner()->environment().outputDirectory;
    const CapturedFiles files(QDir(output.isEmpty() ? QDir::tempPath() : output));
    CapturedFiles::Stored stored =
        files.store(step()->identifier, m_path, CapturedFiles::Need::anyFile);
    if (!stored) {
        AlertDialog::showError(this, stored.error());
        return;
    }
    addResult(std::move(*stored));
}

void ORKVideoCaptureStepViewController::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void ORKVideoCaptureStepViewController::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        useVideo(path);
    }
}

}  // namespace pathloom
