#pragma once

namespace pathloom {

// Marks an object that may be stored in the session. Texts and maps may be stored too; see
// SessionProviders.h for how any stored value is read.
class SessionProvider {
public:
    virtual ~SessionProvider() = default;
};

}  // namespace pathloom
