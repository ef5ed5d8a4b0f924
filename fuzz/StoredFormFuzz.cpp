// The stored form of the app document, read from the encrypted cache. Whatever decodes must
// encode to a stored form that decodes to the same app.

#include "FuzzSupport.h"
#include "documents/AppData.h"
#include "foundation/Json.h"

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
    const QByteArray stored = json::write(app->toStored());
    const std::optional<QJsonObject> reread = fuzz::jsonObjectOf(stored);
    if (!reread) {
        fuzz::fail("the stored form is not a JSON object", stored);
    }
    const auto again = AppData::fromStored(*reread);
    if (!again) {
        fuzz::fail("a re-encoded stored form does not decode",
                   again.error().description().toUtf8() + '\n' + stored);
    }
    if (!(*again == *app)) {
        fuzz::fail("a re-encoded stored form decodes to another app", stored);
    }
    return 0;
}
