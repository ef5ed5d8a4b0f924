#include "documents/StepSources.h"

#include "documents/AppData.h"

#include <simdjson.h>

#include <string_view>

namespace pathloom {

namespace {

namespace ondemand = simdjson::ondemand;

// The objects of `array` as views into `text`, mapped back from the padded copy simdjson reads;
// nothing when an element is not an object.
std::optional<QList<QByteArrayView>> objectsOf(ondemand::array array, const char* copy,
                                               const QByteArray& text) {
    QList<QByteArrayView> objects;
    for (ondemand::value element : array) {
        if (element.type() != ondemand::json_type::object) {
            return std::nullopt;
        }
        ondemand::object object = element.get_object();
        const std::string_view raw = object.raw_json();
        objects.append(
            QByteArrayView(text.constData() + (raw.data() - copy), qsizetype(raw.size())));
    }
    return objects;
}

// The value of `key` in `object`, which must hold it once; nothing otherwise.
template <typename Read>
bool readOnce(ondemand::object object, std::string_view key, const Read& read) {
    bool found = false;
    for (ondemand::field field : object) {
        if (field.unescaped_key().value() != key) {
            continue;
        }
        if (found || !read(field.value())) {
            return false;
        }
        found = true;
    }
    return found;
}

}  // namespace

std::optional<StepSources> StepSources::find(const QByteArray& document) {
    const simdjson::padded_string padded(document.constData(), std::size_t(document.size()));
    ondemand::parser parser;
    StepSources sources;
    try {
        ondemand::document root = parser.iterate(padded);
        const bool read = readOnce(root.get_object(), "workflows", [&](ondemand::value workflows) {
            for (ondemand::value workflow : workflows.get_array()) {
                QList<QByteArrayView> steps;
                const bool stepsRead =
                    readOnce(workflow.get_object(), "steps", [&](ondemand::value list) {
                        auto objects = objectsOf(list.get_array(), padded.data(), document);
                        steps = objects.value_or(QList<QByteArrayView>());
                        return objects.has_value();
                    });
                if (!stepsRead) {
                    return false;
                }
                sources.m_steps.append(std::move(steps));
            }
            return true;
        });
        if (!read) {
            return std::nullopt;
        }
    } catch (const simdjson::simdjson_error&) {
        return std::nullopt;
    }
    return sources;
}

bool StepSources::matches(const AppData& app) const {
    if (m_steps.size() != app.tasks.size()) {
        return false;
    }
    for (qsizetype i = 0; i < m_steps.size(); ++i) {
        if (m_steps[i].size() != app.tasks[i].steps.size()) {
            return false;
        }
    }
    return true;
}

}  // namespace pathloom
