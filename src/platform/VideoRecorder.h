#pragma once

#include <QUrl>
#include <QWidget>
#include <memory>

class QAudioInput;
class QCamera;
class QMediaCaptureSession;
class QMediaRecorder;
class QPushButton;

namespace pathloom {

// The computer's camera recording a video into a file: its live picture over "Record", which
// turns into "Stop"; a recording stops by itself at the longest duration given. Made only when a
// capture screen appears and a camera exists; the camera stops when this goes. Main thread only.
class VideoRecorder : public QWidget {
    Q_OBJECT

public:
    // Records into `file`; `maximumSeconds` 0 means no limit; `withSound` records the microphone.
    VideoRecorder(const QUrl& file, double maximumSeconds, bool withSound, bool front,
                  QWidget* parent = nullptr);
    ~VideoRecorder() override;

Q_SIGNALS:
    // A recording ended and its file is complete.
    void recorded(const QUrl& file);

private:
    void toggle();

    std::unique_ptr<QMediaCaptureSession> m_session;
    std::unique_ptr<QCamera> m_camera;
    std::unique_ptr<QAudioInput> m_microphone;
    std::unique_ptr<QMediaRecorder> m_recorder;
    QPushButton* m_button;
    double m_maximumSeconds;
};

}  // namespace pathloom
