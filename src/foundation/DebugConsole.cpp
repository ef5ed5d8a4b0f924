#include "analytics/DebugConsole.h"

#include "analytics/PropertyDescription.h"

#include <cstdio>

namespace pathloom {

DebugConsole::DebugConsole()
    : DebugConsole([](const QString& line) { std::fputs(line.toUtf8().constData(), stderr); }) {}

DebugConsole::DebugConsole(Sink sink) : m_sink(std::make_shared<const Sink>(std::move(sink))) {}

void DebugConsole::print(const QString& text) const { (*m_sink)(debugQuoted(text) + u'\n'); }

}  // namespace pathloom
