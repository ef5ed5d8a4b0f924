#pragma once

#include <QLabel>

namespace pathloom {

// A strip across the top of the window that says what is wrong with the app document being
// previewed, while the last app that loaded stays usable below it. Hidden until there is
// something to say.
class ErrorBanner : public QLabel {
    Q_OBJECT

public:
    explicit ErrorBanner(QWidget* parent = nullptr);

    void showMessage(const QString& message);
};

}  // namespace pathloom
