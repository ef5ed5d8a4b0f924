#include "documents/StoredFormWriter.h"

#include "documents/AppData.h"
#include "documents/StepSources.h"
#include "foundation/Json.h"

#include <QStringView>
#include <functional>
#include <vector>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// Compact JSON text, written in order. Every object's keys must come in ascending order, as
// QJsonObject keeps them, for the text to match what Qt writes.
class JsonText {
public:
    explicit JsonText(qsizetype reserve) { m_text.reserve(reserve); }

    JsonText& beginObject() {
        value();
        m_text += '{';
        m_empty.push_back(true);
        return *this;
    }
    JsonText& endObject() {
        m_text += '}';
        m_empty.pop_back();
        return *this;
    }
    JsonText& beginArray() {
        value();
        m_text += '[';
        m_empty.push_back(true);
        return *this;
    }
    JsonText& endArray() {
        m_text += ']';
        m_empty.pop_back();
        return *this;
    }
    // The key of the next value; keys are plain ASCII.
    JsonText& key(const char* name) {
        separate();
        m_text += '"';
        m_text += name;
        m_text += "\":";
        m_afterKey = true;
        return *this;
    }
    JsonText& string(QStringView text) {
        value();
        json::appendQuoted(m_text, text);
        return *this;
    }
    JsonText& optionalString(const std::optional<QString>& text) {
        return text ? string(*text) : null();
    }
    JsonText& integer(qint64 number) {
        value();
        m_text += QByteArray::number(number);
        return *this;
    }
    JsonText& boolean(bool flag) {
        value();
        m_text += flag ? "true" : "false";
        return *this;
    }
    JsonText& null() {
        value();
        m_text += "null";
        return *this;
    }
    // Text that is already JSON-safe between quotes (base64 digits).
    JsonText& plainString(const QByteArray& text) {
        value();
        m_text += '"';
        m_text += text;
        m_text += '"';
        return *this;
    }

    [[nodiscard]] QByteArray take() { return std::move(m_text); }

private:
    void separate() {
        if (!m_empty.empty()) {
            if (!m_empty.back()) {
                m_text += ',';
            }
            m_empty.back() = false;
        }
    }
    void value() {
        if (m_afterKey) {
            m_afterKey = false;
            return;
        }
        separate();
    }

    QByteArray m_text;
    // Per open object or array: whether nothing was written in it yet.
    std::vector<bool> m_empty;
    bool m_afterKey = false;
};

// Each type's stored form, keys sorted; see the type's toStored().

void writeServer(JsonText& json, const Server& server) {
    json.beginObject();
    json.key("id").integer(server.id);
    json.key("url").string(server.url.toString(QUrl::FullyEncoded));
    json.endObject();
}

void writeStep(JsonText& json, const StepData& step, std::optional<QByteArrayView> source) {
    json.beginObject();
    const QByteArray content = source ? QByteArray::fromRawData(source->data(), source->size())
                                      : json::write(step.content);
    json.key("content").plainString(content.toBase64());
    json.key("identifier").string(step.identifier);
    json.key("imageURL").optionalString(step.imageURL);
    json.key("type").string(step.type);
    json.endObject();
}

void writeDestination(JsonText& json, const NavigationDestinationRule& rule) {
    json.beginObject();
    if (rule.operand) {
        json.key("operand").beginObject().key("rawValue").string(rawValue(*rule.operand));
        json.endObject();
    }
    if (rule.propertyKeyPath) {
        json.key("propertyKeyPath").string(*rule.propertyKeyPath);
    }
    json.key("to").string(rule.toStepIdentifier);
    if (rule.value) {
        json.key("value").string(*rule.value);
    }
    json.endObject();
}

void writeRule(JsonText& json, const NavigationRule& rule) {
    json.beginObject();
    json.key("destinationsRules").beginArray();
    for (const NavigationDestinationRule& destination : rule.destinationsRules) {
        writeDestination(json, destination);
    }
    json.endArray();
    json.key("from").string(rule.fromStepIdentifier);
    json.endObject();
}

// `source`: a step's own bytes, or nothing to write its content again.
void writeWorkflow(JsonText& json, const WorkflowData& workflow,
                   const std::function<std::optional<QByteArrayView>(qsizetype)>& source) {
    json.beginObject();
    json.key("id").integer(workflow.id);
    json.key("identifier").string(workflow.identifier);
    json.key("name").optionalString(workflow.name);
    json.key("navigationRules").beginArray();
    for (const NavigationRule& rule : workflow.navigationRules) {
        writeRule(json, rule);
    }
    json.endArray();
    json.key("sfSymbolName").optionalString(workflow.sfSymbolName);
    json.key("steps").beginArray();
    for (qsizetype j = 0; j < workflow.steps.size(); ++j) {
        writeStep(json, workflow.steps[j], source(j));
    }
    json.endArray();
    json.endObject();
}

void writeLocale(JsonText& json, const TranslationLocale& locale) {
    json.beginObject();
    json.key("language_id").string(locale.languageId);
    json.key("translations").beginArray();
    for (const Translation& translation : locale.translations) {
        json.beginObject();
        json.key("from").string(translation.baseLanguageString);
        json.key("id").integer(translation.id);
        json.key("locale_id").integer(translation.translationLocaleId);
        json.key("to").string(translation.translatedString);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

}  // namespace

QByteArray StoredFormWriter::write(const AppData& app, const StepSources* sources) {
    if (sources && !sources->matches(app)) {
        sources = nullptr;
    }
    // Base64 of each step's content dominates: a third more than its JSON, which the sources
    // give exactly and 256 bytes guess otherwise.
    qsizetype estimate = 1024;
    for (qsizetype i = 0; i < app.tasks.size(); ++i) {
        estimate += 256;
        for (qsizetype j = 0; j < app.tasks[i].steps.size(); ++j) {
            estimate += 128 + (sources ? sources->step(i, j).size() * 4 / 3 : 256);
        }
    }
    JsonText json(estimate);
    json.beginObject();
    if (app.activeServer) {
        json.key("activeServer");
        writeServer(json, *app.activeServer);
    }
    if (app.analyticsURL) {
        json.key("analyticsURL").string(app.analyticsURL->toString(QUrl::FullyEncoded));
    }
    if (app.appleHexTintColor) {
        json.key("appleHexTintColor").string(*app.appleHexTintColor);
    }
    if (app.appleSystemTintColor) {
        json.key("appleSystemTintColor").string(*app.appleSystemTintColor);
    }
    json.key("id").integer(app.id);
    if (app.initialWorkflowId) {
        json.key("initialWorkflowId").integer(*app.initialWorkflowId);
    }
    json.key("name").string(app.name);
    json.key("navigationStyle").integer(static_cast<int>(app.navigationStyle));
    if (app.primaryWorkflowId) {
        json.key("primaryWorkflowId").integer(*app.primaryWorkflowId);
    }
    json.key("shouldGatherAnalytics").boolean(app.shouldGatherAnalytics);
    if (app.tabIds) {
        json.key("tabIds").beginArray();
        for (const qint64 id : *app.tabIds) {
            json.integer(id);
        }
        json.endArray();
    }
    json.key("tasks").beginArray();
    for (qsizetype i = 0; i < app.tasks.size(); ++i) {
        writeWorkflow(json, app.tasks[i], [&](qsizetype j) -> std::optional<QByteArrayView> {
            return sources ? std::optional(sources->step(i, j)) : std::nullopt;
        });
    }
    json.endArray();
    if (app.translationLocales) {
        json.key("translationLocales").beginArray();
        for (const TranslationLocale& locale : *app.translationLocales) {
            writeLocale(json, locale);
        }
        json.endArray();
    }
    json.endObject();
    return json.take();
}

}  // namespace pathloom
