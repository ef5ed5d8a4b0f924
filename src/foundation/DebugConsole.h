#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace pathloom {

// The debug console: events and problems the user need not see, one line each, written in the
// debug form of the text (see PropertyDescription.h), so that a line break inside a value cannot
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
