#pragma once

#include "taskscreens/ORKStepViewController.h"

namespace pathloom {

// The screen of a step that only informs: its title, text, detail text, picture, body items
// (paragraphs and bullets) and footnote, top to bottom. It records nothing.
class ORKInstructionStepViewController : public ORKStepViewController {
    Q_OBJECT

public:
    ORKInstructionStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                     QWidget* parent = nullptr);
};

}  // namespace pathloom
