#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace pathloom {

// `text` in double quotes, with double quotes and backslashes escaped by a backslash and control
// characters written as escapes (\n, \r, \t, \0, \u{1B}).
[[nodiscard]] QString debugQuoted(const QString& text);

// The debug console: events and problems the user need not see, one line each, written in the
// debug form of the text (see debugQuoted()), so that a line break inside a value cannot
// split the line. Lines go to stderr unless a host or a test hands in a sink of its own. Copies
// share the sink. print() is as thread-safe as the sink; the stderr sink is.
class DebugConsole {
public:
    // Receives each finished line, line feed included.
    using Sink = std::function<void(const QString& line)>;

    DebugConsole();
    explicit DebugConsole(Sink sink);

    void print(const QString& text) const;

private:
    std::shared_ptr<const Sink> m_sink;
};

}  // namespace pathloom
