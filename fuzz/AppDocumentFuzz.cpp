// The app document as a server delivers it. A document that parses must survive the trip through
// the stored form that the encrypted cache keeps, written to JSON text and read back, unchanged.

#include "FuzzSupport.h"
#include "documents/AppData.h"

using namespace pathloom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ensureApplication();
    const std::optional<QJsonObject> json = fuzz::jsonObjectOf(fuzz::bytesOf(data, size));
    if (!json) {
        return 0;
    }
    fuzz::NoImageLoader images;
    // Server 1 is the one the examples select; no server selected skips the server list.
    (void)AppData::fromJson(*json, std::nullopt, std::nullopt, images);
    const auto app = AppData::fromJson(*json, 1, 10, images);
    if (!app) {
        (void)app.error().description();
        return 0;
    }
    (void)app->tintColor();

    fuzz::checkStoredFormRoundTrip(*app);
    return 0;
}
