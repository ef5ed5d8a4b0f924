#include "steps/ResearchKitStepType.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QList<ResearchKitStepType> ResearchKitStepType::allCases() {
    return {ResearchKitStepType(Case::instructions), ResearchKitStepType(Case::videoInstructions),
            ResearchKitStepType(Case::completion),   ResearchKitStepType(Case::question),
            ResearchKitStepType(Case::form),         ResearchKitStepType(Case::videoCapture),
            ResearchKitStepType(Case::signature)};
}

std::optional<ResearchKitStepType> ResearchKitStepType::fromTypeName(const QString& typeName) {
    for (const ResearchKitStepType& type : allCases()) {
        if (type.typeName() == typeName) {
            return type;
        }
    }
    return std::nullopt;
}

QString ResearchKitStepType::typeName() const {
    switch (m_value) {
        case Case::instructions:
            return u"instructions"_s;
        case Case::videoInstructions:
            return u"videoInstructions"_s;
        case Case::completion:
            return u"completion"_s;
        case Case::question:
            return u"question"_s;
        case Case::form:
            return u"form"_s;
        case Case::videoCapture:
            return u"videoCapture"_s;
        case Case::signature:
            return u"signature"_s;
    }
    return {};
}

QString ResearchKitStepType::className() const {
    switch (m_value) {
        case Case::instructions:
            return u"ORKInstructionStep"_s;
        case Case::videoInstructions:
            return u"ORKVideoInstructionStep"_s;
        case Case::completion:
            return u"ORKCompletionStep"_s;
        case Case::question:
            return u"ORKQuestionStep"_s;
        case Case::form:
            return u"ORKFormStep"_s;
        case Case::videoCapture:
            return u"ORKVideoCaptureStep"_s;
        case Case::signature:
            return u"ORKSignatureStep"_s;
    }
    return {};
}

}  // namespace pathloom
