#include "TestFiles.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun run(const QString& program, const QStringList& arguments,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60'000)) << program.toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The desktop entry that makes pathloom-app the handler of pathloom:// links, as the desktop's own
// tools read it.
TEST(DesktopEntryTest, IsValidAndInstallsAsTheHandlerOfPathloomLinks) {
    for (const char* tool : {"desktop-file-validate", "xdg-mime"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            GTEST_SKIP() << tool << " is missing; scripts/setup installs it";
        }
    }
    const QString entry = QString::fromUtf8(PATHLOOM_SOURCE) + u"/apps/app/pathloom-app.desktop"_s;
    const ToolRun validated = run(u"desktop-file-validate"_s, {entry});
    EXPECT_EQ(validated.exitCode, 0);
    EXPECT_EQ(validated.out + validated.err, QString());

    const QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    // A folder name with a space, a quote and a dollar, which the entry's Exec must quote.
    const QString program = home.filePath(u"my \"apps\" $HOME/pathloom-app"_s);
    ASSERT_TRUE(QDir().mkpath(home.filePath(u"my \"apps\" $HOME"_s)));
    ASSERT_TRUE(QFile::copy(QString::fromUtf8(PATHLOOM_APP), program));

    const ToolRun installed = run(
        QString::fromUtf8(PATHLOOM_SOURCE) + u"/scripts/install-desktop"_s, {program}, environment);
    ASSERT_EQ(installed.exitCode, 0) << installed.err.toStdString();
    const QString installedEntry = home.filePath(u"data/applications/pathloom-app.desktop"_s);
    const ToolRun installedValid = run(u"desktop-file-validate"_s, {installedEntry});
    EXPECT_EQ(installedValid.out + installedValid.err, QString());
    const QString text = QString::fromUtf8(test::readFile(installedEntry));
    EXPECT_TRUE(text.contains(
        u"\nExec=\""_s +
        QString(program).replace(u"\""_s, u"\\\\\""_s).replace(u"$"_s, u"\\\\$"_s) + u"\" %u\n"_s))
        << text.toStdString();
    EXPECT_TRUE(
        QFile::exists(home.filePath(u"data/icons/hicolor/scalable/apps/pathloom-app.svg"_s)));

    const ToolRun handler =
        run(u"xdg-mime"_s, {u"query"_s, u"default"_s, u"x-scheme-handler/pathloom"_s}, environment);
    EXPECT_EQ(handler.out.trimmed(), u"pathloom-app.desktop"_s);
}

}  // namespace
}  // namespace pathloom
