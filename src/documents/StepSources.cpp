#include "documents/StepSources.h"

#include "documents/AppData.h"

#include <cstring>

namespace pathloom {

namespace {

// Walks a JSON text just far enough to find where the step objects stand, without building
// anything: the text has been parsed already, and what is not read the way the reader reads it
// only makes the walk give up. Scalars are skipped by their extent, not checked.
class StepScanner {
public:
    explicit StepScanner(QByteArrayView text)
        : m_at(text.data()), m_end(text.data() + text.size()) {}

    std::optional<QList<QList<QByteArrayView>>> workflowSteps() {
        QList<QList<QByteArrayView>> workflows;
        const bool read = memberOnce("workflows", [&] {
            return elements([&] {
                std::optional<QList<QByteArrayView>> steps = stepsOfWorkflow();
                if (steps) {
                    workflows.append(std::move(*steps));
                }
                return steps.has_value();
            });
        });
        skipSpace();
        if (!read || m_at != m_end) {
            return std::nullopt;
        }
        return workflows;
    }

private:
    std::optional<QList<QByteArrayView>> stepsOfWorkflow() {
        QList<QByteArrayView> steps;
        const bool read = memberOnce("steps", [&] {
            return elements([&] {
                skipSpace();
                const char* begin = m_at;
                if (!at('{') || !skipValue()) {
                    return false;
                }
                steps.append(QByteArrayView(begin, m_at - begin));
                return true;
            });
        });
        if (!read) {
            return std::nullopt;
        }
        return steps;
    }

    // Reads an object that holds `name` exactly once, calling `value()` at its value and skipping
    // every other member; a second `name` leaves the reader's choice in doubt.
    template <typename Value>
    bool memberOnce(QByteArrayView name, const Value& value) {
        bool found = false;
        const bool read = members([&](QByteArrayView key) {
            if (key != name) {
                return skipValue();
            }
            if (found) {
                return false;
            }
            found = true;
            return value();
        });
        return read && found;
    }

    // Calls `value(key)` at each member's value, which it must read. An escaped key might be any
    // key, so it ends the walk.
    template <typename Value>
    bool members(const Value& value) {
        return list('{', '}', [&] {
            skipSpace();
            const char* begin = m_at + 1;
            if (!at('"') || !skipString()) {
                return false;
            }
            const QByteArrayView key(begin, m_at - 1 - begin);
            skipSpace();
            if (key.contains('\\') || !at(':')) {
                return false;
            }
            ++m_at;
            return value(key);
        });
    }

    template <typename Element>
    bool elements(const Element& element) {
        return list('[', ']', element);
    }

    template <typename Item>
    bool list(char open, char close, const Item& item) {
        skipSpace();
        if (!at(open)) {
            return false;
        }
        ++m_at;
        skipSpace();
        if (at(close)) {
            ++m_at;
            return true;
        }
        while (item()) {
            skipSpace();
            if (at(close)) {
                ++m_at;
                return true;
            }
            if (!at(',')) {
                return false;
            }
            ++m_at;
        }
        return false;
    }

    // Past one value, counting brackets rather than descending, so that no nesting can exhaust
    // the stack.
    bool skipValue() {
        qsizetype depth = 0;
        do {
            skipSpace();
            if (m_at == m_end) {
                return false;
            }
            switch (*m_at) {
                case '"':
                    if (!skipString()) {
                        return false;
                    }
                    break;
                case '{':
                case '[':
                    ++depth;
                    ++m_at;
                    break;
                case '}':
                case ']':
                    if (depth == 0) {
                        return false;
                    }
                    --depth;
                    ++m_at;
                    break;
                case ',':
                case ':':
                    if (depth == 0) {
                        return false;
                    }
                    ++m_at;
                    break;
                default:
                    if (!skipScalar()) {
                        return false;
                    }
            }
        } while (depth > 0);
        return true;
    }

    // Past a number or a literal: to the next character that can follow one.
    bool skipScalar() {
        const char* begin = m_at;
        while (m_at != m_end &&
               std::memchr(kScalarEnds, *m_at, sizeof kScalarEnds - 1) == nullptr) {
            ++m_at;
        }
        return m_at != begin;
    }

    static constexpr char kScalarEnds[] = ",:[]{}\" \t\r\n";

    // From an opening quote to past its closing one.
    bool skipString() {
        const char* from = m_at + 1;
        // memchr finds quotes far faster than a loop over each byte; a quote after an odd run of
        // backslashes is escaped and the search goes on past it.
        while (const void* found = std::memchr(from, '"', std::size_t(m_end - from))) {
            const char* quote = static_cast<const char*>(found);
            const char* escapes = quote;
            while (escapes != from && escapes[-1] == '\\') {
                --escapes;
            }
            from = quote + 1;
            if ((quote - escapes) % 2 == 0) {
                m_at = from;
                return true;
            }
        }
        return false;
    }

    void skipSpace() {
        while (m_at != m_end && (*m_at == ' ' || *m_at == '\n' || *m_at == '\r' || *m_at == '\t')) {
            ++m_at;
        }
    }

    [[nodiscard]] bool at(char c) const { return m_at != m_end && *m_at == c; }

    const char* m_at;
    const char* m_end;
};

}  // namespace

std::optional<StepSources> StepSources::find(const QByteArray& document) {
    // The reader replaces what is not UTF-8, so such bytes are not what it read.
    if (!QByteArrayView(document).isValidUtf8()) {
        return std::nullopt;
    }
    std::optional<QList<QList<QByteArrayView>>> steps = StepScanner(document).workflowSteps();
    if (!steps) {
        return std::nullopt;
    }
    StepSources sources;
    sources.m_steps = std::move(*steps);
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
