#pragma once

#include "loading/AppConfigurationContext.h"
#include "shell/TaskScreens.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <optional>

namespace pathloom {

class ErrorBanner;
class PathloomRootViewController;
class ScreenJournal;

// Shows an author's edits to an app document as soon as the file is saved: the document is
// loaded again through the root (the shown app stays until the new one has loaded) and the
// workflow shown before opens again at the same step, with the answers given before that step,
// where the workflow and the step still exist. A document that does not load says why in a
// banner over the last app that did; the next good save takes the banner away.
//
// Editors often save by writing a new file and renaming it over the old one, which ends a watch
// on the file itself; the folder is watched too, and the file's watch renewed. Saves are taken
// together once the file has been quiet for kSettleMilliseconds.
//
// Journal events: "watch" (each reload: the workflow and step taken up, and whether the step was
// kept) and "banner" (its message, or null when it goes). Main thread only; the root and the
// journal outlive it.
class LivePreview : public QObject {
    Q_OBJECT

public:
    static constexpr int kSettleMilliseconds = 300;

    LivePreview(PathloomRootViewController& root, ScreenJournal& journal,
                AppConfigurationContext::File document);

private:
    // The workflow on screen and where it is.
    struct Place {
        Workflow workflow;
        TaskScreens::Resume resume;
    };

    void changed();
    void reload();
    void reopen(const std::optional<Place>& place);
    void setBannerMessage(const std::optional<QString>& message);
    [[nodiscard]] std::optional<Place> shownPlace() const;

    PathloomRootViewController& m_root;
    ScreenJournal& m_journal;
    AppConfigurationContext::File m_document;
    QString m_file;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    ErrorBanner* m_banner;
};

}  // namespace pathloom
