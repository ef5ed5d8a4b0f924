#include "foundation/DebugConsole.h"

#include <cstdio>

namespace pathloom {

using namespace Qt::StringLiterals;

QString debugQuoted(const QString& text) {
    QString quoted;
    quoted.reserve(text.size() + 2);
    quoted += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
            case u'"':
                quoted += u"\\\""_s;
                break;
            case u'\\':
                quoted += u"\\\\"_s;
                break;
            case u'\n':
                quoted += u"\\n"_s;
                break;
            case u'\r':
                quoted += u"\\r"_s;
                break;
            case u'\t':
                quoted += u"\\t"_s;
                break;
            case u'\0':
                quoted += u"\\0"_s;
                break;
            default:
                if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
                    quoted += u"\\u{"_s + QString::number(c.unicode(), 16).toUpper() + u'}';
                } else {
                    quoted += c;
                }
        }
    }
    quoted += u'"';
    return quoted;
}

DebugConsole::DebugConsole()
    : DebugConsole([](const QString& line) { std::fputs(line.toUtf8().constData(), stderr); }) {}

DebugConsole::DebugConsole(Sink sink) : m_sink(std::make_shared<const Sink>(std::move(sink))) {}

void DebugConsole::print(const QString& text) const { (*m_sink)(debugQuoted(text) + u'\n'); }

}  // namespace pathloom
