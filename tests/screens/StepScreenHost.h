#pragma once

#include "EventLoop.h"
#include "EventNames.h"
#include "QtPrinting.h"
#include "analytics/Analytics.h"
#include "run/WorkflowRunner.h"
#include "screens/AlertDialog.h"
#include "session/Session.h"
#include "taskmodel/ORKNavigableOrderedTask.h"
#include "taskmodel/ORKStep.h"
#include "taskscreens/ORKTaskViewController.h"
#include "taskscreens/StepScreenFactory.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <iostream>

namespace pathloom::test {

// A task screen, shown offscreen, that runs a workflow of the given steps with the screens a test
// registered on `factory`; with lookups of its widgets by objectName. When the test has failed,
// the window is saved as "<test name>.png" in the temporary folder.
class StepScreenHost {
public:
    StepScreenHost() {
        environment.analytics = Analytics({events});
        environment.session = std::make_shared<Session>();
        environment.outputDirectory = output.path();
    }

    ~StepScreenHost() {
        if (::testing::Test::HasFailure() && task) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            const QString path =
                QDir::temp().filePath(QString::fromUtf8(info->test_suite_name()) + u'-' +
                                      QString::fromUtf8(info->name()) + QStringLiteral(".png"));
            task->window()->grab().save(path);
            std::cerr << "screen at failure: " << path.toStdString() << '\n';
        }
    }

    // Opens the steps in a shown task screen and waits for the first.
    void open(QList<std::shared_ptr<ORKStep>> steps) {
        Workflow workflow{
            7, QStringLiteral("Visit"), std::nullopt,
            std::make_shared<ORKNavigableOrderedTask>(QStringLiteral("visit"), std::move(steps))};
        task = std::make_unique<ORKTaskViewController>(workflow, environment,
                                                       WorkflowRunner::Nesting::topLevel, factory);
        task->resize(420, 760);
        task->show();
        task->start();
        ASSERT_TRUE(task->currentStepViewController());
    }

    [[nodiscard]] QString currentStep() const {
        const ORKStepViewController* screen = task->currentStepViewController();
        return screen ? screen->step()->identifier : QString();
    }

    [[nodiscard]] bool waitForStep(const QString& identifier) const {
        return runUntil([&] { return currentStep() == identifier; });
    }

    // The widget of that name on the current step's screen (a replaced screen lingers until it is
    // deleted), or anywhere in the task screen.
    template <typename Widget = QAbstractButton>
    [[nodiscard]] Widget* find(const QString& objectName) const {
        if (ORKStepViewController* screen = task->currentStepViewController()) {
            if (auto* widget = screen->findChild<Widget*>(objectName)) {
                return widget;
            }
        }
        return task->findChild<Widget*>(objectName);
    }

    void click(const QString& objectName) const {
        QAbstractButton* button = find(objectName);
        ASSERT_TRUE(button) << objectName.toStdString();
        ASSERT_TRUE(button->isVisibleTo(task.get())) << objectName.toStdString();
        ASSERT_TRUE(button->isEnabled()) << objectName.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The open alert, once one opens.
    [[nodiscard]] AlertDialog* waitForAlert() const {
        AlertDialog* alert = nullptr;
        runUntil([&] {
            alert = task->findChild<AlertDialog*>(QStringLiteral("alert"));
            return alert && alert->isVisible();
        });
        return alert;
    }

    std::shared_ptr<EventNames> events = std::make_shared<EventNames>();
    QTemporaryDir output;
    WorkflowRunner::Environment environment;
    StepScreenFactory factory;
    std::unique_ptr<ORKTaskViewController> task;
};

}  // namespace pathloom::test
