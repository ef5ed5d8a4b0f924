#pragma once

#include "taskscreens/ORKStepViewController.h"

#include <QImage>
#include <QPointer>

class QLabel;
class QPushButton;

namespace pathloom {

class CameraCapture;

// The screen of an image capture step: the camera when the computer has one, and always "Choose
// Photo…" (a file picker) and dropping a picture file on the screen. A chosen picture shows as a
// preview with "Retake"; continue reads "Use Photo" and is enabled once there is a picture. A
// file that is no picture is refused with the error alert. Leaving the step stores the picture
// in the run's output folder as the step's file result (at most 4096 pixels on its long side).
class ORKImageCaptureStepViewController : public ORKStepViewController {
    Q_OBJECT

public:
    ORKImageCaptureStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                      QWidget* parent = nullptr);

    // Uses the picture in the file at `path`, as the file picker and a drop do; false, with the
    // error alert, when it is no picture.
    bool usePicture(const QString& path);

    void viewWillAppear() override;
    void viewDidAppear() override;
    void viewWillDisappear() override;

protected:
    void willLeave(ORKStepViewControllerNavigationDirection direction) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void choosePhoto();
    // Starts the camera when there is one and no picture yet.
    void startCamera();
    void preview(const QImage& picture);
    void retake();

    QLabel* m_preview;
    QPushButton* m_choose;
    QPushButton* m_retake;
    QWidget* m_cameraArea;
    QPointer<CameraCapture> m_camera;
    QImage m_picture;
    // The chosen file, stored as it is; empty for a picture the camera took.
    QString m_path;
};

}  // namespace pathloom
