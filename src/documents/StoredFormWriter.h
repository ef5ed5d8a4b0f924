#pragma once

#include <QByteArray>

namespace pathloom {

struct AppData;

// Writes the stored form of an AppData straight to compact JSON text: byte for byte what
// json::write(app.toStored()) gives (keys in the sorted order of QJsonObject, the same escapes),
// without building the intermediate objects, which cost a load more than the rest of the cache
// write. toStored() stays the definition of the stored form; a test holds the two equal.
class StoredFormWriter {
public:
    [[nodiscard]] static QByteArray write(const AppData& app);
};

}  // namespace pathloom
