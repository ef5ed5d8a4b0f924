#include "documents/StepSources.h"

#include "documents/AppData.h"
#include "documents/StoredFormWriter.h"

#include "FakeImageLoader.h"
#include "QtPrinting.h"
#include "foundation/Json.h"

#include <gtest/gtest.h>
#include <QFile>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

const QByteArray kDocument = R"({"id":1,"name":"A","servers":[],"navigationStyle":"list",
"workflows":[{"id":1,"identifier":"w","steps":[
  { "type" : "instructions", "identifier":"a",  "title":"caf\u00e9 ✓" },
  {"identifier":"b","type":"question","answerFormat":{"_class":"ORKBooleanAnswerFormat"}}]},
 {"steps":[],"id":2,"identifier":"empty"}]})";

QByteArray dataFile(const char* name) {
    QFile file(QStringLiteral(PATHLOOM_TEST_DATA "/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

AppData decoded(const QByteArray& document) {
    test::FakeImageLoader images;
    auto app = AppData::fromJson(json::parse(document)->toObject(), 1, std::nullopt, images);
    EXPECT_TRUE(app.has_value());
    return app.value_or(AppData());
}

// The stored form with each step's "content" read back into the dictionary it stands for.
QJsonObject withContentsRead(const QByteArray& stored) {
    QJsonObject app = json::parse(stored)->toObject();
    QJsonArray tasks = app[u"tasks"_s].toArray();
    for (QJsonValueRef task : tasks) {
        QJsonObject workflow = task.toObject();
        QJsonArray steps = workflow[u"steps"_s].toArray();
        for (QJsonValueRef step : steps) {
            QJsonObject object = step.toObject();
            const QByteArray bytes =
                QByteArray::fromBase64(object[u"content"_s].toString().toLatin1());
            object[u"content"_s] = json::parse(bytes, json::Fragments::allowed)->toObject();
            step = object;
        }
        workflow[u"steps"_s] = steps;
        task = workflow;
    }
    app[u"tasks"_s] = tasks;
    return app;
}

TEST(StepSourcesTest, FindsEachStepsOwnBytes) {
    const auto sources = StepSources::find(kDocument);

    ASSERT_TRUE(sources);
    EXPECT_TRUE(sources->matches(decoded(kDocument)));
    EXPECT_EQ(sources->step(0, 0).toByteArray(),
              R"({ "type" : "instructions", "identifier":"a",  "title":"caf\u00e9 ✓" })");
    EXPECT_EQ(
        sources->step(0, 1).toByteArray(),
        R"({"identifier":"b","type":"question","answerFormat":{"_class":"ORKBooleanAnswerFormat"}})");
}

TEST(StepSourcesTest, FindsNothingWhereTheReaderMightReadOtherwise) {
    const QList<QByteArray> texts{
        QByteArray(kDocument).replace(R"("navigationStyle":"list",)",
                                      R"("navigationStyle":"list","workflows":[],)"),
        QByteArray(kDocument).replace(R"({"steps":[],)", R"({"steps":[],"steps":[],)"),
        QByteArray(kDocument).replace("caf\\u00e9", "caf\xff"),
        QByteArray(kDocument).replace(R"("navigationStyle")", R"("work\u0066lows")"),
        QByteArray(kDocument).replace(R"({"steps":[],)", R"({"steps":{},)"),
        QByteArray(kDocument)
            .replace(R"("id":2,)", R"("id":2, "stepz":[],)")
            .replace(R"({"steps":[],)", "{"),
        QByteArray(kDocument) + "]",
        QByteArray(kDocument).chopped(1),
        QByteArray(kDocument).replace(R"("id":1,"identifier")", "\0\0\0"),
        "[]",
        "",
    };
    for (const QByteArray& text : texts) {
        EXPECT_FALSE(StepSources::find(text)) << text.toStdString();
    }
}

TEST(StepSourcesTest, SkipsValuesOfAnyShapeAndDepth) {
    const QByteArray deep = QByteArray(100000, '[') + QByteArray(100000, ']');
    const QByteArray document =
        R"({"extra":)" + deep +
        R"(, "n": -1.5e3, "t": true, "s": "\"}]", "e": "\\", "f": "x\\\"]\\", "workflows": [
           {"steps": [{"a": )" +
        deep + R"(, "b": null}], "x": {"steps": 1}}]} )";

    const auto sources = StepSources::find(document);

    ASSERT_TRUE(sources);
    EXPECT_EQ(sources->step(0, 0).toByteArray(), R"({"a": )" + deep + R"(, "b": null})");
}

TEST(StepSourcesTest, MatchesOnlyTheAppOfTheSameText) {
    AppData app = decoded(kDocument);
    app.tasks[1].steps.append(app.tasks[0].steps[0]);

    EXPECT_FALSE(StepSources::find(kDocument)->matches(app));
}

TEST(StepSourcesTest, AStoredFormOfStepBytesReadsBackAsTheWrittenOne) {
    const AppData app = decoded(kDocument);
    const auto sources = StepSources::find(kDocument);
    ASSERT_TRUE(sources);

    const QByteArray stored = StoredFormWriter::write(app, &*sources);

    const auto read = AppData::fromStored(json::parse(stored)->toObject());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, app);
    EXPECT_EQ(withContentsRead(stored), withContentsRead(StoredFormWriter::write(app)));
}

// A stored form the writer wrote before it kept the steps' own bytes, for the document beside it.
TEST(StepSourcesTest, StoredFormsOfTheEarlierWriterAndOfStepBytesReadAlike) {
    const QByteArray document = dataFile("app-document.json");
    const QByteArray earlier = dataFile("stored-form-v1.json");
    const AppData app = decoded(document);
    const auto sources = StepSources::find(document);
    ASSERT_TRUE(sources);

    const QByteArray now = StoredFormWriter::write(app, &*sources);

    const auto earlierRead = AppData::fromStored(json::parse(earlier)->toObject());
    ASSERT_TRUE(earlierRead.has_value());
    EXPECT_EQ(*earlierRead, app);
    // Only the contents' bytes differ, and they stand for the same dictionaries, so the earlier
    // reader, which reads them the same way, reads the new form as the old.
    EXPECT_NE(now, earlier);
    EXPECT_EQ(withContentsRead(now), withContentsRead(earlier));
}

}  // namespace
}  // namespace pathloom
