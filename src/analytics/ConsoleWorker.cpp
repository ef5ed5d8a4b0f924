#include "analytics/ConsoleWorker.h"

#include "analytics/PropertyDescription.h"

namespace pathloom {

using namespace Qt::StringLiterals;

ConsoleWorker::ConsoleWorker(DebugConsole console) : m_console(std::move(console)) {}

void ConsoleWorker::log(const QString& name, const std::optional<QVariantMap>& properties) {
    m_console.print(u"Event: "_s + name + u", Parameters: "_s +
                    propertiesDebugDescription(properties));
}

}  // namespace pathloom
