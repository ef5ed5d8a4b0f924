#pragma once

#include "taskscreens/ORKInstructionStepViewController.h"

namespace pathloom {

// The screen of a video instruction step: the instruction, and a tile with a play mark that plays
// the step's video in a player screen. The player is made only when the tile is pressed. A step
// without a video shows no tile.
class ORKVideoInstructionStepViewController : public ORKInstructionStepViewController {
    Q_OBJECT

public:
    ORKVideoInstructionStepViewController(std::shared_ptr<ORKStep> step,
                                          ORKTaskViewController& task, QWidget* parent = nullptr);
};

}  // namespace pathloom
