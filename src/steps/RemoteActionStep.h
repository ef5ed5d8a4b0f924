#pragma once

namespace pathloom {

// Marks a step whose buttons may make remote actions; its screen answers them (a static page
// refuses them, a remote page sends them).
class RemoteActionStep {
public:
    virtual ~RemoteActionStep() = default;

protected:
    RemoteActionStep() = default;
};

}  // namespace pathloom
