#pragma once

namespace pathloom {

// The appearance callbacks of a screen. Whoever presents screens calls them explicitly, in the
// order will appear, did appear, will disappear: a show event also fires on minimise and restore,
// so it cannot tell when a screen really comes and goes.
class ScreenAppearance {
public:
    virtual ~ScreenAppearance() = default;

    virtual void viewWillAppear() {}
    virtual void viewDidAppear() {}
    virtual void viewWillDisappear() {}
};

}  // namespace pathloom
