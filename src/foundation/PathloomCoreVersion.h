#pragma once

// The version of the framework a host is linked with, as the project declares it: the text
// ("0.1.0") and the number of its major and minor parts (0.1).
namespace pathloom {

extern const char PathloomCoreVersionString[];
extern const double PathloomCoreVersionNumber;

}  // namespace pathloom
