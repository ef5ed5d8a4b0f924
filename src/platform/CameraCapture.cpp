#include "platform/CameraCapture.h"

#include <QCamera>
#include <QCameraDevice>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace pathloom {

using namespace Qt::StringLiterals;

bool CameraCapture::isAvailable() { return !QMediaDevices::videoInputs().isEmpty(); }

CameraCapture::CameraCapture(bool front, QWidget* parent)
    : QWidget(parent), m_session(std::make_unique<QMediaCaptureSession>()) {
    QCameraDevice device = QMediaDevices::defaultVideoInput();
    for (const QCameraDevice& each : QMediaDevices::videoInputs()) {
        if (each.position() == (front ? QCameraDevice::FrontFace : QCameraDevice::BackFace)) {
            device = each;
        }
    }
    m_camera = std::make_unique<QCamera>(device);
    m_capture = std::make_unique<QImageCapture>();
    auto* preview = new QVideoWidget(this);
    auto* take = new QPushButton(u"Take Photo"_s, this);
    take->setObjectName(u"takePhoto"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(preview, 1);
    layout->addWidget(take);
    m_session->setCamera(m_camera.get());
    m_session->setImageCapture(m_capture.get());
    m_session->setVideoOutput(preview);
    connect(take, &QPushButton::clicked, m_capture.get(), &QImageCapture::capture);
    connect(m_capture.get(), &QImageCapture::imageCaptured, this,
            [this](int, const QImage& picture) { Q_EMIT captured(picture); });
    m_camera->start();
}

CameraCapture::~CameraCapture() { m_camera->stop(); }

}  // namespace pathloom
