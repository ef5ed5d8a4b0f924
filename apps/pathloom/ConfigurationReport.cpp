#include "ConfigurationReport.h"

#include "run/NavigationPlan.h"
#include "run/StepKind.h"
#include "serialization/ORKESerializer.h"
#include "session/ResultEqualityStepNavigationRule.h"
#include "steps/DisplayItem.h"
#include "steps/ListStepItem.h"
#include "steps/PathloomDisplayStep.h"
#include "steps/PathloomDocumentCaptureStep.h"
#include "steps/PathloomEmailStep.h"
#include "steps/PathloomListStep.h"
#include "steps/PathloomNetworkDisplayStep.h"
#include "steps/PathloomNetworkListStep.h"
#include "steps/PathloomNetworkStep.h"
#include "steps/PathloomPDFStep.h"
#include "steps/PathloomSimulateNetworkStep.h"
#include "taskmodel/ORKImageCaptureStep.h"

#include <QJsonArray>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

QJsonValue orNull(const std::optional<QString>& text) {
    return text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null);
}

QJsonArray integers(const QList<qint64>& values) {
    QJsonArray array;
    for (qint64 value : values) {
        array.append(value);
    }
    return array;
}

QString styleName(AppNavigationStyle style) {
    switch (style) {
        case AppNavigationStyle::list:
            return u"list"_s;
        case AppNavigationStyle::tabBar:
            return u"tabBar"_s;
        case AppNavigationStyle::primaryWorkflow:
            return u"primaryWorkflow"_s;
    }
    return {};
}

template <typename Item>
QJsonArray itemsJson(const QList<Value>& items) {
    QJsonArray array;
    for (const Value& item : items) {
        if (const auto object = item.object<Item>()) {
            array.append(object->toJson());
        }
    }
    return array;
}

// The framework steps' own fields under their names; the serializer's encoding for the others.
QJsonObject encoded(const std::shared_ptr<ORKStep>& pointer) {
    const ORKStep& step = *pointer;
    if (const auto* network = dynamic_cast<const PathloomNetworkStep*>(&step)) {
        return {{u"url"_s, network->url()}};
    }
    if (const auto* simulated = dynamic_cast<const PathloomSimulateNetworkStep*>(&step)) {
        return {{u"interval"_s,
                 simulated->interval() ? QJsonValue(*simulated->interval()) : QJsonValue()}};
    }
    if (const auto* list = dynamic_cast<const PathloomListStep*>(&step)) {
        return {{u"items"_s, itemsJson<ListStepItem>(list->items)},
                {u"secondaryWorkflowIDs"_s, integers(list->secondaryWorkflowIDs())}};
    }
    if (const auto* remoteList = dynamic_cast<const PathloomNetworkListStep*>(&step)) {
        return {{u"url"_s, orNull(remoteList->url())},
                {u"emptyText"_s, orNull(remoteList->emptyText())},
                {u"secondaryWorkflowIDs"_s, integers(remoteList->secondaryWorkflowIDs())}};
    }
    if (const auto* display = dynamic_cast<const PathloomDisplayStep*>(&step)) {
        return {{u"items"_s, itemsJson<DisplayItem>(display->items)}};
    }
    if (const auto* remoteDisplay = dynamic_cast<const PathloomNetworkDisplayStep*>(&step)) {
        return {{u"url"_s, orNull(remoteDisplay->url())}};
    }
    if (const auto* email = dynamic_cast<const PathloomEmailStep*>(&step)) {
        return {{u"subject"_s, email->subject()},
                {u"sendTo"_s, orNull(email->sendTo())},
                {u"requestPropertyIdentifiers"_s,
                 QJsonArray::fromStringList(email->requestPropertyIdentifiers())}};
    }
    if (const auto* pdf = dynamic_cast<const PathloomPDFStep*>(&step)) {
        return {{u"pdfURL"_s, pdf->pdfURL()}};
    }
    if (dynamic_cast<const PathloomDocumentCaptureStep*>(&step)) {
        return {};
    }
    // The serializer's encoding of a task-framework step; the framework builds image capture
    // steps itself, so their two document fields are shown as well.
    QJsonObject json = ORKESerializer::JSONObjectForObject(Value(pointer)).toObject();
    if (const auto* capture = dynamic_cast<const ORKImageCaptureStep*>(&step)) {
        json.insert(u"optional"_s, capture->optional);
        json.insert(u"devicePosition"_s, capture->devicePosition);
    }
    return json;
}

QJsonArray rulesJson(const ORKNavigableOrderedTask& task) {
    QJsonArray rules;
    for (const QString& trigger : task.triggerStepIdentifiers()) {
        const auto rule = std::dynamic_pointer_cast<ResultEqualityStepNavigationRule>(
            task.navigationRuleForTriggerStepIdentifier(trigger));
        if (!rule) {
            continue;
        }
        QJsonArray destinations;
        for (const NavigationDestinationRule& destination : rule->navigationDestinationRules) {
            destinations.append(QJsonObject{
                {u"to"_s, destination.toStepIdentifier},
                {u"propertyKeyPath"_s, orNull(destination.propertyKeyPath)},
                {u"operand"_s,
                 destination.operand ? QJsonValue(rawValue(*destination.operand)) : QJsonValue()},
                {u"value"_s, orNull(destination.value)},
            });
        }
        rules.append(QJsonObject{{u"trigger"_s, trigger}, {u"destinations"_s, destinations}});
    }
    return rules;
}

}  // namespace

QJsonObject ConfigurationReport::toJson(const AppConfiguration& configuration) {
    QJsonArray workflows;
    for (const Workflow& workflow : configuration.tasks) {
        QJsonArray steps;
        for (const auto& step : workflow.task->steps) {
            steps.append(QJsonObject{{u"identifier"_s, step->identifier},
                                     {u"class"_s, stepClassName(step)},
                                     {u"title"_s, orNull(step->title)},
                                     {u"text"_s, orNull(step->text)},
                                     {u"encoded"_s, encoded(step)}});
        }
        workflows.append(QJsonObject{{u"id"_s, workflow.id},
                                     {u"identifier"_s, workflow.task->identifier},
                                     {u"name"_s, orNull(workflow.name)},
                                     {u"systemImageName"_s, orNull(workflow.systemImageName)},
                                     {u"steps"_s, steps},
                                     {u"navigationRules"_s, rulesJson(*workflow.task)}});
    }
    const QColor tint = configuration.systemTintColor;
    return {
        {u"id"_s, configuration.id},
        {u"name"_s, configuration.name},
        {u"navigationStyle"_s, styleName(configuration.navigationStyle)},
        {u"primaryWorkflow"_s, configuration.primaryWorkflow
                                   ? QJsonValue(configuration.primaryWorkflow->id)
                                   : QJsonValue()},
        {u"initialWorkflow"_s, configuration.initialWorkflow
                                   ? QJsonValue(configuration.initialWorkflow->id)
                                   : QJsonValue()},
        {u"tabIds"_s,
         configuration.tabIds ? QJsonValue(integers(*configuration.tabIds)) : QJsonValue()},
        {u"tintColor"_s, u"#%1%2%3%4"_s.arg(tint.red(), 2, 16, QLatin1Char('0'))
                             .arg(tint.green(), 2, 16, QLatin1Char('0'))
                             .arg(tint.blue(), 2, 16, QLatin1Char('0'))
                             .arg(tint.alpha(), 2, 16, QLatin1Char('0'))
                             .toUpper()},
        {u"analyticsURL"_s,
         configuration.analyticsURL
             ? QJsonValue(configuration.analyticsURL->toString(QUrl::FullyEncoded))
             : QJsonValue()},
        {u"workflows"_s, workflows},
        {u"navigation"_s, NavigationPlan::toJson(NavigationPlan::make(configuration))},
    };
}

QString ConfigurationReport::toText(const AppConfiguration& configuration) {
    QString text = u"%1 (app %2), %3\n"_s.arg(configuration.name)
                       .arg(configuration.id)
                       .arg(styleName(configuration.navigationStyle));
    text += NavigationPlan::describe(NavigationPlan::make(configuration)) + u'\n';
    for (const Workflow& workflow : configuration.tasks) {
        text += u"  workflow %1 '%2' %3\n"_s.arg(workflow.id)
                    .arg(workflow.task->identifier, workflow.name.value_or(QString()));
        for (const auto& step : workflow.task->steps) {
            text += u"    %1 %2: %3\n"_s.arg(stepClassName(step), step->identifier,
                                             step->title.value_or(QString()));
        }
    }
    return text;
}

}  // namespace pathloom
