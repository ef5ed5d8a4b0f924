#include "platform/MailComposeDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// Rows the attachment list shows before it scrolls.
constexpr int kVisibleAttachments = 4;
// Room for a subject and a line of text without wrapping, in average characters.
constexpr int kWidthInCharacters = 64;
constexpr int kWindowMargin = 12;

}  // namespace

MailComposeDialog::MailComposeDialog(MailMessage message, QWidget* parent)
    : QDialog(parent),
      m_message(std::move(message)),
      m_to(new QLineEdit(m_message.to.value_or(QString()))),
      m_subject(new QLineEdit(m_message.subject)),
      m_body(new QPlainTextEdit(m_message.body)),
      m_attachments(new QListWidget) {
    setObjectName(u"mailComposer"_s);
    setWindowTitle(tr("New Message"));
    setWindowModality(Qt::WindowModal);

    m_to->setObjectName(u"mailComposer:to"_s);
    m_to->setReadOnly(true);
    m_to->setPlaceholderText(tr("No recipient"));
    m_subject->setObjectName(u"mailComposer:subject"_s);
    m_body->setObjectName(u"mailComposer:body"_s);
    m_attachments->setObjectName(u"mailComposer:attachments"_s);
    m_attachments->setSelectionMode(QAbstractItemView::NoSelection);
    m_attachments->setFocusPolicy(Qt::NoFocus);
    const QLocale locale;
    for (const MailAttachment& attachment : std::as_const(m_message.attachments)) {
        m_attachments->addItem(u"%1 (%2)"_s.arg(
            attachment.fileName, locale.formattedDataSize(attachment.data.size(), 1,
                                                          QLocale::DataSizeTraditionalFormat)));
    }
    if (!m_message.attachments.isEmpty()) {
        m_attachments->setMaximumHeight(m_attachments->sizeHintForRow(0) * kVisibleAttachments +
                                        2 * m_attachments->frameWidth());
    }

    auto* fields = new QFormLayout;
    fields->addRow(tr("To:"), m_to);
    fields->addRow(tr("Subject:"), m_subject);
    fields->addRow(tr("Attachments:"), m_attachments);
    fields->setRowVisible(m_attachments, !m_message.attachments.isEmpty());
    auto* buttons = new QDialogButtonBox;
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(u"mailComposer:Cancel"_s);
    QPushButton* send = buttons->addButton(tr("Send"), QDialogButtonBox::AcceptRole);
    send->setObjectName(u"mailComposer:Send"_s);
    send->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_body, 1);
    layout->addWidget(buttons);
    // Wide enough for a line of mail, but never wider than the phone-sized window it opens over.
    const int wanted = fontMetrics().averageCharWidth() * kWidthInCharacters;
    setMinimumWidth(parent != nullptr
                        ? std::min(wanted, parent->window()->width() - 2 * kWindowMargin)
                        : wanted);
}

MailMessage MailComposeDialog::message() const {
    MailMessage edited = m_message;
    edited.subject = m_subject->text();
    edited.body = m_body->toPlainText();
    return edited;
}

}  // namespace pathloom
