#pragma once

#include "taskscreens/CaptureStepViewController.h"

#include <QImage>
#include <QPointer>

class QLabel;
class QPushButton;

namespace pathloom {

class CameraCapture;

// The screen of an image capture step: the camera when the computer has one, and always "Choose
// Photo…" (a file picker) and dropping a picture file on the screen. A chosen picture shows as a
// preview with "Retake"; continue reads "Use Photo" and is enabled once there is a picture. A
// file that is no picture is refused with the error alert. The picture is stored at most 4096
// pixels on its long side.
class ORKImageCaptureStepViewController : public CaptureStepViewController {
    Q_OBJECT

public:
    // `useCamera` lets the screen look for a camera when it appears.
    ORKImageCaptureStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                      bool useCamera, QWidget* parent = nullptr);

    // Uses the picture in the file at `path`.
    bool useFile(const QString& path) override;

    void viewWillAppear() override;
    void viewDidAppear() override;
    void viewWillDisappear() override;

protected:
    [[nodiscard]] std::optional<CapturedFiles::Stored> store(
        const CapturedFiles& files) const override;

private:
    // Starts the camera when there is one and no picture yet.
    void startCamera();
    void preview(const QImage& picture);
    void retake();

    QLabel* m_preview;
    QPushButton* m_retake;
    QWidget* m_cameraArea;
    QPointer<CameraCapture> m_camera;
    QImage m_picture;
    // The chosen file, stored as it is; empty for a picture the camera took.
    QString m_path;
    bool m_useCamera;
};

}  // namespace pathloom
