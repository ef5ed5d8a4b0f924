#include "EventLoop.h"
#include "QtPrinting.h"
#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"
#include "platform/Theme.h"
#include "run/RunError.h"
#include "screens/ActivitySpinner.h"
#include "screens/AlertDialog.h"
#include "screens/AlertObserver.h"
#include "screens/CustomButton.h"
#include "screens/LoadingStateView.h"
#include "screens/MessageStateView.h"
#include "screens/ProgressIndicator.h"
#include "steps/PathloomDisplayViewControllerError.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <thread>

// Found by GoogleTest next to the types they print.
static void PrintTo(const QColor& color, std::ostream* os) {
    *os << color.name(QColor::HexArgb).toStdString();
}

namespace pathloom {

static void PrintTo(const ButtonColors::Look& look, std::ostream* os) {
    *os << "title ";
    ::PrintTo(look.title, os);
    *os << ", background ";
    ::PrintTo(look.background, os);
    *os << ", border ";
    ::PrintTo(look.border, os);
}

namespace {

using namespace Qt::StringLiterals;
using test::runUntil;

QColor withAlpha(QColor color, float alpha) {
    color.setAlphaF(alpha);
    return color;
}

// `color` drawn over an opaque `ground`, as the screen shows it.
QColor over(const QColor& color, const QColor& ground) {
    const double a = color.alphaF();
    return QColor::fromRgbF(color.redF() * a + ground.redF() * (1 - a),
                            color.greenF() * a + ground.greenF() * (1 - a),
                            color.blueF() * a + ground.blueF() * (1 - a));
}

bool near(const QColor& actual, const QColor& expected, int tolerance = 2) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

const QColor kYellow(255, 255, 0);  // luminance 0.9278
const QColor kBlue(0, 0, 255);      // luminance 0.0722
const QColor kRed = SystemPalette::color(SystemPalette::Role::systemRed);
const QColor kClear(Qt::transparent);
const QColor kWhite(Qt::white);
const QColor kBlack(Qt::black);

// Exactly 0.75 in every component, so exactly 0.75 luminance: still light.
QColor threeQuarterGrey() { return QColor::fromRgbF(0.75f, 0.75f, 0.75f).toExtendedRgb(); }

// A window tinted like an app, holding one styled button.
struct TintedButton {
    explicit TintedButton(const QColor& tint) {
        window.resize(240, 120);
        auto* layout = new QVBoxLayout(&window);
        button = new CustomButton(u"Continue"_s, &window);
        button->setMinimumHeight(44);
        layout->addWidget(button);
        Theme::setTint(window, tint);
    }

    // The pixel at the middle of the button's left end, inside the rounded border.
    [[nodiscard]] QColor fillPixel() const {
        return button->grab().toImage().pixelColor(6, button->height() / 2);
    }

    QWidget window;
    CustomButton* button;
};

enum class State { normal, pressed, checked, disabled };

struct ButtonCase {
    const char* name;
    ButtonStyle style;
    QColor tint;
    State state;
    ButtonColors::Look expected;
};

void PrintTo(const ButtonCase& row, std::ostream* os) { *os << row.name; }

class CustomButtonColorsTest : public testing::TestWithParam<ButtonCase> {};

TEST_P(CustomButtonColorsTest, ShowsTheStyleColoursOfTheState) {
    const ButtonCase& row = GetParam();
    TintedButton tinted(row.tint);
    tinted.button->setCheckable(row.state == State::checked);
    tinted.button->configure(row.style);

    switch (row.state) {
        case State::normal:
            break;
        case State::pressed:
            tinted.button->setDown(true);
            break;
        case State::checked:
            tinted.button->setChecked(true);
            break;
        case State::disabled:
            tinted.button->setEnabled(false);
            break;
    }

    EXPECT_EQ(tinted.button->currentStyle(), row.style);
    EXPECT_EQ(tinted.button->currentLook(), row.expected);
    EXPECT_TRUE(near(tinted.fillPixel(), over(row.expected.background, kWhite)))
        << tinted.fillPixel().name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Styles, CustomButtonColorsTest,
    testing::Values(
        // Primary: filled with the tint, the title in its contrast colour.
        ButtonCase{"PrimaryYellowNormal",
                   ButtonStyle::primary,
                   kYellow,
                   State::normal,
                   {kBlack, kYellow, kYellow}},
        ButtonCase{"PrimaryYellowPressed",
                   ButtonStyle::primary,
                   kYellow,
                   State::pressed,
                   {withAlpha(kBlack, 0.7f), withAlpha(kYellow, 0.7f), withAlpha(kYellow, 0.7f)}},
        ButtonCase{"PrimaryYellowDisabled",
                   ButtonStyle::primary,
                   kYellow,
                   State::disabled,
                   {withAlpha(kBlack, 0.3f), withAlpha(kYellow, 0.3f), withAlpha(kYellow, 0.3f)}},
        ButtonCase{"PrimaryBlueNormal",
                   ButtonStyle::primary,
                   kBlue,
                   State::normal,
                   {kWhite, kBlue, kBlue}},
        ButtonCase{"PrimaryBluePressed",
                   ButtonStyle::primary,
                   kBlue,
                   State::pressed,
                   {withAlpha(kWhite, 0.7f), withAlpha(kBlue, 0.7f), withAlpha(kBlue, 0.7f)}},
        ButtonCase{"PrimaryBlueChecked",
                   ButtonStyle::primary,
                   kBlue,
                   State::checked,
                   {withAlpha(kWhite, 0.7f), withAlpha(kBlue, 0.7f), withAlpha(kBlue, 0.7f)}},
        ButtonCase{"PrimaryBlueDisabled",
                   ButtonStyle::primary,
                   kBlue,
                   State::disabled,
                   {withAlpha(kWhite, 0.3f), withAlpha(kBlue, 0.3f), withAlpha(kBlue, 0.3f)}},
        ButtonCase{"PrimaryThreeQuarterGreyNormal",
                   ButtonStyle::primary,
                   threeQuarterGrey(),
                   State::normal,
                   {kBlack, threeQuarterGrey(), threeQuarterGrey()}},
        ButtonCase{"PrimaryThreeQuarterGreyPressed",
                   ButtonStyle::primary,
                   threeQuarterGrey(),
                   State::pressed,
                   {withAlpha(kBlack, 0.7f), withAlpha(threeQuarterGrey(), 0.7f),
                    withAlpha(threeQuarterGrey(), 0.7f)}},
        ButtonCase{"PrimaryThreeQuarterGreyDisabled",
                   ButtonStyle::primary,
                   threeQuarterGrey(),
                   State::disabled,
                   {withAlpha(kBlack, 0.3f), withAlpha(threeQuarterGrey(), 0.3f),
                    withAlpha(threeQuarterGrey(), 0.3f)}},
        // Danger: filled with the system red whatever the tint.
        ButtonCase{"DangerYellowNormal",
                   ButtonStyle::danger,
                   kYellow,
                   State::normal,
                   {kWhite, kRed, kRed}},
        ButtonCase{"DangerYellowPressed",
                   ButtonStyle::danger,
                   kYellow,
                   State::pressed,
                   {withAlpha(kWhite, 0.7f), withAlpha(kRed, 0.7f), withAlpha(kRed, 0.7f)}},
        ButtonCase{"DangerYellowDisabled",
                   ButtonStyle::danger,
                   kYellow,
                   State::disabled,
                   {withAlpha(kWhite, 0.3f), withAlpha(kRed, 0.3f), withAlpha(kRed, 0.3f)}},
        ButtonCase{
            "DangerBlueNormal", ButtonStyle::danger, kBlue, State::normal, {kWhite, kRed, kRed}},
        ButtonCase{"DangerBluePressed",
                   ButtonStyle::danger,
                   kBlue,
                   State::pressed,
                   {withAlpha(kWhite, 0.7f), withAlpha(kRed, 0.7f), withAlpha(kRed, 0.7f)}},
        ButtonCase{"DangerBlueDisabled",
                   ButtonStyle::danger,
                   kBlue,
                   State::disabled,
                   {withAlpha(kWhite, 0.3f), withAlpha(kRed, 0.3f), withAlpha(kRed, 0.3f)}},
        ButtonCase{"DangerThreeQuarterGreyNormal",
                   ButtonStyle::danger,
                   threeQuarterGrey(),
                   State::normal,
                   {kWhite, kRed, kRed}},
        // Outline: title and border in the tint, the fill clear in every state.
        ButtonCase{"OutlineYellowNormal",
                   ButtonStyle::outline,
                   kYellow,
                   State::normal,
                   {kYellow, kClear, kYellow}},
        ButtonCase{"OutlineYellowPressed",
                   ButtonStyle::outline,
                   kYellow,
                   State::pressed,
                   {withAlpha(kYellow, 0.7f), kClear, withAlpha(kYellow, 0.7f)}},
        ButtonCase{"OutlineYellowDisabled",
                   ButtonStyle::outline,
                   kYellow,
                   State::disabled,
                   {withAlpha(kYellow, 0.3f), kClear, withAlpha(kYellow, 0.3f)}},
        ButtonCase{"OutlineBlueNormal",
                   ButtonStyle::outline,
                   kBlue,
                   State::normal,
                   {kBlue, kClear, kBlue}},
        ButtonCase{"OutlineBluePressed",
                   ButtonStyle::outline,
                   kBlue,
                   State::pressed,
                   {withAlpha(kBlue, 0.7f), kClear, withAlpha(kBlue, 0.7f)}},
        ButtonCase{"OutlineBlueChecked",
                   ButtonStyle::outline,
                   kBlue,
                   State::checked,
                   {withAlpha(kBlue, 0.7f), kClear, withAlpha(kBlue, 0.7f)}},
        ButtonCase{"OutlineBlueDisabled",
                   ButtonStyle::outline,
                   kBlue,
                   State::disabled,
                   {withAlpha(kBlue, 0.3f), kClear, withAlpha(kBlue, 0.3f)}},
        ButtonCase{"OutlineThreeQuarterGreyNormal",
                   ButtonStyle::outline,
                   threeQuarterGrey(),
                   State::normal,
                   {threeQuarterGrey(), kClear, threeQuarterGrey()}}),
    [](const testing::TestParamInfo<ButtonCase>& info) { return info.param.name; });

TEST(CustomButtonTest, DisablingAfterStylingRecoloursAtOnce) {
    const QColor tint(0, 122, 255);
    TintedButton tinted(tint);
    tinted.button->configure(ButtonStyle::primary);
    ASSERT_TRUE(near(tinted.fillPixel(), tint));

    tinted.button->setEnabled(false);

    EXPECT_EQ(tinted.button->currentLook(),
              tinted.button->currentColors()->look(ButtonColors::State::disabled));
    EXPECT_TRUE(near(tinted.fillPixel(), over(withAlpha(tint, 0.3f), kWhite)))
        << tinted.fillPixel().name().toStdString();

    tinted.button->setEnabled(true);

    EXPECT_TRUE(near(tinted.fillPixel(), tint));
}

TEST(CustomButtonTest, FollowsATintChangeOfItsWindow) {
    TintedButton tinted(kBlue);
    auto* plain = new CustomButton(u"Plain"_s, &tinted.window);
    tinted.button->configure(ButtonStyle::primary);

    Theme::setTint(tinted.window, kYellow);

    EXPECT_EQ(tinted.button->currentStyle(), ButtonStyle::primary);
    EXPECT_EQ(tinted.button->currentLook(), (ButtonColors::Look{kBlack, kYellow, kYellow}));
    EXPECT_TRUE(near(tinted.fillPixel(), kYellow));
    EXPECT_FALSE(plain->currentStyle());
    EXPECT_FALSE(plain->currentColors());
}

TEST(CustomButtonTest, IsPlainUntilStyledThenTakesTheBoldTitleFont) {
    TintedButton tinted(kBlue);
    EXPECT_FALSE(tinted.button->currentStyle());
    EXPECT_FALSE(tinted.button->currentColors());
    EXPECT_EQ(tinted.button->currentLook().background, kClear);
    EXPECT_EQ(tinted.button->currentLook().border, kClear);

    tinted.button->configure(ButtonStyle::outline);

    EXPECT_TRUE(tinted.button->font().bold());
    EXPECT_EQ(tinted.button->font().pixelSize(),
              TextStyles::font(TextStyles::Style::headline).pixelSize() + 1);
}

// A screen-sized host for the progress overlay.
class ProgressIndicatorTest : public testing::Test {
protected:
    ProgressIndicatorTest() {
        host.resize(300, 200);
        host.show();
    }

    [[nodiscard]] QList<QWidget*> overlays() const {
        return host.findChildren<QWidget*>(u"progressIndicator"_s, Qt::FindDirectChildrenOnly);
    }

    QWidget host;
};

TEST_F(ProgressIndicatorTest, ShowsOneRoundedBoxWithASpinnerCentredInTheHost) {
    ProgressIndicator indicator;

    indicator.show(&host);

    EXPECT_TRUE(overlays().isEmpty()) << "show() only schedules the work";
    ASSERT_TRUE(runUntil([&] { return indicator.loadingView() != nullptr; }));
    QWidget* box = indicator.loadingView();
    EXPECT_EQ(box->geometry(), QRect(110, 60, 80, 80));
    ASSERT_TRUE(indicator.activityIndicator());
    EXPECT_EQ(indicator.activityIndicator()->geometry(), QRect(20, 20, 40, 40));
    EXPECT_TRUE(indicator.activityIndicator()->isAnimating());
    // Radius 10: the corner is cut away, the edges and the inside of the curve are grey.
    const QImage picture = host.grab().toImage();
    const QColor grey = SystemPalette::color(SystemPalette::Role::systemGray2);
    const QColor ground = host.palette().color(QPalette::Window);
    EXPECT_TRUE(near(picture.pixelColor(box->x() + 1, box->y() + 1), ground));
    EXPECT_TRUE(near(picture.pixelColor(box->x() + 5, box->y() + 5), grey));
    EXPECT_TRUE(near(picture.pixelColor(box->x() + 40, box->y() + 1), grey));
    EXPECT_TRUE(near(picture.pixelColor(box->x() + 1, box->y() + 40), grey));
    EXPECT_TRUE(near(picture.pixelColor(box->x() + 78, box->y() + 78), ground));
}

TEST_F(ProgressIndicatorTest, ShowingTwiceLeavesOneOverlay) {
    ProgressIndicator indicator;

    indicator.show(&host);
    indicator.show(&host);

    ASSERT_TRUE(runUntil([&] { return indicator.loadingView() != nullptr; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(overlays().size(), 1);
    EXPECT_EQ(overlays().first(), indicator.loadingView());
}

TEST_F(ProgressIndicatorTest, HidingRemovesTheOverlayAndStopsTheSpinner) {
    ProgressIndicator indicator;
    indicator.show(&host);
    ASSERT_TRUE(runUntil([&] { return indicator.loadingView() != nullptr; }));
    const QPointer<ActivitySpinner> spinner = indicator.activityIndicator();

    indicator.hide();

    ASSERT_TRUE(runUntil([&] { return overlays().isEmpty(); }));
    EXPECT_FALSE(spinner);
    EXPECT_FALSE(indicator.loadingView());
}

TEST_F(ProgressIndicatorTest, HidingWithoutShowingDoesNothing) {
    auto* other = new QWidget(&host);
    ProgressIndicator indicator;

    indicator.hide();
    QCoreApplication::processEvents();

    EXPECT_FALSE(indicator.loadingView());
    EXPECT_EQ(host.findChildren<QWidget*>(), QList<QWidget*>{other});
}

TEST_F(ProgressIndicatorTest, StaysCentredWhenTheHostResizes) {
    ProgressIndicator indicator;
    indicator.show(&host);
    ASSERT_TRUE(runUntil([&] { return indicator.loadingView() != nullptr; }));

    host.resize(500, 400);

    EXPECT_EQ(indicator.loadingView()->geometry(), QRect(210, 160, 80, 80));
}

TEST_F(ProgressIndicatorTest, CanBeShownFromAnotherThread) {
    ProgressIndicator indicator;

    std::thread([&] { indicator.show(&host); }).join();

    ASSERT_TRUE(runUntil([&] { return indicator.loadingView() != nullptr; }));
    EXPECT_EQ(overlays().size(), 1);
}

TEST_F(ProgressIndicatorTest, ScheduledWorkIsDroppedWhenTheIndicatorOrTheHostIsGone) {
    auto indicator = std::make_unique<ProgressIndicator>();
    indicator->show(&host);
    indicator.reset();
    auto* doomed = new QWidget(&host);
    ProgressIndicator other;
    other.show(doomed);
    delete doomed;

    QCoreApplication::processEvents();

    EXPECT_TRUE(overlays().isEmpty());
    EXPECT_FALSE(other.loadingView());
}

TEST_F(ProgressIndicatorTest, TheOverlayGoesWithTheIndicator) {
    auto indicator = std::make_unique<ProgressIndicator>();
    indicator->show(&host);
    ASSERT_TRUE(runUntil([&] { return indicator->loadingView() != nullptr; }));

    indicator.reset();

    EXPECT_TRUE(overlays().isEmpty());
}

TEST(StateViewsTest, MessageViewWrapsItsPlainTextCentredWithinTheMargins) {
    const QString message = u"There is nothing to show here yet. <b>Pull</b> to refresh later."_s;
    MessageStateView view(message);
    view.resize(200, 300);
    view.show();
    QCoreApplication::processEvents();

    QLabel* label = view.messageLabel();
    EXPECT_EQ(label->objectName(), u"messageLabel"_s);
    EXPECT_EQ(label->text(), message);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->alignment(), Qt::AlignCenter);
    EXPECT_EQ(label->font(), TextStyles::font(TextStyles::Style::body));
    EXPECT_GT(label->heightForWidth(label->width()), label->fontMetrics().height());
    EXPECT_GE(label->x(), 8);
    EXPECT_LE(label->geometry().right(), view.width() - 1 - 8);
    EXPECT_EQ(label->geometry().center(), view.rect().center());
}

TEST(StateViewsTest, LoadingViewSpinsCentredFromTheStart) {
    LoadingStateView view;
    view.resize(300, 300);
    view.show();
    QCoreApplication::processEvents();

    ASSERT_TRUE(view.activityIndicator());
    EXPECT_TRUE(view.activityIndicator()->isAnimating());
    EXPECT_EQ(view.activityIndicator()->size(), QSize(40, 40));
    EXPECT_EQ(view.activityIndicator()->geometry().center(), view.rect().center());
}

// The buttons of an alert from left to right, or top to bottom when stacked.
QStringList buttonTitlesOnScreen(const AlertDialog& dialog) {
    QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    QStringList titles;
    for (QPushButton* button : buttons) {
        titles.append(button->text());
    }
    return titles;
}

class AlertDialogTest : public testing::Test {
protected:
    AlertDialogTest() {
        screen.resize(360, 640);
        screen.show();
    }

    QWidget screen;
    QSignalSpy shown{&AlertDialog::observer(), &AlertObserver::shown};
};

TEST_F(AlertDialogTest, ALongWordInTheMessageWrapsInsteadOfBeingCutOff) {
    const QString message =
        u"The operation couldn’t be completed. "
        u"(PathloomCore.PathloomRootViewControllerError error 0.)"_s;
    screen.resize(420, 760);
    screen.show();

    const QPointer<AlertDialog> dialog = AlertDialog::showError(&screen, RunError(message));

    ASSERT_TRUE(dialog);
    const auto* label = dialog->findChild<QLabel*>(u"alertMessage"_s);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(QString(label->text()).remove(QChar(0x200B)), message);
    const QFontMetrics metrics(label->font());
    for (const QString& piece :
         label->text().split(QRegularExpression(u"[ \u200B]"_s), Qt::SkipEmptyParts)) {
        EXPECT_LE(metrics.horizontalAdvance(piece), label->width()) << piece.toStdString();
    }
    EXPECT_EQ(shown.first().at(1).toString(), message) << "observers hear the message as it is";
}

TEST_F(AlertDialogTest, ErrorAlertOpensWithoutBlockingAndOnlyCloses) {
    const Error error = PathloomDisplayViewControllerError::urlActionsUnsupported();

    const QPointer<AlertDialog> dialog = AlertDialog::showError(&screen, error);

    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_EQ(dialog->objectName(), u"alert"_s);
    EXPECT_EQ(dialog->findChild<QLabel*>(u"alertTitle"_s)->text(), u"Error"_s);
    EXPECT_EQ(dialog->findChild<QLabel*>(u"alertMessage"_s)->text(),
              u"URL actions not supported in non-network Display step"_s);
    EXPECT_EQ(buttonTitlesOnScreen(*dialog), QStringList{u"OK"_s});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.first(),
              (QVariantList{u"Error"_s, u"URL actions not supported in non-network Display step"_s,
                            QStringList{u"OK"_s}}));

    QTest::mouseClick(dialog->findChild<QPushButton*>(u"alertButton:OK"_s), Qt::LeftButton);

    EXPECT_FALSE(dialog && dialog->isVisible());
    EXPECT_TRUE(runUntil([&] { return dialog.isNull(); }));
}

TEST_F(AlertDialogTest, ErrorAlertClosesOnEscape) {
    const QPointer<AlertDialog> dialog = AlertDialog::showError(
        &screen, PathloomDisplayViewControllerError::urlActionsUnsupported());

    QTest::keyClick(dialog, Qt::Key_Escape);

    EXPECT_TRUE(runUntil([&] { return dialog.isNull(); }));
}

struct ConfirmationCase {
    const char* name;
    bool destructive;
    // What the user does: click "Cancel", click "Delete", or press Escape.
    QString gesture;
    bool expectedAnswer;
};

void PrintTo(const ConfirmationCase& row, std::ostream* os) { *os << row.name; }

class ConfirmationAlertTest : public AlertDialogTest,
                              public testing::WithParamInterface<ConfirmationCase> {};

TEST_P(ConfirmationAlertTest, ShowsCancelThenConfirmAndAnswersOnce) {
    const ConfirmationCase& row = GetParam();
    std::vector<bool> answers;
    const StepControllerDelegate::Confirmation confirmation{
        u"Delete Item"_s, u"Are you sure you want to delete this item?"_s, u"Cancel"_s, u"Delete"_s,
        row.destructive};

    const QPointer<AlertDialog> dialog = AlertDialog::showConfirmation(
        &screen, confirmation, [&](bool confirmed) { answers.push_back(confirmed); });

    ASSERT_TRUE(dialog && dialog->isVisible());
    EXPECT_EQ(buttonTitlesOnScreen(*dialog), (QStringList{u"Cancel"_s, u"Delete"_s}));
    auto* cancel = dialog->findChild<CustomButton*>(u"alertButton:Cancel"_s);
    auto* confirm = dialog->findChild<CustomButton*>(u"alertButton:Delete"_s);
    ASSERT_TRUE(cancel && confirm);
    EXPECT_EQ(dialog->actions().at(0).style, AlertDialog::Action::Style::cancel);
    EXPECT_EQ(dialog->actions().at(1).style, row.destructive
                                                 ? AlertDialog::Action::Style::destructive
                                                 : AlertDialog::Action::Style::standard);
    EXPECT_EQ(confirm->currentStyle(),
              row.destructive ? ButtonStyle::danger : ButtonStyle::primary);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_TRUE(answers.empty());

    if (row.gesture == u"Escape") {
        QTest::keyClick(dialog, Qt::Key_Escape);
    } else {
        QTest::mouseClick(row.gesture == u"Cancel" ? cancel : confirm, Qt::LeftButton);
    }

    EXPECT_EQ(answers, std::vector<bool>{row.expectedAnswer});
    ASSERT_TRUE(runUntil([&] { return dialog.isNull(); }));
    EXPECT_EQ(answers.size(), 1U);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ConfirmationAlertTest,
    testing::Values(ConfirmationCase{"DestructiveConfirmed", true, u"Delete"_s, true},
                    ConfirmationCase{"DestructiveCancelled", true, u"Cancel"_s, false},
                    ConfirmationCase{"DestructiveEscaped", true, u"Escape"_s, false},
                    ConfirmationCase{"PlainConfirmed", false, u"Delete"_s, true},
                    ConfirmationCase{"PlainCancelled", false, u"Cancel"_s, false}),
    [](const testing::TestParamInfo<ConfirmationCase>& info) { return info.param.name; });

TEST_F(AlertDialogTest, ConfirmationWithoutMessageShowsNoneAndTextsStayPlain) {
    const QPointer<AlertDialog> dialog = AlertDialog::showConfirmation(
        &screen, {u"<b>Remove</b> it?"_s, {}, u"No"_s, u"Yes"_s, false}, {});

    EXPECT_FALSE(dialog->findChild<QLabel*>(u"alertMessage"_s));
    EXPECT_EQ(dialog->findChild<QLabel*>(u"alertTitle"_s)->textFormat(), Qt::PlainText);
    EXPECT_FALSE(dialog->message());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.first().at(1).toString(), QString());

    QTest::mouseClick(dialog->findChild<QPushButton*>(u"alertButton:Yes"_s), Qt::LeftButton);

    EXPECT_TRUE(runUntil([&] { return dialog.isNull(); }));
}

TEST_F(AlertDialogTest, KeepsTheOrderOfManyButtonsStackedAndStaysOpenOnEscapeWithoutCancel) {
    QStringList chosen;
    const auto choose = [&](const QString& title) {
        return AlertDialog::Action{title, AlertDialog::Action::Style::standard,
                                   [&chosen, title] { chosen.append(title); }};
    };
    auto* dialog = new AlertDialog(&screen, u"Open"_s, std::nullopt,
                                   {choose(u"Zeta"_s), choose(u"Alpha"_s), choose(u"Mid"_s)});
    const QPointer<AlertDialog> guard = dialog;
    dialog->open();
    QCoreApplication::processEvents();

    EXPECT_EQ(buttonTitlesOnScreen(*dialog), (QStringList{u"Zeta"_s, u"Alpha"_s, u"Mid"_s}));
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(chosen.isEmpty());

    QTest::mouseClick(dialog->findChild<QPushButton*>(u"alertButton:Alpha"_s), Qt::LeftButton);

    EXPECT_EQ(chosen, QStringList{u"Alpha"_s});
    EXPECT_TRUE(runUntil([&] { return guard.isNull(); }));
}

}  // namespace
}  // namespace pathloom
