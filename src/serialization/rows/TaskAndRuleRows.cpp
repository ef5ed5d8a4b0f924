#include "serialization/rows/Rows.h"

#include "serialization/EncodingTable.h"
#include "serialization/ValueForms.h"
#include "taskmodel/ORKDirectStepNavigationRule.h"
#include "taskmodel/ORKNavigableOrderedTask.h"
#include "taskmodel/ORKPredicateStepNavigationRule.h"
#include "taskmodel/ORKResultSelector.h"
#include "taskmodel/ORKStep.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

template <typename T>
std::shared_ptr<T> withIdentifierAndSteps(const PropertyReader& get) {
    return std::make_shared<T>(get.get<QString>(u"identifier"_s),
                               get.get<QList<std::shared_ptr<ORKStep>>>(u"steps"_s));
}

// Predicates have no JSON form, so only an empty list decodes (the engine rejects any element)
// and there is nothing to set or to write.
PropertyAccessor noPredicates() {
    return {[](ORKObject&, const Value&) {}, [](const ORKObject&) { return Value(); }};
}

}  // namespace

void addTaskAndRuleRows(EncodingTable& table) {
    table.declareClass<ORKStepNavigationRule, ORKObject>(u"ORKStepNavigationRule"_s);
    table.declareClass<ORKTask, ORKObject>(u"ORKTask"_s);

    table.row<ORKResultSelector, ORKObject>(u"ORKResultSelector"_s);

    table
        .row<ORKPredicateStepNavigationRule, ORKStepNavigationRule>(
            u"ORKPredicateStepNavigationRule"_s)
        .property(u"resultPredicates"_s, noPredicates(), form::arrayOf(form::predicate()));

    table.row<ORKDirectStepNavigationRule, ORKStepNavigationRule>(u"ORKDirectStepNavigationRule"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKDirectStepNavigationRule>(
                get.get<QString>(u"destinationStepIdentifier"_s));
        })
        .initProperty(u"destinationStepIdentifier"_s,
                      &ORKDirectStepNavigationRule::destinationStepIdentifier, form::string());

    table.row<ORKOrderedTask, ORKTask>(u"ORKOrderedTask"_s)
        .init(withIdentifierAndSteps<ORKOrderedTask>)
        .initProperty(u"identifier"_s, &ORKOrderedTask::identifier, form::string())
        .initProperty(u"steps"_s, &ORKOrderedTask::steps,
                      form::arrayOf(form::object(u"ORKStep"_s)));

    table.row<ORKNavigableOrderedTask, ORKOrderedTask>(u"ORKNavigableOrderedTask"_s)
        .init(withIdentifierAndSteps<ORKNavigableOrderedTask>);
}

}  // namespace pathloom
