#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace pathloom {

// Hears of every alert as it opens, for the app's journal and for tests; see
// AlertDialog::observer(). Main thread only.
class AlertObserver : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    // An alert opened: its title, its message (empty when it has none) and its button titles in
    // the order shown.
    void shown(const QString& title, const QString& message, const QStringList& buttons);
};

}  // namespace pathloom
