#include "screens/AlertDialog.h"

#include "platform/TextStyles.h"
#include "screens/AlertObserver.h"
#include "screens/CustomButton.h"

#include <QBoxLayout>
#include <QLabel>

namespace pathloom {

namespace {

using namespace Qt::StringLiterals;

const auto kErrorTitle = u"Error"_s;
const auto kErrorButton = u"OK"_s;
constexpr int kMargin = 20;
constexpr int kSpacing = 12;
constexpr int kWidth = 300;
constexpr int kButtonHeight = 40;
// More buttons than this are stacked, as they would not fit side by side.
constexpr qsizetype kButtonsInARow = 2;

ButtonStyle buttonStyle(AlertDialog::Action::Style style) {
    switch (style) {
        case AlertDialog::Action::Style::standard:
            return ButtonStyle::primary;
        case AlertDialog::Action::Style::cancel:
            return ButtonStyle::outline;
        case AlertDialog::Action::Style::destructive:
            return ButtonStyle::danger;
    }
    return ButtonStyle::primary;
}

// `text` with a place to break after each dot, slash, underscore or colon inside a long word, such
// as an error's domain: a label wraps only at spaces and would cut the word off at the alert's
// edge.
QString withBreaks(const QString& text) {
    constexpr qsizetype kLongWord = 20;
    constexpr QChar kZeroWidthSpace(0x200B);
    QStringList words = text.split(u' ');
    for (QString& word : words) {
        if (word.size() <= kLongWord) {
            continue;
        }
        QString broken;
        for (const QChar c : word) {
            broken += c;
            if (c == u'.' || c == u'/' || c == u'_' || c == u':') {
                broken += kZeroWidthSpace;
            }
        }
        word = broken;
    }
    return words.join(u' ');
}

QLabel* makeLabel(const QString& text, const QString& name, TextStyles::Style style,
                  QWidget* parent) {
    auto* label = new QLabel(withBreaks(text), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(TextStyles::font(style));
    return label;
}

}  // namespace

AlertDialog::AlertDialog(QWidget* parent, const QString& title,
                         const std::optional<QString>& message, QList<Action> actions)
    : QDialog(parent), m_title(title), m_message(message), m_actions(std::move(actions)) {
    setObjectName(u"alert"_s);
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedWidth(kWidth);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kSpacing);
    layout->addWidget(makeLabel(title, u"alertTitle"_s, TextStyles::Style::headline, this));
    if (m_message) {
        QLabel* label = makeLabel(*m_message, u"alertMessage"_s, TextStyles::Style::body, this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }
    auto* buttons = new QBoxLayout(m_actions.size() > kButtonsInARow ? QBoxLayout::TopToBottom
                                                                     : QBoxLayout::LeftToRight);
    buttons->setSpacing(kSpacing / 2);
    for (qsizetype index = 0; index < m_actions.size(); ++index) {
        buttons->addWidget(makeButton(index));
    }
    layout->addSpacing(kSpacing / 2);
    layout->addLayout(buttons);
}

QPushButton* AlertDialog::makeButton(qsizetype index) {
    const Action& action = m_actions[index];
    auto* button = new CustomButton(action.title, this);
    button->setObjectName(u"alertButton:"_s + action.title);
    button->setMinimumHeight(kButtonHeight);
    button->setAutoDefault(false);
    // Enter answers a plain question; it never destroys anything or merely cancels.
    button->setDefault(action.style == Action::Style::standard);
    button->configure(buttonStyle(action.style));
    connect(button, &QPushButton::clicked, this, [this, index] { choose(index); });
    return button;
}

AlertDialog* AlertDialog::showError(QWidget* parent, const Error& error) {
    auto* dialog = new AlertDialog(parent, kErrorTitle, error.localizedDescription(),
                                   {Action{kErrorButton, Action::Style::standard, {}}});
    dialog->open();
    return dialog;
}

AlertDialog* AlertDialog::showConfirmation(QWidget* parent,
                                           const StepControllerDelegate::Confirmation& confirmation,
                                           std::function<void(bool)> completion) {
    auto answer = [completion = std::move(completion)](bool confirmed) {
        if (completion) {
            completion(confirmed);
        }
    };
    auto* dialog = new AlertDialog(
        parent, confirmation.title,
        confirmation.message.isEmpty() ? std::nullopt : std::optional(confirmation.message),
        {Action{confirmation.cancelTitle, Action::Style::cancel, [answer] { answer(false); }},
         Action{confirmation.confirmTitle,
                confirmation.destructive ? Action::Style::destructive : Action::Style::standard,
                [answer] { answer(true); }}});
    dialog->open();
    return dialog;
}

AlertObserver& AlertDialog::observer() {
    static AlertObserver observer;
    return observer;
}

QStringList AlertDialog::buttonTitles() const {
    QStringList titles;
    for (const Action& action : m_actions) {
        titles.append(action.title);
    }
    return titles;
}

void AlertDialog::open() {
    // As tall as its texts wrapped at its width: a wrapped label alone asks for more room.
    resize(width(), heightForWidth(width()));
    QDialog::open();
    Q_EMIT observer().shown(m_title, m_message.value_or(QString()), buttonTitles());
}

void AlertDialog::reject() {
    const auto cancel =
        std::find_if(m_actions.cbegin(), m_actions.cend(),
                     [](const Action& action) { return action.style == Action::Style::cancel; });
    if (cancel != m_actions.cend()) {
        choose(std::distance(m_actions.cbegin(), cancel));
    } else if (m_actions.size() == 1) {
        choose(0);
    }
}

void AlertDialog::choose(qsizetype index) {
    if (m_chosen) {
        return;
    }
    m_chosen = true;
    // Copied first: closing deletes the dialog and its actions.
    const std::function<void()> handler = m_actions[index].handler;
    done(m_actions[index].style == Action::Style::cancel ? QDialog::Rejected : QDialog::Accepted);
    if (handler) {
        handler();
    }
}

}  // namespace pathloom
