#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

class QCamera;
class QImageCapture;
class QMediaCaptureSession;

namespace pathloom {

// The computer's camera in a screen: its live picture over a "Take Photo" button. Made only when
// a capture screen appears and a camera exists, so that nothing else ever starts the media
// backend; the camera stops when this goes. Main thread only.
class CameraCapture : public QWidget {
    Q_OBJECT

public:
    // Whether the computer has a camera.
    [[nodiscard]] static bool isAvailable();

    // `front` picks a camera facing the user when there is one.
    explicit CameraCapture(bool front, QWidget* parent = nullptr);
    ~CameraCapture() override;

Q_SIGNALS:
    void captured(const QImage& picture);

private:
    std::unique_ptr<QMediaCaptureSession> m_session;
    std::unique_ptr<QCamera> m_camera;
    std::unique_ptr<QImageCapture> m_capture;
};

}  // namespace pathloom
