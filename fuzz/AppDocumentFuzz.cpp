// The app document as a server delivers it. A document that parses must survive the trip through
// the stored form that the encrypted cache keeps, written to JSON text and read back, unchanged,
// both from the decoded app and, as a load writes it, from the document's own step bytes.

#include "FuzzSupport.h"
#include "documents/AppData.h"
#include "documents/StepSources.h"
#include "documents/StoredFormWriter.h"

using namespace pathloom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ensureApplication();
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const std::optional<QJsonObject> json = fuzz::jsonObjectOf(bytes);
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
    const std::optional<StepSources> sources = StepSources::find(bytes);
    fuzz::checkStoredFormReadsBack(StoredFormWriter::write(*app, sources ? &*sources : nullptr),
                                   *app);
    return 0;
}
