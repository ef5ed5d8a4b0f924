#include "platform/VideoRecorder.h"

#include <QAudioDevice>
#include <QAudioInput>
#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMediaRecorder>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace pathloom {

using namespace Qt::StringLiterals;

VideoRecorder::VideoRecorder(const QUrl& file, double maximumSeconds, bool withSound, bool front,
                             QWidget* parent)
    : QWidget(parent),
      m_session(std::make_unique<QMediaCaptureSession>()),
      m_recorder(std::make_unique<QMediaRecorder>()),
      m_button(new QPushButton(u"Record"_s, this)),
      m_maximumSeconds(maximumSeconds) {
    QCameraDevice device = QMediaDevices::defaultVideoInput();
    for (const QCameraDevice& each : QMediaDevices::videoInputs()) {
        if (each.position() == (front ? QCameraDevice::FrontFace : QCameraDevice::BackFace)) {
            device = each;
        }
    }
    m_camera = std::make_unique<QCamera>(device);
    m_session->setCamera(m_camera.get());
    if (withSound && !QMediaDevices::audioInputs().isEmpty()) {
        m_microphone = std::make_unique<QAudioInput>();
        m_session->setAudioInput(m_microphone.get());
    }
    m_session->setRecorder(m_recorder.get());
    m_recorder->setOutputLocation(file);
    auto* preview = new QVideoWidget(this);
    m_session->setVideoOutput(preview);
    m_button->setObjectName(u"record"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(preview, 1);
    layout->addWidget(m_button);
    connect(m_button, &QPushButton::clicked, this, [this] { toggle(); });
    connect(
        m_recorder.get(), &QMediaRecorder::recorderStateChanged, this,
        [this](QMediaRecorder::RecorderState state) {
            m_button->setText(state == QMediaRecorder::RecordingState ? u"Stop"_s : u"Record"_s);
            if (state == QMediaRecorder::StoppedState) {
                Q_EMIT recorded(m_recorder->actualLocation());
            }
        });
    m_camera->start();
}

VideoRecorder::~VideoRecorder() {
    m_recorder->stop();
    m_camera->stop();
}

void VideoRecorder::toggle() {
    if (m_recorder->recorderState() == QMediaRecorder::RecordingState) {
        m_recorder->stop();
        return;
    }
    m_recorder->record();
    if (m_maximumSeconds > 0) {
        QTimer::singleShot(static_cast<int>(m_maximumSeconds * 1000), m_recorder.get(),
                           &QMediaRecorder::stop);
    }
}

}  // namespace pathloom
