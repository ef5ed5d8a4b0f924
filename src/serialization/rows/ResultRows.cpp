#include "serialization/rows/Rows.h"

#include "serialization/EncodingTable.h"
#include "serialization/ValueForms.h"
#include "taskmodel/ORKBooleanQuestionResult.h"
#include "taskmodel/ORKChoiceQuestionResult.h"
#include "taskmodel/ORKConsentSignatureResult.h"
#include "taskmodel/ORKDateQuestionResult.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKFrontFacingCameraStepResult.h"
#include "taskmodel/ORKLocation.h"
#include "taskmodel/ORKLocationQuestionResult.h"
#include "taskmodel/ORKMultipleComponentQuestionResult.h"
#include "taskmodel/ORKNumericQuestionResult.h"
#include "taskmodel/ORKPageResult.h"
#include "taskmodel/ORKPasscodeResult.h"
#include "taskmodel/ORKSESQuestionResult.h"
#include "taskmodel/ORKScaleQuestionResult.h"
#include "taskmodel/ORKSignatureResult.h"
#include "taskmodel/ORKStepResult.h"
#include "taskmodel/ORKTaskResult.h"
#include "taskmodel/ORKTextQuestionResult.h"
#include "taskmodel/ORKTimeIntervalQuestionResult.h"
#include "taskmodel/ORKTimeOfDayQuestionResult.h"
#include "taskmodel/ORKVideoInstructionStepResult.h"
#include "taskmodel/ORKWebViewStepResult.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The constructor of every result class: all are made from their identifier.
template <typename T>
std::shared_ptr<T> withIdentifier(const PropertyReader& get) {
    return std::make_shared<T>(get.get<QString>(u"identifier"_s));
}

template <typename T, typename Base>
ClassRow<T> resultRow(EncodingTable& table, const QString& name) {
    ClassRow<T> row = table.row<T, Base>(name);
    row.init(withIdentifier<T>);
    return row;
}

}  // namespace

void addResultRows(EncodingTable& table) {
    resultRow<ORKResult, ORKObject>(table, u"ORKResult"_s)
        .initProperty(u"identifier"_s, &ORKResult::identifier, form::string())
        .property(u"startDate"_s, &ORKResult::startDate, form::date())
        .property(u"endDate"_s, &ORKResult::endDate, form::date());

    resultRow<ORKFileResult, ORKResult>(table, u"ORKFileResult"_s)
        .property(u"contentType"_s, &ORKFileResult::contentType, form::string())
        .property(u"fileURL"_s, &ORKFileResult::fileURL, form::url());

    resultRow<ORKPasscodeResult, ORKResult>(table, u"ORKPasscodeResult"_s);

    resultRow<ORKQuestionResult, ORKResult>(table, u"ORKQuestionResult"_s)
        .property(u"answer"_s, &ORKQuestionResult::answer, form::anyValue());
    resultRow<ORKScaleQuestionResult, ORKQuestionResult>(table, u"ORKScaleQuestionResult"_s);
    resultRow<ORKChoiceQuestionResult, ORKQuestionResult>(table, u"ORKChoiceQuestionResult"_s);
    resultRow<ORKMultipleComponentQuestionResult, ORKQuestionResult>(
        table, u"ORKMultipleComponentQuestionResult"_s);
    resultRow<ORKBooleanQuestionResult, ORKQuestionResult>(table, u"ORKBooleanQuestionResult"_s);
    resultRow<ORKTextQuestionResult, ORKQuestionResult>(table, u"ORKTextQuestionResult"_s);
    resultRow<ORKNumericQuestionResult, ORKQuestionResult>(table, u"ORKNumericQuestionResult"_s);
    resultRow<ORKTimeIntervalQuestionResult, ORKQuestionResult>(table,
                                                                u"ORKTimeIntervalQuestionResult"_s);
    // These answers are no JSON values: as any value, a date or a time of day would be written
    // as nothing and a location would read back as a plain map.
    resultRow<ORKTimeOfDayQuestionResult, ORKQuestionResult>(table, u"ORKTimeOfDayQuestionResult"_s)
        .property(u"answer"_s, &ORKQuestionResult::answer, form::timeOfDay());
    resultRow<ORKDateQuestionResult, ORKQuestionResult>(table, u"ORKDateQuestionResult"_s)
        .property(u"answer"_s, &ORKQuestionResult::answer, form::date());
    resultRow<ORKLocationQuestionResult, ORKQuestionResult>(table, u"ORKLocationQuestionResult"_s)
        .property(u"answer"_s, &ORKQuestionResult::answer, form::object(u"ORKLocation"_s));
    resultRow<ORKSESQuestionResult, ORKQuestionResult>(table, u"ORKSESQuestionResult"_s);

    table.row<ORKLocation, ORKObject>(u"ORKLocation"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKLocation>(
                get.get<Coordinate>(u"coordinate"_s),
                get.get<std::optional<CircularRegion>>(u"region"_s),
                get.get<std::optional<PostalAddress>>(u"postalAddress"_s));
        })
        .initProperty(u"coordinate"_s, &ORKLocation::coordinate, form::coordinate())
        .initProperty(u"region"_s, &ORKLocation::region, form::region())
        .initProperty(u"postalAddress"_s, &ORKLocation::postalAddress, form::postalAddress());

    resultRow<ORKConsentSignatureResult, ORKResult>(table, u"ORKConsentSignatureResult"_s);
    resultRow<ORKSignatureResult, ORKResult>(table, u"ORKSignatureResult"_s);

    resultRow<ORKCollectionResult, ORKResult>(table, u"ORKCollectionResult"_s)
        .property(u"results"_s, &ORKCollectionResult::results,
                  form::arrayOf(form::object(u"ORKResult"_s)));
    resultRow<ORKTaskResult, ORKCollectionResult>(table, u"ORKTaskResult"_s);
    resultRow<ORKStepResult, ORKCollectionResult>(table, u"ORKStepResult"_s);
    resultRow<ORKPageResult, ORKTaskResult>(table, u"ORKPageResult"_s);

    resultRow<ORKVideoInstructionStepResult, ORKResult>(table, u"ORKVideoInstructionStepResult"_s);
    resultRow<ORKFrontFacingCameraStepResult, ORKResult>(table,
                                                         u"ORKFrontFacingCameraStepResult"_s);
    resultRow<ORKWebViewStepResult, ORKResult>(table, u"ORKWebViewStepResult"_s);
}

}  // namespace pathloom
