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
    // Nothing when the text is not read the way the document reader reads it: simdjson refuses
    // it (it is stricter about UTF-8, for one), or a repeated "workflows" or "steps" key leaves
    // the reader's choice among them in doubt.
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
