#include "AppDocumentGenerator.h"

#include <QJsonDocument>
#include <array>

namespace pathloom::bench {

using namespace Qt::StringLiterals;

namespace {

// Words of the inspection, survey and field-work apps these documents stand for.
constexpr std::array<QStringView, 96> kWords{
    u"site",      u"visit",     u"inspection", u"report",      u"room",       u"floor",
    u"entrance",  u"north",     u"south",      u"east",        u"west",       u"building",
    u"safety",    u"check",     u"fire",       u"door",        u"exit",       u"window",
    u"roof",      u"water",     u"leak",       u"power",       u"outlet",     u"cable",
    u"sensor",    u"alarm",     u"record",     u"photo",       u"signature",  u"contact",
    u"owner",     u"tenant",    u"date",       u"time",        u"notes",      u"comment",
    u"measure",   u"height",    u"weight",     u"temperature", u"humidity",   u"noise",
    u"light",     u"level",     u"score",      u"rating",      u"quality",    u"damage",
    u"repair",    u"schedule",  u"follow-up",  u"priority",    u"urgent",     u"routine",
    u"equipment", u"vehicle",   u"delivery",   u"stock",       u"shelf",      u"label",
    u"barcode",   u"sample",    u"patient",    u"symptom",     u"dose",       u"visit",
    u"survey",    u"household", u"income",     u"family",      u"school",     u"distance",
    u"route",     u"station",   u"crew",       u"shift",       u"supervisor", u"approval",
    u"déjà",      u"café",      u"naïve",      u"Größe",       u"Straße",     u"año",
    u"the",       u"a",         u"of",         u"for",         u"with",       u"and",
    u"is",        u"was",       u"your",       u"this",        u"each",       u"every"};

constexpr std::array<QStringView, 17> kStepKinds{u"instructions",
                                                 u"question",
                                                 u"form",
                                                 u"videoInstructions",
                                                 u"signature",
                                                 u"videoCapture",
                                                 u"network",
                                                 u"simulateNetwork",
                                                 u"list",
                                                 u"networkList",
                                                 u"display",
                                                 u"networkDisplay",
                                                 u"email",
                                                 u"pdfViewer",
                                                 u"documentCapture",
                                                 u"imageCapture",
                                                 u"completion"};

// How often each kind follows the first workflow, in the order of kStepKinds: questions and
// forms dominate real apps, capture and mail steps are rare.
constexpr std::array<int, 17> kKindWeights{6, 14, 8, 1, 1, 1, 3, 1, 2, 2, 3, 1, 1, 1, 1, 2, 2};

constexpr std::array<QStringView, 8> kSymbols{u"map",   u"checklist", u"list.bullet", u"star",
                                              u"house", u"person.2",  u"doc.text",    u"camera"};

QString pseudoTranslation(const QString& text, bool german) {
    // Reversed words with a marker keep the tables as long and as varied as real ones.
    QStringList parts = text.split(u' ');
    std::reverse(parts.begin(), parts.end());
    return (german ? u"«"_s : u"‹"_s) + parts.join(u' ') + (german ? u"»"_s : u"›"_s);
}

QJsonArray textChoices(const QStringList& texts) {
    QJsonArray choices;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        choices.append(
            QJsonObject{{u"_class"_s, u"ORKTextChoice"_s},
                        {u"text"_s, texts[i]},
                        {u"value"_s, i % 2 == 0 ? QJsonValue(i) : QJsonValue(texts[i])}});
    }
    return choices;
}

}  // namespace

AppDocumentGenerator::AppDocumentGenerator(quint32 seed) : m_random(seed) {}

const QStringList& AppDocumentGenerator::stepKinds() {
    static const QStringList kinds = [] {
        QStringList list;
        for (const QStringView kind : kStepKinds) {
            list.append(kind.toString());
        }
        return list;
    }();
    return kinds;
}

QByteArray AppDocumentGenerator::documentOfSize(qsizetype approximateBytes) {
    return document(Plan{.approximateBytes = approximateBytes});
}

QByteArray AppDocumentGenerator::documentWithSteps(qsizetype stepCount) {
    return document(Plan{.stepCount = stepCount});
}

int AppDocumentGenerator::between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

bool AppDocumentGenerator::chance(double probability) {
    return std::bernoulli_distribution(probability)(m_random);
}

QString AppDocumentGenerator::words(int minimumWords, int maximumWords) {
    const int count = between(minimumWords, maximumWords);
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            text += u' ';
        }
        text += kWords[static_cast<std::size_t>(between(0, int(kWords.size()) - 1))];
    }
    return text;
}

QString AppDocumentGenerator::title(int minimumWords, int maximumWords) {
    QString text = words(minimumWords, maximumWords);
    text[0] = text[0].toUpper();
    if (!m_seenTexts.contains(text)) {
        m_seenTexts.insert(text);
        m_texts.append(text);
        // What its entries will add to the tables (see translations()).
        const qsizetype entry = 2 * text.toUtf8().size() + 60;
        m_translationBytes +=
            (m_texts.size() % 7 == 0 ? 0 : entry) + (m_texts.size() % 3 == 1 ? entry : 0);
    }
    return text;
}

QString AppDocumentGenerator::sentence(int minimumWords, int maximumWords) {
    return title(minimumWords, maximumWords) + u'.';
}

QStringList AppDocumentGenerator::kindsOfWorkflow(qint64 id, qsizetype stepCount) {
    QStringList kinds;
    if (id == 1) {
        kinds = stepKinds();
    }
    std::discrete_distribution<int> pick(kKindWeights.begin(), kKindWeights.end());
    while (kinds.size() < stepCount - 1) {
        kinds.append(kStepKinds[static_cast<std::size_t>(pick(m_random))].toString());
    }
    kinds.resize(std::min<qsizetype>(kinds.size(), stepCount - 1));
    // Every workflow opens with instructions and ends with a completion, as real ones do.
    if (kinds.isEmpty() || kinds.first() != u"instructions") {
        kinds.prepend(u"instructions"_s);
    }
    if (kinds.size() < stepCount) {
        kinds.append(u"completion"_s);
    }
    kinds.resize(std::min<qsizetype>(kinds.size(), stepCount));
    return kinds;
}

QByteArray AppDocumentGenerator::document(const Plan& plan) {
    m_texts.clear();
    m_seenTexts.clear();
    m_translationBytes = 0;
    QJsonArray workflows;
    qsizetype bytes = 0;
    qsizetype steps = 0;
    for (qint64 id = 1;; ++id) {
        const qsizetype remaining = plan.stepCount > 0 ? plan.stepCount - steps : 0;
        if (plan.stepCount > 0 && remaining <= 0) {
            break;
        }
        const qsizetype stepCount =
            plan.stepCount > 0 ? std::min<qsizetype>(remaining, id == 1 ? 20 : between(12, 28))
                               : (id == 1 ? 20 : between(12, 28));
        const QJsonObject next = workflow(id, kindsOfWorkflow(id, stepCount), id);
        steps += next.value(u"steps"_s).toArray().size();
        bytes += QJsonDocument(next).toJson(QJsonDocument::Compact).size();
        workflows.append(next);
        if (plan.stepCount == 0 && bytes + m_translationBytes >= plan.approximateBytes) {
            break;
        }
    }

    QJsonObject app{
        {u"id"_s, 7},
        {u"name"_s, u"Field Operations"_s},
        {u"servers"_s,
         QJsonArray{QJsonObject{{u"id"_s, 1}, {u"url"_s, u"https://api.example.com/v2"_s}},
                    QJsonObject{{u"id"_s, 2}, {u"url"_s, u"https://staging.example.com/v2"_s}},
                    QJsonObject{{u"id"_s, 3}, {u"url"_s, u"http://127.0.0.1:8080"_s}}}},
        {u"workflows"_s, workflows},
        {u"appleSystemTintColor"_s, u"other"_s},
        {u"appleHexTintColor"_s, u"#1565C0"_s},
        {u"gatherAnalytics"_s, true},
        {u"analyticsURL"_s, u"https://stats.example.com/ahoy"_s},
        {u"locales"_s,
         QJsonArray{
             QJsonObject{{u"language_id"_s, u"fr"_s}, {u"translations"_s, translations(1, false)}},
             QJsonObject{{u"language_id"_s, u"de"_s}, {u"translations"_s, translations(2, true)}}}},
    };
    if (workflows.size() >= 3) {
        app.insert(u"navigationStyle"_s, u"tab_bar"_s);
        app.insert(u"navigationWorkflow1Id"_s, 1);
        app.insert(u"navigationWorkflow2Id"_s, 2);
        app.insert(u"navigationWorkflow3Id"_s, 3);
    } else {
        app.insert(u"navigationStyle"_s, u"list"_s);
    }
    return QJsonDocument(app).toJson(QJsonDocument::Compact);
}

QJsonArray AppDocumentGenerator::translations(qint64 localeId, bool german) const {
    QJsonArray table;
    qint64 id = localeId * 1'000'000;
    for (qsizetype i = 0; i < m_texts.size(); ++i) {
        // Real tables lag behind the texts: French misses every seventh text, German has only
        // every third.
        if (german ? i % 3 != 0 : i % 7 == 6) {
            continue;
        }
        table.append(QJsonObject{{u"id"_s, ++id},
                                 {u"from"_s, m_texts[i]},
                                 {u"to"_s, pseudoTranslation(m_texts[i], german)},
                                 {u"locale_id"_s, localeId}});
    }
    return table;
}

QJsonObject AppDocumentGenerator::workflow(qint64 id, const QStringList& kinds,
                                           qint64 workflowCount) {
    const QString identifier = u"workflow_%1"_s.arg(id);
    QJsonArray steps;
    QStringList identifiers;
    QStringList questions;
    for (qsizetype i = 0; i < kinds.size(); ++i) {
        const QString stepIdentifier = u"%1_%2_%3"_s.arg(kinds[i]).arg(id).arg(i);
        steps.append(step(kinds[i], stepIdentifier, workflowCount, questions));
        identifiers.append(stepIdentifier);
        if (kinds[i] == u"question") {
            questions.append(stepIdentifier);
        }
    }

    // Rules on some questions: on "true" skip ahead, otherwise go on to the step after.
    QJsonArray rules;
    for (const QString& question : questions) {
        const qsizetype at = identifiers.indexOf(question);
        if (at + 2 >= identifiers.size() || !chance(0.4)) {
            continue;
        }
        const QString skipTo = identifiers[between(
            int(at) + 2, int(std::min<qsizetype>(at + 6, identifiers.size() - 1)))];
        rules.append(QJsonObject{
            {u"from"_s, question},
            {u"rules"_s, QJsonArray{QJsonObject{{u"to"_s, skipTo},
                                                {u"propertyKeyPath"_s, question + u".answer"_s},
                                                {u"operand"_s, u"=="_s},
                                                {u"value"_s, chance(0.5) ? u"true"_s : u"1"_s}},
                                    QJsonObject{{u"to"_s, identifiers[at + 1]}}}},
        });
    }

    QJsonObject object{
        {u"id"_s, id},
        {u"identifier"_s, identifier},
        {u"name"_s, title(1, 3)},
        {u"sfSymbolName"_s, kSymbols[static_cast<std::size_t>(id) % kSymbols.size()].toString()},
        {u"steps"_s, steps},
    };
    if (!rules.isEmpty()) {
        object.insert(u"navigationRules"_s, rules);
    }
    return object;
}

QJsonObject AppDocumentGenerator::step(const QString& kind, const QString& identifier,
                                       qint64 workflowCount, const QStringList& earlierQuestions) {
    QJsonObject object{{u"type"_s, kind}, {u"identifier"_s, identifier}, {u"title"_s, title(2, 5)}};
    const auto referencedQuestion = [&] {
        return earlierQuestions.isEmpty()
                   ? u"site"_s
                   : earlierQuestions[between(0, int(earlierQuestions.size()) - 1)];
    };
    if (kind == u"instructions" || kind == u"completion") {
        object.insert(u"text"_s, sentence(8, 24));
        if (chance(0.5)) {
            object.insert(u"detailText"_s, sentence(6, 16));
        }
        if (chance(0.3)) {
            object.insert(u"footnote"_s, sentence(4, 10));
        }
    } else if (kind == u"question") {
        object.insert(u"question"_s, sentence(5, 14) + u'?');
        object.insert(u"answerFormat"_s, answerFormat());
        if (chance(0.3)) {
            object.insert(u"optional"_s, true);
        }
        if (chance(0.2)) {
            object.insert(u"placeholder"_s, title(1, 3));
        }
    } else if (kind == u"form") {
        object.insert(u"text"_s, sentence(5, 12));
        object.insert(u"formItems"_s, formItems(identifier));
        if (chance(0.3)) {
            object.insert(u"footnote"_s, sentence(4, 10));
        }
    } else if (kind == u"videoInstructions") {
        object.insert(u"text"_s, sentence(6, 14));
        object.insert(u"videoURL"_s, u"https://media.example.com/videos/%1.mp4"_s.arg(identifier));
        object.insert(u"thumbnailTime"_s, between(1, 30));
    } else if (kind == u"signature") {
        object.insert(u"text"_s, sentence(4, 10));
        object.insert(u"stepDuration"_s, 120);
    } else if (kind == u"videoCapture") {
        object.insert(u"text"_s, sentence(4, 10));
        object.insert(u"duration"_s, between(5, 60));
        object.insert(u"audioMute"_s, chance(0.5));
        object.insert(u"accessibilityHint"_s, sentence(3, 6));
    } else if (kind == u"network") {
        object.insert(u"text"_s, sentence(4, 10));
        object.insert(u"url"_s, u"/reports/{%1.answer}/%2"_s.arg(referencedQuestion(), identifier));
        object.insert(u"method"_s, u"POST"_s);
    } else if (kind == u"simulateNetwork") {
        object.insert(u"text"_s, sentence(3, 8));
        object.insert(u"interval"_s, between(1, 5));
    } else if (kind == u"list") {
        QJsonArray items;
        QJsonArray workflows;
        const int count = between(2, 8);
        for (int i = 1; i <= count; ++i) {
            QJsonObject item{{u"id"_s, i}, {u"text"_s, title(1, 4)}};
            if (chance(0.5)) {
                item.insert(u"detailText"_s, sentence(3, 8));
            }
            if (chance(0.3)) {
                item.insert(u"sfSymbolName"_s,
                            kSymbols[static_cast<std::size_t>(i) % kSymbols.size()].toString());
            }
            items.append(item);
            workflows.append(QJsonObject{{u"id"_s, between(1, int(workflowCount))}});
        }
        object.insert(u"items"_s, items);
        object.insert(u"workflows"_s, workflows);
    } else if (kind == u"networkList") {
        object.insert(u"url"_s, u"/lists/%1.json"_s.arg(identifier));
        object.insert(u"emptyText"_s, sentence(2, 5));
    } else if (kind == u"display") {
        object.insert(u"items"_s, displayItems());
    } else if (kind == u"networkDisplay") {
        object.insert(u"url"_s, u"/pages/{%1.answer}.json"_s.arg(referencedQuestion()));
    } else if (kind == u"email") {
        object.insert(u"sendTo"_s, u"reports+%1@example.com"_s.arg(identifier));
        object.insert(u"requestPropertyIdentifiers"_s,
                      QJsonArray{referencedQuestion(), referencedQuestion()});
    } else if (kind == u"pdfViewer") {
        object.insert(u"pdfURL"_s, u"https://docs.example.com/guides/%1.pdf"_s.arg(identifier));
    } else if (kind == u"documentCapture") {
        object.insert(u"text"_s, sentence(3, 8));
    } else if (kind == u"imageCapture") {
        object.insert(u"optional"_s, chance(0.5));
        object.insert(u"devicePosition"_s, between(0, 2));
    }
    return object;
}

QJsonArray AppDocumentGenerator::displayItems() {
    QJsonArray items;
    const int count = between(2, 6);
    for (int i = 0; i < count; ++i) {
        switch (between(0, 4)) {
            case 0:
            case 1:
                items.append(QJsonObject{{u"type"_s, u"text"_s},
                                         {u"label"_s, title(1, 4)},
                                         {u"text"_s, sentence(6, 20)}});
                break;
            case 2:
                items.append(QJsonObject{
                    {u"type"_s, u"image"_s},
                    {u"url"_s,
                     u"https://media.example.com/images/%1.jpg"_s.arg(between(1, 9999))}});
                break;
            case 3:
                items.append(QJsonObject{
                    {u"type"_s, u"video"_s},
                    {u"url"_s, u"https://media.example.com/videos/%1.mp4"_s.arg(between(1, 9999))},
                    {u"previewURL"_s,
                     u"https://media.example.com/previews/%1.jpg"_s.arg(between(1, 9999))}});
                break;
            default:
                items.append(QJsonObject{{u"type"_s, u"button"_s},
                                         {u"label"_s, title(1, 3)},
                                         {u"url"_s, u"/actions/%1"_s.arg(between(1, 9999))},
                                         {u"method"_s, chance(0.5) ? u"PUT"_s : u"DELETE"_s},
                                         {u"onSuccess"_s, chance(0.5) ? u"forward"_s : u"reload"_s},
                                         {u"style"_s, chance(0.5) ? u"primary"_s : u"outline"_s}});
                break;
        }
    }
    return items;
}

QJsonArray AppDocumentGenerator::formItems(const QString& stepIdentifier) {
    QJsonArray items;
    const int count = between(2, 7);
    for (int i = 0; i < count; ++i) {
        QJsonObject item{{u"_class"_s, u"ORKFormItem"_s},
                         {u"identifier"_s, u"%1_item_%2"_s.arg(stepIdentifier).arg(i)},
                         {u"text"_s, title(1, 5)},
                         {u"answerFormat"_s, answerFormat()}};
        if (chance(0.4)) {
            item.insert(u"optional"_s, true);
        }
        if (chance(0.3)) {
            item.insert(u"placeholder"_s, title(1, 3));
        }
        items.append(item);
    }
    return items;
}

QJsonObject AppDocumentGenerator::answerFormat() {
    // Every class in turn, so that each document has all of them in proportion.
    constexpr int kClasses = 18;
    const qsizetype which = m_formatIndex++ % kClasses;
    switch (which) {
        case 0:
            return {{u"_class"_s, u"ORKBooleanAnswerFormat"_s},
                    {u"yes"_s, title(1, 2)},
                    {u"no"_s, title(1, 2)}};
        case 1: {
            QStringList texts;
            for (int i = between(2, 6); i > 0; --i) {
                texts.append(title(1, 4));
            }
            return {{u"_class"_s, u"ORKTextChoiceAnswerFormat"_s},
                    {u"style"_s, chance(0.5) ? u"singleChoice"_s : u"multipleChoice"_s},
                    {u"textChoices"_s, textChoices(texts)}};
        }
        case 2:
            return {{u"_class"_s, u"ORKScaleAnswerFormat"_s},
                    {u"minimum"_s, 1},
                    {u"maximum"_s, 10},
                    {u"defaultValue"_s, 5},
                    {u"step"_s, 1},
                    {u"maximumValueDescription"_s, title(1, 2)},
                    {u"minimumValueDescription"_s, title(1, 2)}};
        case 3:
            return {{u"_class"_s, u"ORKContinuousScaleAnswerFormat"_s},
                    {u"minimum"_s, 0.5},
                    {u"maximum"_s, 9.5},
                    {u"defaultValue"_s, 2.25},
                    {u"maximumFractionDigits"_s, 2},
                    {u"numberStyle"_s, u"percent"_s}};
        case 4:
            return {{u"_class"_s, u"ORKTextScaleAnswerFormat"_s},
                    {u"defaultIndex"_s, 1},
                    {u"textChoices"_s, textChoices({title(1, 2), title(1, 2), title(1, 2)})}};
        case 5:
            return {{u"_class"_s, u"ORKNumericAnswerFormat"_s},
                    {u"style"_s, chance(0.5) ? u"integer"_s : u"decimal"_s},
                    {u"unit"_s, u"kg"_s},
                    {u"minimum"_s, 0},
                    {u"maximum"_s, 500.5},
                    {u"maximumFractionDigits"_s, 2},
                    {u"placeholder"_s, title(1, 2)}};
        case 6:
            return {{u"_class"_s, u"ORKDateAnswerFormat"_s},
                    {u"style"_s, chance(0.5) ? u"date"_s : u"dateTime"_s},
                    {u"minimumDate"_s, u"2020-01-01T00:00:00+0000"_s},
                    {u"maximumDate"_s, u"2030-12-31T23:59:59+0000"_s},
                    {u"minuteInterval"_s, 15}};
        case 7:
            return {{u"_class"_s, u"ORKTimeOfDayAnswerFormat"_s},
                    {u"defaultComponents"_s, u"08:30"_s},
                    {u"minuteInterval"_s, 5}};
        case 8:
            return {{u"_class"_s, u"ORKTimeIntervalAnswerFormat"_s},
                    {u"defaultInterval"_s, 5400.5},
                    {u"step"_s, 15}};
        case 9:
            return {{u"_class"_s, u"ORKTextAnswerFormat"_s},
                    {u"maximumLength"_s, 280},
                    {u"multipleLines"_s, chance(0.5)},
                    {u"placeholder"_s, title(1, 3)},
                    {u"validationRegularExpression"_s,
                     QJsonObject{{u"pattern"_s, u"^[^<>]*$"_s}, {u"options"_s, QJsonArray{}}}},
                    {u"invalidMessage"_s, sentence(2, 5)}};
        case 10:
            return {{u"_class"_s, u"ORKEmailAnswerFormat"_s},
                    {u"usernameField"_s, chance(0.5)},
                    {u"placeholder"_s, u"you@example.org"_s}};
        case 11:
            return {{u"_class"_s, u"ORKHeightAnswerFormat"_s},
                    {u"measurementSystem"_s, chance(0.5) ? u"metric"_s : u"USC"_s}};
        case 12:
            return {{u"_class"_s, u"ORKWeightAnswerFormat"_s},
                    {u"measurementSystem"_s, u"metric"_s},
                    {u"numericPrecision"_s, 2},
                    {u"minimumValue"_s, 20},
                    {u"maximumValue"_s, 250.5},
                    {u"defaultValue"_s, 70}};
        case 13:
            return {{u"_class"_s, u"ORKLocationAnswerFormat"_s},
                    {u"useCurrentLocation"_s, true},
                    {u"placeholder"_s, title(1, 3)}};
        case 14:
            return {{u"_class"_s, u"ORKValuePickerAnswerFormat"_s},
                    {u"textChoices"_s,
                     textChoices({title(1, 2), title(1, 2), title(1, 2), title(1, 2)})}};
        case 15:
            return {
                {u"_class"_s, u"ORKMultipleValuePickerAnswerFormat"_s},
                {u"separator"_s, u":"_s},
                {u"valuePickers"_s,
                 QJsonArray{QJsonObject{{u"_class"_s, u"ORKValuePickerAnswerFormat"_s},
                                        {u"textChoices"_s, textChoices({u"1"_s, u"2"_s, u"3"_s})}},
                            QJsonObject{{u"_class"_s, u"ORKValuePickerAnswerFormat"_s},
                                        {u"textChoices"_s,
                                         textChoices({u"00"_s, u"15"_s, u"30"_s, u"45"_s})}}}}};
        case 16:
            return {{u"_class"_s, u"ORKSESAnswerFormat"_s},
                    {u"topRungText"_s, title(1, 3)},
                    {u"bottomRungText"_s, title(1, 3)}};
        default:
            return {{u"_class"_s, u"ORKCurrencyAnswerFormat"_s},
                    {u"localeIdentifier"_s, u"de_DE"_s},
                    {u"currencyCode"_s, u"EUR"_s}};
    }
}

}  // namespace pathloom::bench
