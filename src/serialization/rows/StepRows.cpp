#include "serialization/rows/Rows.h"

#include "serialization/EncodingTable.h"
#include "serialization/ValueForms.h"
#include "taskmodel/ORKCompletionStep.h"
#include "taskmodel/ORKInstructionStep.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The constructor of every step class that is made from its identifier alone.
template <typename T>
std::shared_ptr<T> withIdentifier(const PropertyReader& get) {
    return std::make_shared<T>(get.get<QString>(u"identifier"_s));
}

}  // namespace

void addStepRows(EncodingTable& table) {
    table.row<ORKStep, ORKObject>(u"ORKStep"_s)
        .init(withIdentifier<ORKStep>)
        .initProperty(u"identifier"_s, &ORKStep::identifier, form::string())
        .property(u"optional"_s, &ORKStep::optional, form::number())
        .property(u"title"_s, &ORKStep::title, form::string())
        .property(u"text"_s, &ORKStep::text, form::string())
        .property(u"detailText"_s, &ORKStep::detailText, form::string())
        .property(u"headerTextAlignment"_s, &ORKStep::headerTextAlignment, form::number())
        .property(u"footnote"_s, &ORKStep::footnote, form::string())
        .property(u"shouldTintImages"_s, &ORKStep::shouldTintImages, form::number())
        .property(u"useSurveyMode"_s, &ORKStep::useSurveyMode, form::number())
        .property(u"imageContentMode"_s, &ORKStep::imageContentMode, form::number())
        .property(u"iconImage"_s, &ORKStep::iconImage, form::imageReference())
        .property(u"auxiliaryImage"_s, &ORKStep::auxiliaryImage, form::imageReference())
        .property(u"image"_s, &ORKStep::image, form::imageReference())
        .property(u"bodyItemTextAlignment"_s, &ORKStep::bodyItemTextAlignment, form::number())
        .property(u"buildInBodyItems"_s, &ORKStep::buildInBodyItems, form::number())
        .property(u"useExtendedPadding"_s, &ORKStep::useExtendedPadding, form::number());

    table.row<ORKInstructionStep, ORKStep>(u"ORKInstructionStep"_s)
        .init(withIdentifier<ORKInstructionStep>)
        .property(u"detailText"_s, &ORKInstructionStep::detailText, form::string())
        .property(u"footnote"_s, &ORKInstructionStep::footnote, form::string())
        .property(u"centerImageVertically"_s, &ORKInstructionStep::centerImageVertically,
                  form::number());

    table.row<ORKCompletionStep, ORKInstructionStep>(u"ORKCompletionStep"_s)
        .init(withIdentifier<ORKCompletionStep>);
}

}  // namespace pathloom
