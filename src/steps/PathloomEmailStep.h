#pragma once

#include "steps/BuildableStep.h"
#include "taskmodel/ORKStep.h"

#include <QStringList>
#include <optional>

namespace pathloom {

// The e-mail step: its screen composes a message that attaches or quotes earlier results.
class PathloomEmailStep : public ORKStep {
public:
    PathloomEmailStep(QString identifier, QString subject, std::optional<QString> sendTo,
                      QStringList requestPropertyIdentifiers,
                      std::shared_ptr<NetworkManager> networkManager);

    // Never fails. The subject joins the app and workflow names that are present with " - ";
    // "requestPropertyIdentifiers" must be an array of texts or reads as empty.
    [[nodiscard]] static StepBuildResult build(
        const StepData& data, const StepContext& context,
        const std::shared_ptr<NetworkManager>& networkManager,
        const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization);

    [[nodiscard]] const QString& subject() const { return m_subject; }
    // The recipient's address.
    [[nodiscard]] const std::optional<QString>& sendTo() const { return m_sendTo; }
    // The result properties that the message attaches or quotes.
    [[nodiscard]] const QStringList& requestPropertyIdentifiers() const {
        return m_requestPropertyIdentifiers;
    }
    [[nodiscard]] const std::shared_ptr<NetworkManager>& networkManager() const {
        return m_networkManager;
    }

private:
    QString m_subject;
    std::optional<QString> m_sendTo;
    QStringList m_requestPropertyIdentifiers;
    std::shared_ptr<NetworkManager> m_networkManager;
};

}  // namespace pathloom
