#pragma once

#include "steps/MailMessage.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace pathloom {

// The message a desktop composer is about to hand off, shown for a last look: the recipient
// (read-only), the subject and text (editable) and the attachments with their sizes, with "Cancel"
// and "Send". Window-modal over its parent, opened with open(); closing the window cancels, as
// QDialog does. accepted() means Send, and message() then holds what the user edited.
//
// Handles: the dialog is "mailComposer", its fields "mailComposer:to", "mailComposer:subject",
// "mailComposer:body" and "mailComposer:attachments", its buttons "mailComposer:Cancel" and
// "mailComposer:Send". Main thread only.
class MailComposeDialog : public QDialog {
    Q_OBJECT

public:
    MailComposeDialog(MailMessage message, QWidget* parent);

    // The message as the user left it: the given one with the edited subject and text.
    [[nodiscard]] MailMessage message() const;

private:
    MailMessage m_message;
    QLineEdit* m_to;
    QLineEdit* m_subject;
    QPlainTextEdit* m_body;
    QListWidget* m_attachments;
};

}  // namespace pathloom
