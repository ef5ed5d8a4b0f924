#pragma once

#include <QByteArray>
#include <QString>
#include <expected>
#include <functional>
#include <optional>

namespace pathloom {

// A protected per-user store of keys and small secrets, shaped after the platform keychain:
// items are found, added and deleted with attribute sets, keys are made from and exported to
// their X9.63 representation, and every operation answers with a keychain status number.
// An item is identified by its class and one attribute: the application label of a key, the
// generic attribute of a generic password. Implementations are thread-safe.
class KeyStore {
public:
    // Statuses, numbered as the platform keychain numbers them.
    using Status = qint32;
    static constexpr Status success = 0;
    static constexpr Status ioError = -36;
    static constexpr Status invalidParameter = -50;
    // No keychain answers (a desktop keyring that went away).
    static constexpr Status notAvailable = -25291;
    static constexpr Status duplicateItem = -25299;
    static constexpr Status itemNotFound = -25300;
    static constexpr Status interactionNotAllowed = -25308;
    static constexpr Status decodeError = -26275;

    enum class ItemClass { key, genericPassword };
    // Elliptic-curve keys over the NIST prime curves (kSecAttrKeyTypeECSECPrimeRandom).
    enum class KeyType { ellipticCurve };
    enum class KeyClass { privateKey, publicKey };
    enum class Accessibility { whenUnlocked };

    // A key handle as the store hands it out; its bytes leave it only through exportKey().
    struct Key {
        KeyType type = KeyType::ellipticCurve;
        KeyClass keyClass = KeyClass::privateKey;
        QByteArray representation;

        friend bool operator==(const Key&, const Key&) = default;
    };

    // The attributes of an item, of a query for items, or of an item to add. Unset optional
    // attributes match anything in a query.
    struct Attributes {
        ItemClass itemClass = ItemClass::genericPassword;
        std::optional<QString> applicationLabel = std::nullopt;
        std::optional<QString> generic = std::nullopt;
        std::optional<KeyType> keyType = std::nullopt;
        std::optional<KeyClass> keyClass = std::nullopt;
        std::optional<Accessibility> accessible = std::nullopt;
        // Chooses the keychain on platforms that have two; stores with one keychain accept it.
        bool useDataProtectionKeychain = false;
        // The secret of a generic password to add.
        std::optional<QByteArray> valueData = std::nullopt;
        // The key of a key item to add; the item takes its key type and class from it.
        std::optional<Key> valueRef = std::nullopt;
        // What a query returns for the item it finds.
        bool returnAttributes = false;
        bool returnData = false;
        bool returnRef = false;

        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    // What a query found, as much as it asked for.
    struct Item {
        std::optional<Attributes> attributes = std::nullopt;
        std::optional<QByteArray> data = std::nullopt;
        std::optional<Key> key = std::nullopt;
    };

    // The answer of copyMatching(): a status and, on success, the item when anything was asked
    // to be returned.
    struct Match {
        Status status = itemNotFound;
        std::optional<Item> item = std::nullopt;
    };

    KeyStore() = default;
    virtual ~KeyStore() = default;
    KeyStore(const KeyStore&) = delete;
    KeyStore& operator=(const KeyStore&) = delete;

    // The item the query identifies, if its other attributes match too.
    [[nodiscard]] virtual Match copyMatching(const Attributes& query) = 0;
    // Adds an item; duplicateItem when one with the same identity exists.
    [[nodiscard]] virtual Status add(const Attributes& attributes) = 0;
    // Deletes the item the query identifies; itemNotFound when there is none.
    [[nodiscard]] virtual Status remove(const Attributes& query) = 0;
    // Runs `work` while no other thread or process runs work for this store, for sequences such
    // as "read the key, else create and add it" that must not interleave. Gives the status
    // that kept `work` from running, or success once it has run. `work` must not call
    // serialized() again.
    [[nodiscard]] virtual Status serialized(const std::function<void()>& work) = 0;

    // A key handle from an X9.63 representation; the text says why the bytes are no key.
    [[nodiscard]] virtual std::expected<Key, QString> createKey(const QByteArray& representation,
                                                                KeyType type, KeyClass keyClass);
    // The X9.63 representation of a key; the text says why it cannot be exported.
    [[nodiscard]] virtual std::expected<QByteArray, QString> exportKey(const Key& key);

protected:
    // The attribute that identifies an item of the query's class; nothing when the query lacks
    // it.
    [[nodiscard]] static std::optional<QString> identity(const Attributes& query);
    // Whether a stored item's attributes satisfy every attribute the query sets.
    [[nodiscard]] static bool matches(const Attributes& query, const Attributes& item);
    // The attributes an added item keeps: its own, with the key type and class of its key.
    [[nodiscard]] static Attributes storedAttributes(const Attributes& attributes);
    // The part of an item a query asked for.
    [[nodiscard]] static std::optional<Item> answer(const Attributes& query,
                                                    const Attributes& stored);
};

}  // namespace pathloom
