#pragma once

#include <QByteArray>

namespace pathloom {

struct AppData;
class StepSources;

// Writes the stored form of an AppData straight to compact JSON text: byte for byte what
// json::write(app.toStored()) gives (keys in the sorted order of QJsonObject, the same escapes),
// without building the intermediate objects, which cost a load more than the rest of the cache
// write. toStored() stays the definition of the stored form; a test holds the two equal.
//
// With `sources` (of the text `app` was decoded from), each step's "content" is the Base64 of the
// step's own bytes rather than of its content written again: other bytes (white space, key order)
// for the same content, which the reader reads back as the same dictionary.
class StoredFormWriter {
public:
    [[nodiscard]] static QByteArray write(const AppData& app, const StepSources* sources = nullptr);
};

}  // namespace pathloom
