#include "session/ResultEqualityStepNavigationRule.h"

#include "session/Session.h"
#include "session/ValueText.h"

#include <algorithm>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// A number as a platform number object writes itself; a boolean as "true" or "false", the one
// text it has wherever it appears (in a URL, in the session's content).
std::optional<QString> numberTextOf(const Value& value) {
    if (value.as<bool>()) {
        return stringValue(value);
    }
    if (const qint64* integer = value.as<qint64>()) {
        return QString::number(*integer);
    }
    if (const double* number = value.as<double>()) {
        return numberText(*number);
    }
    return std::nullopt;
}

bool numberMatches(const QString& expected, const QString& text, double number) {
    if (text == expected) {
        return true;
    }
    const QString word = expected.toLower();
    if (word == u"false"_s || word == u"no"_s) {
        return number == 0;
    }
    if (word == u"true"_s || word == u"yes"_s) {
        return number != 0;
    }
    return false;
}

}  // namespace

ResultEqualityStepNavigationRule::ResultEqualityStepNavigationRule(
    std::shared_ptr<Session> session, QList<NavigationDestinationRule> navigationDestinationRules)
    : session(std::move(session)),
      navigationDestinationRules(std::move(navigationDestinationRules)) {}

std::optional<QString> ResultEqualityStepNavigationRule::identifierForDestinationStepWithTaskResult(
    const ORKTaskResult&) const {
    if (!session) {
        return std::nullopt;
    }
    if (const std::optional<NavigationDestinationRule> rule = matchingDestinationRule()) {
        return rule->toStepIdentifier;
    }
    return std::nullopt;
}

std::optional<NavigationDestinationRule> ResultEqualityStepNavigationRule::matchingDestinationRule()
    const {
    const auto applies = [this](const NavigationDestinationRule& rule) {
        if (!rule.propertyKeyPath) {
            return !rule.value && !rule.operand;
        }
        if (!rule.value || rule.operand != NavigationRuleOperand::isEqual || !session) {
            return false;
        }
        const Value actual = session->value(*rule.propertyKeyPath);
        return !actual.isNone() && valueMatches(*rule.value, actual);
    };
    const auto match =
        std::find_if(navigationDestinationRules.begin(), navigationDestinationRules.end(), applies);
    if (match == navigationDestinationRules.end()) {
        return std::nullopt;
    }
    return *match;
}

bool ResultEqualityStepNavigationRule::valueMatches(const QString& expected, const Value& actual) {
    if (const QString* text = actual.as<QString>()) {
        return text->normalized(QString::NormalizationForm_C) ==
               expected.normalized(QString::NormalizationForm_C);
    }
    if (const std::optional<QString> text = numberTextOf(actual)) {
        return numberMatches(expected, *text, *actual.toDouble());
    }
    if (const Value::Array* list = actual.as<Value::Array>()) {
        return std::any_of(list->begin(), list->end(), [&expected](const Value& element) {
            return valueMatches(expected, element);
        });
    }
    return false;
}

}  // namespace pathloom
