#include "foundation/KeyStore.h"

#include <algorithm>
#include <array>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// X9.63 sizes of keys on P-256, P-384 and P-521: the uncompressed point, and the point followed
// by the private scalar.
constexpr std::array<qsizetype, 3> kPublicSizes{65, 97, 133};
constexpr std::array<qsizetype, 3> kPrivateSizes{97, 145, 199};

template <typename T>
bool sameIfSet(const std::optional<T>& wanted, const std::optional<T>& actual) {
    return !wanted || wanted == actual;
}

}  // namespace

std::expected<KeyStore::Key, QString> KeyStore::createKey(const QByteArray& representation,
                                                          KeyType type, KeyClass keyClass) {
    const auto& sizes = keyClass == KeyClass::privateKey ? kPrivateSizes : kPublicSizes;
    const bool knownSize =
        std::find(sizes.begin(), sizes.end(), representation.size()) != sizes.end();
    if (!knownSize || representation.at(0) != 0x04) {
        return std::unexpected(u"EC key creation from data failed: not an X9.63 key"_s);
    }
    return Key{type, keyClass, representation};
}

std::expected<QByteArray, QString> KeyStore::exportKey(const Key& key) {
    return key.representation;
}

std::optional<QString> KeyStore::identity(const Attributes& query) {
    switch (query.itemClass) {
        case ItemClass::key:
            return query.applicationLabel;
        case ItemClass::genericPassword:
            return query.generic;
    }
    return std::nullopt;
}

bool KeyStore::matches(const Attributes& query, const Attributes& item) {
    return query.itemClass == item.itemClass &&
           sameIfSet(query.applicationLabel, item.applicationLabel) &&
           sameIfSet(query.generic, item.generic) && sameIfSet(query.keyType, item.keyType) &&
           sameIfSet(query.keyClass, item.keyClass) && sameIfSet(query.accessible, item.accessible);
}

KeyStore::Attributes KeyStore::storedAttributes(const Attributes& attributes) {
    Attributes stored = attributes;
    if (stored.valueRef) {
        stored.keyType = stored.valueRef->type;
        stored.keyClass = stored.valueRef->keyClass;
    }
    stored.returnAttributes = false;
    stored.returnData = false;
    stored.returnRef = false;
    return stored;
}

std::optional<KeyStore::Item> KeyStore::answer(const Attributes& query, const Attributes& stored) {
    if (!query.returnAttributes && !query.returnData && !query.returnRef) {
        return std::nullopt;
    }
    Item item;
    if (query.returnAttributes) {
        Attributes attributes = stored;
        attributes.valueData.reset();
        attributes.valueRef.reset();
        item.attributes = std::move(attributes);
    }
    if (query.returnData) {
        item.data = stored.valueData;
    }
    if (query.returnRef) {
        item.key = stored.valueRef;
    }
    return item;
}

}  // namespace pathloom
