#pragma once

#include "taskmodel/Value.h"

namespace pathloom {

// A result that can decide where a task goes next: a choice among answers or list entries. It
// names the value that the choice was made for, so that rules and reports can read it without
// knowing the result's class.
class NavigationTriggerResult {
public:
    virtual ~NavigationTriggerResult() = default;

    // What was chosen: the values of the chosen answers, the id of the chosen list entry; no value
    // when nothing was chosen.
    [[nodiscard]] virtual Value navigationValue() const = 0;

protected:
    NavigationTriggerResult() = default;
    NavigationTriggerResult(const NavigationTriggerResult&) = default;
    NavigationTriggerResult& operator=(const NavigationTriggerResult&) = default;
};

}  // namespace pathloom
