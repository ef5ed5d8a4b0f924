#pragma once

#include "DocumentLinter.h"
#include "foundation/Cancellable.h"
#include "loading/AppConfigurationContext.h"

#include <QTextStream>
#include <functional>

namespace pathloom {

class AppConfigurationManager;

// `pathloom lint`: reads the app document of a file or a server, prints what DocumentLinter
// finds (a line each, or one JSON list) and works out the exit status: 1 when the document does
// not load or has errors (or warnings, with `werror`), else 0.
class LintCommand {
public:
    struct Options {
        bool json = false;
        bool werror = false;
        DocumentLinter::Options lint;
    };

    LintCommand(Options options, AppConfigurationManager& manager, QTextStream& out,
                QTextStream& err);

    // Reports on the main thread; `done` gets the exit status. The cached document is not a
    // source: it holds the decoded app, not the document.
    void start(const AppConfigurationContext& context, std::function<void(int)> done);

private:
    int lint(const QByteArray& text, const QString& source, bool isFile);
    void printLoadError(const Error& error, const QByteArray& text, const QString& source,
                        bool isFile);

    Options m_options;
    AppConfigurationManager& m_manager;
    QTextStream& m_out;
    QTextStream& m_err;
    Cancellable m_request;
};

}  // namespace pathloom
