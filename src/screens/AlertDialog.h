#pragma once

#include "foundation/Error.h"
#include "steps/StepControllerDelegate.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QPushButton;

namespace pathloom {

class AlertObserver;

// An alert over a screen: a title, an optional message and buttons in exactly the order given.
// It is window-modal but opens without blocking (open(), never exec()): the caller returns at once
// and hears of the choice through the button's handler. Choosing a button closes the alert, which
// then deletes itself, and runs that button's handler once. Escape and closing the window choose
// the cancel button; without one, an alert of a single button chooses that button and any other
// alert stays open.
//
// Handles for tests and automation: the dialog is "alert", its labels "alertTitle" and
// "alertMessage", each button "alertButton:<title>". Main thread only.
class AlertDialog : public QDialog {
    Q_OBJECT

public:
    struct Action {
        enum class Style { standard, cancel, destructive };

        QString title;
        Style style = Style::standard;
        std::function<void()> handler;
    };

    AlertDialog(QWidget* parent, const QString& title, const std::optional<QString>& message,
                QList<Action> actions);

    // Opens the error alert: titled "Error", the error's localized description as message and one
    // "OK" that only closes the alert.
    static AlertDialog* showError(QWidget* parent, const Error& error);
    // Opens a confirmation: the cancel button first, answering false, then the confirm button
    // (destructive when asked), answering true. An empty message shows none.
    static AlertDialog* showConfirmation(QWidget* parent,
                                         const StepControllerDelegate::Confirmation& confirmation,
                                         std::function<void(bool)> completion);

    // The one source that announces every alert as it opens. It lives as long as the program.
    [[nodiscard]] static AlertObserver& observer();

    [[nodiscard]] QString title() const { return m_title; }
    [[nodiscard]] std::optional<QString> message() const { return m_message; }
    [[nodiscard]] const QList<Action>& actions() const { return m_actions; }
    [[nodiscard]] QStringList buttonTitles() const;

    void open() override;
    void reject() override;

private:
    QPushButton* makeButton(qsizetype index);
    void choose(qsizetype index);

    QString m_title;
    std::optional<QString> m_message;
    QList<Action> m_actions;
    bool m_chosen = false;
};

}  // namespace pathloom
