#include "foundation/KeyStoreChoice.h"

#include "foundation/FileKeyStore.h"
#include "foundation/SecretServiceKeyStore.h"

#include <chrono>
#include <expected>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// Long enough for a session bus to start the keyring daemon on demand, short enough not to hold
// up a start noticeably when something on the bus hangs.
constexpr std::chrono::milliseconds kProbeTimeout{2000};

using Attributes = KeyStore::Attributes;

QString keptInFolder(const QString& directory, const QString& reason) {
    return u"Keys are kept in %1 (%2)"_s.arg(directory, reason);
}

// The query that finds `item` again by its class and identity.
Attributes identityOf(const Attributes& item) {
    return {.itemClass = item.itemClass,
            .applicationLabel = item.applicationLabel,
            .generic = item.generic};
}

// The item as a store gives it back, in the form a store keeps it.
std::optional<Attributes> readBack(KeyStore& store, const Attributes& item) {
    Attributes query = identityOf(item);
    query.returnAttributes = true;
    query.returnData = true;
    query.returnRef = true;
    const auto match = store.copyMatching(query);
    if (match.status != KeyStore::success || !match.item || !match.item->attributes) {
        return std::nullopt;
    }
    Attributes found = *match.item->attributes;
    found.valueData = match.item->data;
    found.valueRef = match.item->key;
    return found;
}

// What happened to the file store's items: how many moved, how many stay behind as copies
// (the keyring has them, their file could not be removed), or why they could not all move.
struct Move {
    qsizetype moved = 0;
    qsizetype leftBehind = 0;
};

// Copies every item into the keyring and checks each copy; only when all are there does it
// remove them from the file store. A failed copy takes back the copies made so far, so the file
// store stays whole and in use.
std::expected<Move, QString> moveItems(KeyStore& keyring, FileKeyStore& files) {
    const auto items = files.storedItems();
    if (!items) {
        return std::unexpected(
            u"an item in the folder cannot be read, status %1"_s.arg(items.error()));
    }
    std::vector<Attributes> added;
    const auto takeBack = [&] {
        for (const Attributes& item : added) {
            // A copy that cannot be taken back is harmless: the file store still holds the item.
            static_cast<void>(keyring.remove(identityOf(item)));
        }
    };
    for (const Attributes& item : *items) {
        const auto status = keyring.add(item);
        if (status == KeyStore::success) {
            added.push_back(item);
        } else if (status != KeyStore::duplicateItem) {
            takeBack();
            return std::unexpected(u"the keyring refused an item, status %1"_s.arg(status));
        }
        // A duplicate is the copy of an earlier move whose removal from the folder failed, or a
        // different item of the same name, which must not replace the one the folder holds.
        if (readBack(keyring, item) != item) {
            takeBack();
            return std::unexpected(status == KeyStore::duplicateItem
                                       ? u"the keyring holds a different item of the same name"_s
                                       : u"an item read back from the keyring differs"_s);
        }
    }
    Move move;
    for (const Attributes& item : *items) {
        if (files.remove(identityOf(item)) == KeyStore::success) {
            ++move.moved;
        } else {
            ++move.leftBehind;
        }
    }
    return move;
}

}  // namespace

std::shared_ptr<KeyStore> KeyStoreChoice::make(const QString& directory,
                                               const DebugConsole& console) {
    auto files = std::make_shared<FileKeyStore>(directory);
    if (const auto answered = SecretServiceKeyStore::probe(kProbeTimeout); !answered) {
        console.print(keptInFolder(directory, u"no desktop keyring: "_s + answered.error()));
        return files;
    }
    return moveInto(std::make_shared<SecretServiceKeyStore>(directory), std::move(files), console);
}

std::shared_ptr<KeyStore> KeyStoreChoice::moveInto(std::shared_ptr<KeyStore> keyring,
                                                   std::shared_ptr<FileKeyStore> files,
                                                   const DebugConsole& console) {
    std::expected<Move, QString> move = std::unexpected(QString());
    const auto locked = files->serialized([&] { move = moveItems(*keyring, *files); });
    if (locked != KeyStore::success) {
        move = std::unexpected(u"the folder cannot be locked, status %1"_s.arg(locked));
    }
    if (!move) {
        console.print(keptInFolder(
            files->directory(), u"moving them into the desktop keyring failed: "_s + move.error()));
        return files;
    }
    QString line = u"Keys are kept in the desktop keyring"_s;
    if (move->moved > 0) {
        line += u" (%1 moved in from %2)"_s.arg(move->moved).arg(files->directory());
    }
    if (move->leftBehind > 0) {
        line += u" (%1 copies left in %2)"_s.arg(move->leftBehind).arg(files->directory());
    }
    console.print(line);
    return keyring;
}

}  // namespace pathloom
