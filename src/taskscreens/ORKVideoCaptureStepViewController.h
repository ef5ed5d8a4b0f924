#pragma once

#include "taskscreens/ORKStepViewController.h"

#include <QPointer>
#include <QTemporaryDir>

class QLabel;
class QPushButton;

namespace pathloom {

class VideoRecorder;

// The screen of a video capture step: the camera and a recorder (stopping at the step's longest
// duration, without sound when the step mutes it) when the computer has a camera, and always
// "Choose Video…" and dropping a video file on the screen. Continue is enabled once there is a
// video. Leaving the step stores the video in the run's output folder as the step's file result.
class ORKVideoCaptureStepViewController : public ORKStepViewController {
    Q_OBJECT

public:
    ORKVideoCaptureStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                      QWidget* parent = nullptr);

    // Uses the video in the file at `path`, as the file picker and a drop do; false, with the
    // error alert, when there is no readable file.
    bool useVideo(const QString& path);

    void viewDidAppear() override;
    void viewWillDisappear() override;

protected:
    void willLeave(ORKStepViewControllerNavigationDirection direction) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void chooseVideo();

    QLabel* m_chosen;
    QWidget* m_cameraArea;
    QPointer<VideoRecorder> m_recorder;
    // Where the camera records before the video is stored.
    QTemporaryDir m_recordings;
    QString m_path;
};

}  // namespace pathloom
