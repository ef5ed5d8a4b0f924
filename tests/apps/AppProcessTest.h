#pragma once

#include "JsonLiteral.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The app and the command as processes, for the tests that run them: PATHLOOM_APP and
// PATHLOOM_COMMAND name the programs.
namespace pathloom::test {

using namespace Qt::StringLiterals;

struct AppRun {
    int exitCode = -1;
    QString out;
    QString err;
    QList<QJsonObject> journal;

    // The events of one kind, in order.
    [[nodiscard]] QList<QJsonObject> events(const QString& event) const {
        QList<QJsonObject> found;
        for (const QJsonObject& entry : journal) {
            if (entry.value(u"event"_s).toString() == event) {
                found.append(entry);
            }
        }
        return found;
    }
};

// Starts `pathloom-app` offscreen on a data folder of its own, as a person would from a shell,
// and reads back its journal.
class AppProcessTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(base.isValid()); }

    QString path(const QString& relative) const { return base.filePath(relative); }

    QString document(const QString& name, const QByteArray& bytes) const {
        EXPECT_TRUE(writeFile(path(name), bytes));
        return path(name);
    }

    // `folder` keeps the data and the journal apart from other runs of the same test; `noPath`
    // runs the app where no program can be found.
    AppRun app(const QStringList& arguments, int quitAfterSeconds = 2, const QString& folder = {},
               bool noPath = false) const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        if (noPath) {
            environment.insert(u"PATH"_s, path(u"no-programs"_s));
        }
        process.setProcessEnvironment(environment);
        const QString journal = path(folder + u"journal.jsonl"_s);
        process.start(
            QString::fromUtf8(PATHLOOM_APP),
            arguments + QStringList{u"--data-dir"_s, path(folder + u"data"_s), u"--journal"_s,
                                    journal, u"--quit-after"_s, QString::number(quitAfterSeconds)});
        EXPECT_TRUE(process.waitForFinished(60'000));
        AppRun run{process.exitCode(),
                   QString::fromUtf8(process.readAllStandardOutput()),
                   QString::fromUtf8(process.readAllStandardError()),
                   {}};
        for (const QByteArray& line : readFile(journal).split('\n')) {
            if (!line.isEmpty()) {
                run.journal.append(jsonObject(line));
            }
        }
        return run;
    }

    // `pathloom run` on a data folder of its own.
    AppRun command(const QStringList& arguments, const QString& folder = {}) const {
        QProcess process;
        process.start(QString::fromUtf8(PATHLOOM_COMMAND),
                      QStringList{u"run"_s} + arguments +
                          QStringList{u"--data-dir"_s, path(folder + u"command-data"_s)});
        EXPECT_TRUE(process.waitForFinished(60'000));
        return {process.exitCode(),
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError()),
                {}};
    }

    QTemporaryDir base;
};

}  // namespace pathloom::test
