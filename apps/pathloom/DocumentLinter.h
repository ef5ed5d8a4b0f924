#pragma once

#include "LintFinding.h"
#include "foundation/Error.h"
#include "loading/AppAssembly.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QStringList>
#include <expected>
#include <optional>

namespace pathloom {

class AppConfigurationManager;

// Finds the mistakes in an app document that loading lets through: references between steps,
// rules, workflows and translations that lead nowhere, and names and colours the app cannot
// show. The document is read and its steps built as a load does, so a document that cannot load
// gives the load's own error; nothing is cached.
class DocumentLinter {
public:
    struct Options {
        std::optional<qint64> serverId = {};
        std::optional<qint64> initialWorkflowId = {};
        // The languages whose translations are checked; every table's when absent.
        std::optional<QStringList> languages = {};
        // Session values given at load, which placeholders may name.
        QSet<QString> sessionNames = {};
        // Whether to find the line and column of each finding in the text.
        bool positions = true;
    };

    explicit DocumentLinter(AssemblyContext context) : m_context(std::move(context)) {}
    // Builds steps with the factories, image loader, session and key store of `manager`.
    explicit DocumentLinter(const AppConfigurationManager& manager);

    // The findings sorted by position (those without one last, by path).
    [[nodiscard]] std::expected<QList<LintFinding>, Error> lint(const QByteArray& text,
                                                                const Options& options) const;

private:
    AssemblyContext m_context;
};

}  // namespace pathloom
