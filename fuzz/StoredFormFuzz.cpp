// The stored form of the app document, read from the encrypted cache. Whatever decodes must
// encode to a stored form that decodes to the same app.

#include "FuzzSupport.h"
#include "documents/AppData.h"

using namespace pathloom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ensureApplication();
    const std::optional<QJsonObject> json = fuzz::jsonObjectOf(fuzz::bytesOf(data, size));
    if (!json) {
        return 0;
    }
    const auto app = AppData::fromStored(*json);
    if (!app) {
        (void)app.error().description();
        return 0;
    }
    fuzz::checkStoredFormRoundTrip(*app);
    return 0;
}
