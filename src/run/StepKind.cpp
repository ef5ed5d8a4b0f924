#include "run/StepKind.h"

#include "serialization/EncodingTable.h"
#include "steps/PathloomDisplayStep.h"
#include "steps/PathloomDocumentCaptureStep.h"
#include "steps/PathloomEmailStep.h"
#include "steps/PathloomListStep.h"
#include "steps/PathloomNetworkDisplayStep.h"
#include "steps/PathloomNetworkListStep.h"
#include "steps/PathloomNetworkStep.h"
#include "steps/PathloomPDFStep.h"
#include "steps/PathloomSimulateNetworkStep.h"
#include "taskmodel/ORKCompletionStep.h"
#include "taskmodel/ORKFormStep.h"
#include "taskmodel/ORKImageCaptureStep.h"
#include "taskmodel/ORKLearnMoreInstructionStep.h"
#include "taskmodel/ORKQuestionStep.h"
#include "taskmodel/ORKRequestPermissionsStep.h"
#include "taskmodel/ORKSignatureStep.h"
#include "taskmodel/ORKTableStep.h"
#include "taskmodel/ORKVideoCaptureStep.h"
#include "taskmodel/ORKVideoInstructionStep.h"
#include "taskmodel/ORKWaitStep.h"

#include <array>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

template <typename Step>
bool is(const ORKStep& step) {
    return dynamic_cast<const Step*>(&step) != nullptr;
}

struct KindRow {
    StepKind kind;
    QStringView name;
    // The framework's own class of that kind, named in journals; empty for task-framework kinds.
    QStringView frameworkClass;
    bool (*matches)(const ORKStep&);
};

// Most derived first: the first row that matches is the step's kind.
const std::array<KindRow, 21> kKinds{{
    {StepKind::network, u"network", u"PathloomNetworkStep", &is<PathloomNetworkStep>},
    {StepKind::simulatedNetwork, u"simulatedNetwork", u"PathloomSimulateNetworkStep",
     &is<PathloomSimulateNetworkStep>},
    {StepKind::documentCapture, u"documentCapture", u"PathloomDocumentCaptureStep",
     &is<PathloomDocumentCaptureStep>},
    {StepKind::list, u"list", u"PathloomListStep", &is<PathloomListStep>},
    {StepKind::remoteList, u"remoteList", u"PathloomNetworkListStep", &is<PathloomNetworkListStep>},
    {StepKind::display, u"display", u"PathloomDisplayStep", &is<PathloomDisplayStep>},
    {StepKind::remoteDisplay, u"remoteDisplay", u"PathloomNetworkDisplayStep",
     &is<PathloomNetworkDisplayStep>},
    {StepKind::email, u"email", u"PathloomEmailStep", &is<PathloomEmailStep>},
    {StepKind::pdf, u"pdf", u"PathloomPDFStep", &is<PathloomPDFStep>},
    {StepKind::completion, u"completion", {}, &is<ORKCompletionStep>},
    {StepKind::videoInstruction, u"videoInstruction", {}, &is<ORKVideoInstructionStep>},
    {StepKind::learnMore, u"learnMore", {}, &is<ORKLearnMoreInstructionStep>},
    {StepKind::instruction, u"instruction", {}, &is<ORKInstructionStep>},
    {StepKind::question, u"question", {}, &is<ORKQuestionStep>},
    {StepKind::form, u"form", {}, &is<ORKFormStep>},
    {StepKind::imageCapture, u"imageCapture", {}, &is<ORKImageCaptureStep>},
    {StepKind::videoCapture, u"videoCapture", {}, &is<ORKVideoCaptureStep>},
    {StepKind::signature, u"signature", {}, &is<ORKSignatureStep>},
    {StepKind::requestPermissions, u"requestPermissions", {}, &is<ORKRequestPermissionsStep>},
    {StepKind::wait, u"wait", {}, &is<ORKWaitStep>},
    {StepKind::table, u"table", {}, &is<ORKTableStep>},
}};

const KindRow* rowOf(const ORKStep& step) {
    const auto found =
        std::ranges::find_if(kKinds, [&](const KindRow& row) { return row.matches(step); });
    return found == kKinds.end() ? nullptr : &*found;
}

}  // namespace

StepKind stepKind(const ORKStep& step) {
    const KindRow* row = rowOf(step);
    return row ? row->kind : StepKind::other;
}

QString stepKindName(StepKind kind) {
    const auto found =
        std::ranges::find_if(kKinds, [&](const KindRow& row) { return row.kind == kind; });
    return found == kKinds.end() ? u"other"_s : found->name.toString();
}

QString stepClassName(const std::shared_ptr<ORKStep>& step) {
    if (const KindRow* row = rowOf(*step); row && !row->frameworkClass.isEmpty()) {
        return row->frameworkClass.toString();
    }
    const ObjectClass* objectClass = EncodingTable::shared().classOf(Value(step));
    return objectClass ? objectClass->name() : u"ORKStep"_s;
}

}  // namespace pathloom
