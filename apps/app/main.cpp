// pathloom-app: shows a Pathloom app document on screen, as a person uses it.
//
//   pathloom-app [SOURCE | LAUNCH-URL...] [--server-id N] [--initial-workflow N] [--languages L]
//       [--data-dir DIR] [--token T] [--outbox DIR] [--watch FILE] [--journal FILE]
//       [--screenshot-dir DIR] [--quit-after S] [--quit-after-first-paint] [--new-instance]
//       [--autopilot ANSWERS --workflow ID [--report FILE]]
//
// SOURCE is an http(s) URL, the word "cached" or a file path; several are tried in order, and
// none means the cached copy of the last load. Any other scheme://... argument is a launch link,
// opened once the app has started. A start on the data folder of a running pathloom-app hands
// its sources and links to that one and ends. Exit status: 0 ok, 1 failure (or a walk that did
// not complete, or nothing shown for --quit-after-first-paint), 2 usage. Before it quits, the app
// gives analytics requests in flight a few seconds, except after the first paint.

#include "AppOptions.h"
#include "FirstPaintWatch.h"
#include "HostAuthRedirector.h"
#include "HostSettings.h"
#include "LaunchRouter.h"
#include "SingleInstance.h"
#include "foundation/DebugConsole.h"
#include "foundation/FileKeyStore.h"
#include "foundation/KeyStoreChoice.h"
#include "loading/AppConfigurationManager.h"
#include "network/Credential.h"
#include "network/CredentialsStore.h"
#include "network/SecurityStore.h"
#include "platform/DesktopMailComposer.h"
#include "platform/SymbolCatalogue.h"
#include "platform/Theme.h"
#include "run/AnalyticsWait.h"
#include "run/DataDirectory.h"
#include "screens/AlertDialog.h"
#include "screens/AlertObserver.h"
#include "screens/FrameworkStepScreens.h"
#include "shell/JournaledMailComposer.h"
#include "shell/LivePreview.h"
#include "shell/PathloomRootViewController.h"
#include "shell/ScreenJournal.h"
#include "shell/ScreenshotRecorder.h"
#include "taskscreens/StepScreenFactory.h"

#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>

using namespace pathloom;
using namespace Qt::StringLiterals;

namespace {

constexpr int kUsageError = 2;

}  // namespace

int main(int argc, char* argv[]) {
    DataDirectory::useFromArguments(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"pathloom"_s);
    QApplication::setApplicationDisplayName(u"Pathloom"_s);
    QApplication::setDesktopFileName(u"pathloom-app"_s);
    QTextStream out(stdout);
    QTextStream err(stderr);

    bool wantsHelp = false;
    const std::expected<AppOptions, QString> options =
        AppOptions::parse(QApplication::arguments(), wantsHelp);
    if (!options) {
        if (wantsHelp) {
            QTextStream(stdout) << options.error();
            return 0;
        }
        err << options.error() << '\n' << AppOptions::usage();
        return kUsageError;
    }
    // One window per user and data folder: a later start hands its sources and links to it. A
    // walk reports on what it did itself, so it never hands over.
    std::optional<SingleInstance> instance;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!options->newInstance && !options->autopilot && !runtime.isEmpty()) {
        instance.emplace(runtime,
                         SingleInstance::nameForCurrentUser(QStandardPaths::writableLocation(
                             QStandardPaths::AppLocalDataLocation)),
                         DebugConsole());
        const std::expected<SingleInstance::Role, QString> role =
            instance->start({QApplication::arguments().mid(1), QDir::currentPath()});
        if (!role) {
            err << role.error() << '\n';
            return 1;
        }
        if (*role == SingleInstance::Role::forwarded) {
            return 0;
        }
    }
    const auto redirector = std::make_shared<HostAuthRedirector>();
    Theme::apply(application);

    ScreenJournal journal;
    if (options->journalPath && !journal.writeTo(*options->journalPath)) {
        err << u"Could not write the journal to %1."_s.arg(*options->journalPath) << '\n';
        return 1;
    }
    QObject::connect(
        &AlertDialog::observer(), &AlertObserver::shown, &journal,
        [&journal](const QString& title, const QString& message, const QStringList& buttons) {
            journal.record(u"alert"_s, {{u"title"_s, title},
                                        {u"message"_s, message},
                                        {u"buttons"_s, QJsonArray::fromStringList(buttons)}});
        });
    const DebugConsole console;
    AppConfigurationManager::Sources sources;
    sources.keyStore = KeyStoreChoice::make(FileKeyStore::defaultDirectory(), console);
    sources.authRedirectHandler = std::make_shared<const AuthRedirectHandler>(
        AuthRedirector::authRedirectHandler(redirector));
    sources.preferredLanguages = options->languages;
    // Captures stay with the user's data, where an upload that failed can still find them.
    const QDir data(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    if (!data.mkpath(u"captures"_s)) {
        err << u"Could not create the folder %1."_s.arg(data.filePath(u"captures"_s)) << '\n';
        return 1;
    }
    sources.outputDirectory = data.filePath(u"captures"_s);
    AppConfigurationManager manager(sources);
    const auto settings = std::make_shared<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                      u"pathloom"_s, u"pathloom"_s);
    const auto credentials =
        std::make_shared<CredentialsStore>(std::make_shared<const SecurityStore>(sources.keyStore));
    const SymbolCatalogue symbols;
    // The autopilot gives capture steps files; a camera would only wait for a person.
    const bool camera = !options->autopilot;
    StepScreenFactory steps(
        console, camera ? StepScreenFactory::Camera::used : StepScreenFactory::Camera::unused);

    PathloomRootViewController root({manager, settings, credentials, steps, symbols, journal},
                                    options->sources);
    root.setWindowTitle(u"Pathloom"_s);
    // Attachments handed to the mail program stay with the user's data until it has sent them.
    DesktopMailComposer mail(root,
                             options->outbox ? std::optional(QDir(*options->outbox)) : std::nullopt,
                             QDir(data.filePath(u"outbox"_s)), console);
    JournaledMailComposer journaledMail(mail, journal);
    FrameworkStepScreens::registerWith(steps, {symbols, journaledMail, console, camera});
    root.resize(options->windowSize);
    if (options->token) {
        root.setOnShown([&](const AppConfiguration& configuration) {
            root.setWindowTitle(configuration.name);
            (void)credentials->storeCredential({Credential::sessionToken(), *options->token,
                                                QDateTime::currentDateTimeUtc().addDays(1)});
        });
    } else {
        root.setOnShown([&](const AppConfiguration& configuration) {
            root.setWindowTitle(configuration.name);
        });
    }
    std::optional<LivePreview> preview;
    if (options->watched) {
        preview.emplace(root, journal, *options->watched);
    }
    std::optional<ScreenshotRecorder> screenshots;
    if (options->screenshotDirectory) {
        screenshots.emplace(root, journal, QDir(*options->screenshotDirectory));
    }
    // With screenshots, every change waits for its picture: the autopilot between steps, and the
    // app before it quits.
    const int pictureWait = screenshots ? 2 * ScreenshotRecorder::kSettleMilliseconds : 0;
    AnalyticsWait analyticsWait;
    bool quitting = false;
    const auto quit = [&](int status) {
        if (std::exchange(quitting, true)) {
            return;
        }
        analyticsWait.start(root.environment().analytics, [status, pictureWait] {
            QTimer::singleShot(pictureWait, [status] { QApplication::exit(status); });
        });
    };
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&application, &QApplication::lastWindowClosed, &root, [&] { quit(0); });
    std::optional<Autopilot> autopilot;
    if (options->autopilot) {
        Autopilot::Options walk = *options->autopilot;
        walk.pauseMilliseconds = pictureWait;
        autopilot.emplace(std::move(walk), root, out, err);
        QObject::connect(&*autopilot, &Autopilot::finished, &root, quit);
    }
    std::optional<FirstPaintWatch> firstPaint;
    if (options->quitAfterFirstPaint) {
        // It times the start, so it ends at the paint: waiting for the analytics requests of the
        // start would time the network.
        firstPaint.emplace(root, [](int status) { QApplication::exit(status); });
    }
    root.show();
    root.start();
    LaunchRouter router({root, *redirector, HostSettings::schemeManagers(), manager.cacheStorage(),
                         journal, console});
    router.openLinks(options->launchUrls);
    if (instance) {
        instance->setReceiver([&router](const SingleInstance::Message& message) {
            return router.openForwarded(message);
        });
    }
    if (options->quitAfterSeconds) {
        QTimer::singleShot(*options->quitAfterSeconds * 1000, &root, [&] { quit(0); });
    }
    const int status = QApplication::exec();
    root.close();
    return status;
}
