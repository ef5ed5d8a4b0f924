#pragma once

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The `pathloom` command as a process, for the tests that run it: PATHLOOM_COMMAND names the
// program.
namespace pathloom::test {

struct CommandRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the command on a data folder of its own, with documents written to a folder of their own.
class CommandProcessTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dataDir.isValid() && files.isValid()); }

    CommandRun pathloom(QStringList arguments) {
        arguments << QStringLiteral("--data-dir") << dataDir.path();
        QProcess process;
        process.start(QString::fromUtf8(PATHLOOM_COMMAND), arguments);
        EXPECT_TRUE(process.waitForFinished(60'000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QString document(const QString& name, const QByteArray& bytes) {
        QFile file(files.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir dataDir;
    QTemporaryDir files;
};

}  // namespace pathloom::test
