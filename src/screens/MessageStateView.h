#pragma once

#include <QWidget>

class QLabel;

namespace pathloom {

// Fills a table screen that has nothing to list with one message, wrapped and centred.
class MessageStateView : public QWidget {
    Q_OBJECT

public:
    explicit MessageStateView(const QString& message, QWidget* parent = nullptr);

    // The label ("messageLabel") that shows the message.
    [[nodiscard]] QLabel* messageLabel() const { return m_messageLabel; }

private:
    QLabel* m_messageLabel;
};

}  // namespace pathloom
