#pragma once

#include "taskscreens/CaptureStepViewController.h"

#include <QPointer>
#include <QTemporaryDir>

class QLabel;

namespace pathloom {

class VideoRecorder;

// The screen of a video capture step: the camera and a recorder (stopping at the step's longest
// duration, without sound when the step mutes it) when the computer has a camera, and always
// "Choose Video…" and dropping a video file on the screen. Continue is enabled once there is a
// video, which is stored as it is.
class ORKVideoCaptureStepViewController : public CaptureStepViewController {
    Q_OBJECT

public:
    // `useCamera` lets the screen look for a camera when it appears.
    ORKVideoCaptureStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                      bool useCamera, QWidget* parent = nullptr);

    // Uses the video in the file at `path`; any readable file will do.
    bool useFile(const QString& path) override;

    void viewDidAppear() override;
    void viewWillDisappear() override;

protected:
    [[nodiscard]] std::optional<CapturedFiles::Stored> store(
        const CapturedFiles& files) const override;

private:
    QLabel* m_chosen;
    QWidget* m_cameraArea;
    QPointer<VideoRecorder> m_recorder;
    // Where the camera records before the video is stored.
    QTemporaryDir m_recordings;
    QString m_path;
    bool m_useCamera;
};

}  // namespace pathloom
