#include "foundation/KeyStoreChoice.h"

#include "documents/AppData.h"
#include "foundation/FileKeyStore.h"
#include "foundation/P521PrivateKey.h"
#include "foundation/SecretServiceKeyStore.h"
#include "loading/CacheStorage.h"
#include "loading/CryptoManager.h"

#include "PrivateKeyring.h"
#include "QtPrinting.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QMutex>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Attributes = KeyStore::Attributes;

Attributes passwordWithData(const QString& generic, const QByteArray& data) {
    return {
        .itemClass = KeyStore::ItemClass::genericPassword, .generic = generic, .valueData = data};
}

Attributes passwordQuery(const QString& generic) {
    return {.itemClass = KeyStore::ItemClass::genericPassword,
            .generic = generic,
            .returnAttributes = true,
            .returnData = true};
}

const QString kEntry = u".env"_s;
const QString kLabel = u"org.pathloom.example"_s;

AppData sampleApp() {
    AppData app;
    app.id = 42;
    app.name = u"Field Study"_s;
    app.navigationStyle = AppNavigationStyle::tabBar;
    app.tabIds = QList<qint64>{3, 1};
    return app;
}

// The debug console of one start, as the lines a person would read.
class RecordedConsole {
public:
    [[nodiscard]] DebugConsole console() {
        return DebugConsole([this](const QString& line) {
            const QMutexLocker locker(&m_mutex);
            m_lines.append(line);
        });
    }
    [[nodiscard]] QStringList lines() {
        const QMutexLocker locker(&m_mutex);
        return m_lines;
    }

private:
    QMutex m_mutex;
    QStringList m_lines;
};

QString consoleLine(const QString& text) { return debugQuoted(text) + u'\n'; }

// What a pathloom-keystore-choice run printed, line by line, and how it ended.
struct ChoiceRun {
    int exitCode = -1;
    QStringList lines;
    QString errors;
};

ChoiceRun runChoice(const QStringList& command, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(command.first(), command.mid(1));
    process.waitForFinished(30'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
            QString::fromUtf8(process.readAllStandardError())};
}

class KeyStoreChoiceTest : public testing::Test {
protected:
    void SetUp() override {
        if (!test::privateKeyringInstalled()) {
            GTEST_SKIP() << "dbus-run-session or gnome-keyring-daemon is not installed";
        }
        ASSERT_EQ(test::privateKeyringUnavailable(), std::nullopt);
    }

    // The cache as a start over `keyStore` opens it.
    [[nodiscard]] CacheStorage cache(std::shared_ptr<KeyStore> keyStore) const {
        return CacheStorage(m_cachePath, CryptoManager(kLabel, std::move(keyStore)));
    }
    // A start that still kept its keys in the folder: it cached the app and has a credential.
    void startWithTheFolder() const {
        const auto files = std::make_shared<FileKeyStore>(m_directory);
        ASSERT_TRUE(cache(files).save(sampleApp().toStored(), kEntry, true).has_value());
        ASSERT_EQ(files->add(passwordWithData(u"sessionToken"_s, "token")), KeyStore::success);
    }
    [[nodiscard]] qsizetype folderItems() const {
        const auto items = FileKeyStore(m_directory).storedItems();
        return items ? items->size() : -1;
    }

    QTemporaryDir m_temporary;
    QString m_directory = m_temporary.path() + u"/data/keychain"_s;
    QString m_cachePath = m_temporary.path() + u"/Documents"_s;
    RecordedConsole m_console;
};

TEST_F(KeyStoreChoiceTest, MovesTheFolderItemsIntoTheKeyringAndTheCacheStillOpens) {
    startWithTheFolder();

    const auto chosen = KeyStoreChoice::make(m_directory, m_console.console());

    ASSERT_NE(dynamic_cast<SecretServiceKeyStore*>(chosen.get()), nullptr);
    EXPECT_EQ(
        m_console.lines(),
        QStringList{consoleLine(
            u"Keys are kept in the desktop keyring (2 moved in from %1)"_s.arg(m_directory))});
    EXPECT_EQ(folderItems(), 0);
    EXPECT_EQ(cache(chosen).load(kEntry, &AppData::fromStored), sampleApp());
    const auto credential = chosen->copyMatching(passwordQuery(u"sessionToken"_s));
    ASSERT_TRUE(credential.item.has_value());
    EXPECT_EQ(credential.item->data, QByteArray("token"));

    // The next start finds nothing left to move and the same keys.
    RecordedConsole next;
    const auto again = KeyStoreChoice::make(m_directory, next.console());
    EXPECT_EQ(next.lines(), QStringList{consoleLine(u"Keys are kept in the desktop keyring"_s)});
    EXPECT_EQ(cache(again).load(kEntry, &AppData::fromStored), sampleApp());
}

TEST_F(KeyStoreChoiceTest, FinishesAMoveWhoseCopyIsAlreadyInTheKeyring) {
    startWithTheFolder();
    // A move that copied the items but could not remove them from the folder.
    const auto items = FileKeyStore(m_directory).storedItems();
    ASSERT_TRUE(items.has_value());
    SecretServiceKeyStore keyring(m_directory);
    for (const Attributes& item : *items) {
        ASSERT_EQ(keyring.add(item), KeyStore::success);
    }

    const auto chosen = KeyStoreChoice::make(m_directory, m_console.console());

    ASSERT_NE(dynamic_cast<SecretServiceKeyStore*>(chosen.get()), nullptr);
    EXPECT_EQ(folderItems(), 0);
    EXPECT_EQ(cache(chosen).load(kEntry, &AppData::fromStored), sampleApp());
}

TEST_F(KeyStoreChoiceTest, KeepsTheFolderWhenTheKeyringHoldsAnotherKeyOfTheSameName) {
    startWithTheFolder();
    const auto otherKey = P521PrivateKey::generate();
    ASSERT_TRUE(otherKey.has_value());
    SecretServiceKeyStore keyring(m_directory);
    ASSERT_EQ(
        keyring.add({.itemClass = KeyStore::ItemClass::key,
                     .applicationLabel = kLabel,
                     .valueRef = KeyStore::Key{.representation = otherKey->x963Representation()}}),
        KeyStore::success);

    const auto chosen = KeyStoreChoice::make(m_directory, m_console.console());

    ASSERT_NE(dynamic_cast<FileKeyStore*>(chosen.get()), nullptr);
    EXPECT_EQ(m_console.lines(),
              QStringList{consoleLine(
                  u"Keys are kept in %1 (moving them into the desktop keyring failed: the keyring "
                  "holds a different item of the same name)"_s.arg(m_directory))});
    // Nothing left the folder, and no copy made on the way stays in the keyring.
    EXPECT_EQ(folderItems(), 2);
    EXPECT_EQ(keyring.copyMatching(passwordQuery(u"sessionToken"_s)).status,
              KeyStore::itemNotFound);
    EXPECT_EQ(cache(chosen).load(kEntry, &AppData::fromStored), sampleApp());
}

TEST_F(KeyStoreChoiceTest, KeepsKeysInTheFolderWhenNoKeyringAnswers) {
    QTemporaryDir scratch;
    const QString noServicesConfig = scratch.filePath(u"bus.conf"_s);
    QFile config(noServicesConfig);
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    // A session bus that can start nothing: no Secret Service is there to be found.
    config.write(R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/>
  </policy>
</busconfig>
)");
    config.close();
    const QString program = QStringLiteral(PATHLOOM_KEYSTORE_CHOICE);
    const QString lockCollection =
        u"dbus-send --session --print-reply --dest=org.freedesktop.secrets "
        u"/org/freedesktop/secrets "
        "org.freedesktop.Secret.Service.Lock "
        "array:objpath:/org/freedesktop/secrets/collection/login "
        ">/dev/null && exec \"$0\" \"$@\""_s;

    const QProcessEnvironment session = QProcessEnvironment::systemEnvironment();
    QProcessEnvironment noBus = session;
    noBus.remove(u"DBUS_SESSION_BUS_ADDRESS"_s);
    noBus.insert(u"XDG_RUNTIME_DIR"_s, scratch.path());
    QProcessEnvironment busNowhere = session;
    busNowhere.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path="_s + scratch.filePath(u"none"_s));

    const struct {
        const char* name;
        QStringList command;
        QProcessEnvironment environment;
        // The reason, or its start where the rest is GLib's own wording.
        QString reason;
    } cases[] = {
        {"no session bus", {program, m_directory}, noBus, u"no session bus)"_s},
        {"a bus address that leads nowhere",
         {program, m_directory},
         busNowhere,
         u"no session bus: Could not connect: "_s},
        {"a bus without a Secret Service",
         {u"dbus-run-session"_s, u"--config-file="_s + noServicesConfig, u"--"_s, program,
          m_directory},
         session,
         u"no Secret Service on the session bus)"_s},
        {"a locked keyring",
         {QStringLiteral(PATHLOOM_WITH_KEYRING), u"sh"_s, u"-c"_s, lockCollection, program,
          m_directory},
         session,
         u"the default collection is locked)"_s},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const ChoiceRun run = runChoice(row.command, row.environment);
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
        ASSERT_EQ(run.lines.size(), 2) << run.lines.join(u'\n').toStdString();
        const QString line = debugQuoted(
            u"Keys are kept in %1 (no desktop keyring: %2"_s.arg(m_directory, row.reason));
        EXPECT_TRUE(run.lines[0].startsWith(line.chopped(1))) << run.lines[0].toStdString();
        EXPECT_TRUE(run.lines[0].endsWith(u")\""_s)) << run.lines[0].toStdString();
        EXPECT_EQ(run.lines[1], u"folder"_s);
    }
}

TEST_F(KeyStoreChoiceTest, StartsAtOnceMoveEachItemOnceAndSerialiseTheirWork) {
    startWithTheFolder();
    const auto keyBefore =
        cache(std::make_shared<FileKeyStore>(m_directory)).cryptor().symmetricKey();
    ASSERT_TRUE(keyBefore.has_value());
    const QString startFile = m_temporary.filePath(u"start"_s);
    const QString log = m_temporary.filePath(u"log"_s);

    constexpr int kStarts = 3;
    std::vector<std::unique_ptr<QProcess>> starts;
    for (int i = 0; i < kStarts; ++i) {
        auto& process = starts.emplace_back(std::make_unique<QProcess>());
        process->start(QStringLiteral(PATHLOOM_KEYSTORE_CHOICE), {m_directory, startFile, log});
        ASSERT_TRUE(process->waitForStarted());
    }
    QFile start(startFile);
    ASSERT_TRUE(start.open(QIODevice::WriteOnly));
    QStringList lines;
    for (const auto& process : starts) {
        ASSERT_TRUE(process->waitForFinished(30'000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        lines +=
            QString::fromUtf8(process->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }

    EXPECT_EQ(lines.count(u"keyring"_s), kStarts) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines.count(debugQuoted(
                  u"Keys are kept in the desktop keyring (2 moved in from %1)"_s.arg(m_directory))),
              1);
    QFile logFile(log);
    ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
    const QString expected = u"enter\nleave\n"_s.repeated(kStarts);
    EXPECT_EQ(QString::fromUtf8(logFile.readAll()), expected);
    EXPECT_EQ(folderItems(), 0);
    const auto keyAfter =
        cache(std::make_shared<SecretServiceKeyStore>(m_directory)).cryptor().symmetricKey();
    ASSERT_TRUE(keyAfter.has_value());
    EXPECT_EQ(*keyAfter, *keyBefore);
}

}  // namespace
}  // namespace pathloom
