#pragma once

#include "foundation/ImageLoader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QList>
#include <cstddef>
#include <cstdint>
#include <optional>

// What every fuzz target shares: the Qt application, the input as bytes or JSON, and a way to
// stop on a broken invariant that libFuzzer records as a crash.
namespace pathloom {
struct AppData;
}

namespace pathloom::fuzz {

// Creates the one QCoreApplication of the process on first call (offscreen platform).
void ensureApplication();

[[nodiscard]] QByteArray bytesOf(const std::uint8_t* data, std::size_t size);
// The input read as a JSON object; nothing when it is not one.
[[nodiscard]] std::optional<QJsonObject> jsonObjectOf(const QByteArray& bytes);
// The input cut at its first `count - 1` newlines; the last part keeps the rest as it is.
[[nodiscard]] QList<QByteArray> splitLines(const QByteArray& bytes, qsizetype count);

// Prints `what` and aborts, so that the input is saved as a crash.
[[noreturn]] void fail(const char* what, const QByteArray& detail = {});

// Writes the app's stored form as JSON text, reads it back and stops on anything but the same app:
// what the encrypted cache keeps must come back unchanged.
void checkStoredFormRoundTrip(const AppData& app);
// The same for stored-form text written otherwise (from the document's own step bytes).
void checkStoredFormReadsBack(const QByteArray& stored, const AppData& app);

// A picture service that has no pictures: parsing must not reach the network.
class NoImageLoader : public ImageLoader {
public:
    std::optional<QImage> syncLoad(const QString&) override { return std::nullopt; }
    std::optional<Cancellable> asyncLoad(const QString&, Completion completion) override {
        if (completion) {
            completion(std::nullopt);
        }
        return std::nullopt;
    }
};

}  // namespace pathloom::fuzz
