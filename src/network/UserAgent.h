#pragma once

#include <QByteArray>

namespace pathloom {

// The User-Agent of every request the framework sends, in the usual browser-like form: the app's
// name and version (the host's, when it set them), the operating system and the HTTP stack, for
// example "Pathloom/1.0 (X11; Linux x86_64) QtNetwork/6.4". Analytics servers take requests
// without a recognisable system for bots.
[[nodiscard]] QByteArray userAgent();

}  // namespace pathloom
