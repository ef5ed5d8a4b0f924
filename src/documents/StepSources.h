#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

namespace pathloom {

struct AppData;

// Where each step object of an app document stands in the document's text, by workflow and
// step: the stored form keeps a step's own bytes instead of writing its content again. Views
// into the text, which must outlive them.
class StepSources {
public:
    // Nothing when the text may not be read the way the document reader reads it: it is not
    // UTF-8, not the shape of an app document, or a repeated "workflows" or "steps" key (or an
    // escaped key that may be one) leaves the reader's choice among them in doubt.
    [[nodiscard]] static std::optional<StepSources> find(const QByteArray& document);

    // Whether there is a source for every step of `app` and no other: the same text decoded.
    [[nodiscard]] bool matches(const AppData& app) const;
    [[nodiscard]] QByteArrayView step(qsizetype workflow, qsizetype step) const {
        return m_steps[workflow][step];
    }

private:
    QList<QList<QByteArrayView>> m_steps;
};

}  // namespace pathloom
