#include "screens/PathloomDocumentCaptureViewController.h"

#include "PdfInspection.h"
#include "StepScreenHost.h"
#include "TestFiles.h"
#include "screens/PagePicker.h"
#include "steps/PathloomDocumentCaptureStep.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKInstructionStep.h"
#include "taskmodel/ORKStepResult.h"
#include "taskscreens/ORKNavigationContainerView.h"

#include <QListWidget>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::runUntil;

class DocumentCaptureScreenTest : public testing::Test {
protected:
    DocumentCaptureScreenTest() {
        host.factory.registerKind(
            StepKind::documentCapture,
            [](const std::shared_ptr<ORKStep>& step, ORKTaskViewController& task) {
                return new PathloomDocumentCaptureViewController(step, task, false);
            });
        host.open({std::make_shared<ORKInstructionStep>(u"intro"_s),
                   std::make_shared<PathloomDocumentCaptureStep>(u"scan"_s),
                   std::make_shared<ORKInstructionStep>(u"after"_s)});
        host.click(u"continueButton"_s);
        EXPECT_TRUE(host.waitForStep(u"scan"_s));
    }

    [[nodiscard]] PagePicker* picker() const {
        auto* screen = qobject_cast<PathloomDocumentCaptureViewController*>(
            host.task->currentStepViewController());
        return screen ? screen->pagePicker() : nullptr;
    }

    // A picture file of `width` x 20 pixels, so that each page can be told by its width.
    QString picture(int width) {
        const QString path = files.filePath(u"page-%1.png"_s.arg(width));
        EXPECT_TRUE(test::writeFile(path, test::pngBytes(QSize(width, 20))));
        return path;
    }

    // Saves the pages and gives the embedded pictures of the file the step recorded.
    QStringList saveAndReadBack() {
        host.click(u"pagePicker:Save"_s);
        if (!host.waitForStep(u"after"_s)) {
            ADD_FAILURE() << "the task did not move on";
            return {};
        }
        const auto step = host.task->runner()->lastResult(u"scan"_s);
        EXPECT_TRUE(step && step->results.size() == 1);
        const auto file =
            step ? std::dynamic_pointer_cast<ORKFileResult>(step->results.value(0)) : nullptr;
        if (!file) {
            ADD_FAILURE() << "no file result";
            return {};
        }
        EXPECT_EQ(file->identifier, u"scan"_s);
        EXPECT_EQ(file->contentType, u"application/pdf"_s);
        EXPECT_TRUE(file->fileURL->toLocalFile().startsWith(host.output.path()));
        const QByteArray pdf = test::readFile(file->fileURL->toLocalFile());
        EXPECT_EQ(test::pdfPageCount(pdf), test::pdfEmbeddedImages(pdf).size());
        return test::pdfEmbeddedImages(pdf);
    }

    QTemporaryDir files;
    test::StepScreenHost host;
};

TEST_F(DocumentCaptureScreenTest, SavedPagesBecomeOnePdfResultAndTheTaskMovesOn) {
    ASSERT_TRUE(picker());
    EXPECT_EQ(host.find<QWidget>(u"pagePicker"_s), picker());
    EXPECT_TRUE(picker()->isVisible());
    EXPECT_FALSE(host.task->currentStepViewController()->navigationFooterView()->isVisible());
    EXPECT_FALSE(host.find(u"pagePicker:Save"_s)->isEnabled()) << "nothing to save yet";

    picker()->addFiles({picture(30), picture(40)});
    picker()->addFiles({picture(50)});
    EXPECT_EQ(host.find<QListWidget>(u"pagePicker:pages"_s)->count(), 3);

    EXPECT_EQ(saveAndReadBack(), (QStringList{u"30x20"_s, u"40x20"_s, u"50x20"_s}));
}

TEST_F(DocumentCaptureScreenTest, RemovingAndMovingPagesChangesTheirOrder) {
    picker()->addFiles({picture(30), picture(40), picture(50), picture(60)});
    auto* pages = host.find<QListWidget>(u"pagePicker:pages"_s);

    pages->setCurrentRow(0);
    EXPECT_FALSE(host.find(u"pagePicker:Up"_s)->isEnabled()) << "the first page";
    host.click(u"pagePicker:Down"_s);  // 40 30 50 60
    host.click(u"pagePicker:Down"_s);  // 40 50 30 60
    pages->setCurrentRow(3);
    EXPECT_FALSE(host.find(u"pagePicker:Down"_s)->isEnabled()) << "the last page";
    host.click(u"pagePicker:Up"_s);  // 40 50 60 30
    pages->setCurrentRow(1);
    host.click(u"pagePicker:Remove"_s);  // 40 60 30

    EXPECT_EQ(saveAndReadBack(), (QStringList{u"40x20"_s, u"60x20"_s, u"30x20"_s}));
}

TEST_F(DocumentCaptureScreenTest, AFileThatIsNoPictureIsRefusedAndTheOtherPagesStay) {
    const QString notes = files.filePath(u"notes.png"_s);
    ASSERT_TRUE(test::writeFile(notes, "not a picture at all"));

    picker()->addFiles({picture(30), notes, picture(40)});

    AlertDialog* alert = host.waitForAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->message(), u"This file is not a picture."_s);
    alert->reject();
    EXPECT_EQ(host.currentStep(), u"scan"_s);
    EXPECT_EQ(saveAndReadBack(), (QStringList{u"30x20"_s, u"40x20"_s}));
}

TEST_F(DocumentCaptureScreenTest, CancelGoesBackOneStep) {
    picker()->addFiles({picture(30)});

    host.click(u"pagePicker:Cancel"_s);

    EXPECT_TRUE(host.waitForStep(u"intro"_s));
    EXPECT_FALSE(host.task->runner()->lastResult(u"scan"_s) &&
                 !host.task->runner()->lastResult(u"scan"_s)->results.isEmpty())
        << "nothing recorded";
}

}  // namespace
}  // namespace pathloom
