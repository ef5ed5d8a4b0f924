#include "steps/PathloomEmailStep.h"

#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

QString subjectOf(const StepContext& context) {
    QStringList names;
    for (const std::optional<QString>& name : {context.appName, context.workflowName}) {
        if (name) {
            names.append(*name);
        }
    }
    return names.join(u" - "_s);
}

// The texts of an array made only of texts; empty for anything else.
QStringList textsOf(const std::optional<QJsonArray>& array) {
    QStringList texts;
    for (const QJsonValue& element : array.value_or(QJsonArray{})) {
        if (!element.isString()) {
            return {};
        }
        texts.append(element.toString());
    }
    return texts;
}

}  // namespace

PathloomEmailStep::PathloomEmailStep(QString identifier, QString subject,
                                     std::optional<QString> sendTo,
                                     QStringList requestPropertyIdentifiers,
                                     std::shared_ptr<NetworkManager> networkManager)
    : ORKStep(std::move(identifier)),
      m_subject(std::move(subject)),
      m_sendTo(std::move(sendTo)),
      m_requestPropertyIdentifiers(std::move(requestPropertyIdentifiers)),
      m_networkManager(std::move(networkManager)) {}

StepBuildResult PathloomEmailStep::build(const StepData& data, const StepContext& context,
                                         const std::shared_ptr<NetworkManager>& networkManager,
                                         const std::shared_ptr<ImageLoader>&, const Localization&) {
    return std::make_shared<PathloomEmailStep>(
        data.identifier, subjectOf(context), json::readString(data.content, u"sendTo"),
        textsOf(json::readArray(data.content, u"requestPropertyIdentifiers")), networkManager);
}

}  // namespace pathloom
