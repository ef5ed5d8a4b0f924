#pragma once

#include "screens/StepScreenDelegate.h"
#include "taskscreens/ORKStepViewController.h"

#include <QImage>
#include <QList>
#include <memory>

namespace pathloom {

class DocumentCaptureController;
class PagePicker;

// The screen of a document capture step, filling the step's screen: the computer's camera, which
// collects a picture per page until "Save", when one is allowed and exists; otherwise a
// PagePicker of picture files. Saved pages become the step's PDF file result and move the task
// on; Cancel goes one step back; failures are said in the error alert.
//
// Handles: with the camera, "documentCamera:Cancel" and "documentCamera:Save". Main thread only.
class PathloomDocumentCaptureViewController : public ORKStepViewController,
                                              public StepScreenDelegate {
    Q_OBJECT

public:
    PathloomDocumentCaptureViewController(std::shared_ptr<ORKStep> step,
                                          ORKTaskViewController& task, bool useCamera);
    ~PathloomDocumentCaptureViewController() override;

    // The picker shown without a camera; null with the camera, and before the screen appears.
    [[nodiscard]] PagePicker* pagePicker() const { return m_pagePicker; }

    void viewWillAppear() override;

private:
    // What collects the pages, made once the screen first appears (only then is the camera
    // looked for).
    [[nodiscard]] QWidget* makeCamera();
    void save(QList<QImage> pages);
    void cancel();

    bool m_useCamera;
    PagePicker* m_pagePicker = nullptr;
    std::unique_ptr<DocumentCaptureController> m_controller;
};

}  // namespace pathloom
