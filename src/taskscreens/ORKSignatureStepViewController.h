#pragma once

#include "taskscreens/CaptureStepViewController.h"

namespace pathloom {

class SignaturePad;

// The screen of a signature step: its title and text over a pad to sign on and "Clear".
// Continue is enabled once there is a stroke. Leaving the step stores the signature as a PNG file
// in the run's output folder and records it as the step's file result, so that a network step can
// upload it.
class ORKSignatureStepViewController : public CaptureStepViewController {
    Q_OBJECT

public:
    ORKSignatureStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                   QWidget* parent = nullptr);

    [[nodiscard]] SignaturePad& pad() const { return *m_pad; }

protected:
    [[nodiscard]] std::optional<CapturedFiles::Stored> store(
        const CapturedFiles& files) const override;

private:
    SignaturePad* m_pad;
};

}  // namespace pathloom
