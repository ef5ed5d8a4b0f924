#include "foundation/KeyStoreItemCodec.h"

#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

QString keyClassText(KeyStore::KeyClass keyClass) {
    return keyClass == KeyStore::KeyClass::privateKey ? u"private"_s : u"public"_s;
}

constexpr QStringView kEllipticCurve = u"ellipticCurve";
constexpr QStringView kWhenUnlocked = u"whenUnlocked";

}  // namespace

QString KeyStoreItemCodec::classText(KeyStore::ItemClass itemClass) {
    return itemClass == KeyStore::ItemClass::key ? u"key"_s : u"genericPassword"_s;
}

QByteArray KeyStoreItemCodec::encode(const KeyStore::Attributes& item) {
    QJsonObject object{{u"class"_s, classText(item.itemClass)},
                       {u"useDataProtectionKeychain"_s, item.useDataProtectionKeychain}};
    if (item.applicationLabel) {
        object.insert(u"applicationLabel"_s, *item.applicationLabel);
    }
    if (item.generic) {
        object.insert(u"generic"_s, *item.generic);
    }
    if (item.keyType) {
        object.insert(u"keyType"_s, kEllipticCurve.toString());
    }
    if (item.keyClass) {
        object.insert(u"keyClass"_s, keyClassText(*item.keyClass));
    }
    if (item.accessible) {
        object.insert(u"accessible"_s, kWhenUnlocked.toString());
    }
    const std::optional<QByteArray> data =
        item.valueRef ? std::optional(item.valueRef->representation) : item.valueData;
    if (data) {
        object.insert(u"data"_s, QString::fromLatin1(data->toBase64()));
    }
    return json::write(object);
}

std::optional<KeyStore::Attributes> KeyStoreItemCodec::decode(const QByteArray& bytes) {
    const auto value = json::parse(bytes);
    const auto object = value ? json::asObject(*value) : std::nullopt;
    if (!object) {
        return std::nullopt;
    }
    KeyStore::Attributes item;
    const auto itemClass = json::readString(*object, u"class");
    if (itemClass == classText(KeyStore::ItemClass::key)) {
        item.itemClass = KeyStore::ItemClass::key;
    } else if (itemClass != classText(KeyStore::ItemClass::genericPassword)) {
        return std::nullopt;
    }
    item.applicationLabel = json::readString(*object, u"applicationLabel");
    item.generic = json::readString(*object, u"generic");
    item.useDataProtectionKeychain =
        json::readBoolean(*object, u"useDataProtectionKeychain").value_or(false);
    if (json::readString(*object, u"keyType") == kEllipticCurve) {
        item.keyType = KeyStore::KeyType::ellipticCurve;
    }
    if (const auto keyClass = json::readString(*object, u"keyClass")) {
        item.keyClass = *keyClass == keyClassText(KeyStore::KeyClass::privateKey)
                            ? KeyStore::KeyClass::privateKey
                            : KeyStore::KeyClass::publicKey;
    }
    if (json::readString(*object, u"accessible") == kWhenUnlocked) {
        item.accessible = KeyStore::Accessibility::whenUnlocked;
    }
    if (const auto base64 = json::readString(*object, u"data")) {
        auto decoded = QByteArray::fromBase64Encoding(base64->toLatin1(),
                                                      QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) {
            return std::nullopt;
        }
        item.valueData = std::move(*decoded);
    }
    if (item.itemClass == KeyStore::ItemClass::key) {
        if (!item.keyType || !item.keyClass || !item.valueData) {
            return std::nullopt;
        }
        item.valueRef = KeyStore::Key{*item.keyType, *item.keyClass, *item.valueData};
        item.valueData.reset();
    }
    return item;
}

}  // namespace pathloom
