#pragma once

#include "foundation/KeyStore.h"

#include <QByteArray>
#include <optional>

namespace pathloom {

// The byte form of a stored key-store item, shared by the stores that keep items outside the
// process: a JSON object of the item's attributes with its secret (the password data or the
// key's X9.63 representation) in base64. Stateless, so thread-safe.
class KeyStoreItemCodec {
public:
    [[nodiscard]] static QByteArray encode(const KeyStore::Attributes& item);
    // The item, or nothing when the bytes are not a whole item of a known class.
    [[nodiscard]] static std::optional<KeyStore::Attributes> decode(const QByteArray& bytes);
    // The class as it appears in the byte form, also usable as a short name for files.
    [[nodiscard]] static QString classText(KeyStore::ItemClass itemClass);
};

}  // namespace pathloom
