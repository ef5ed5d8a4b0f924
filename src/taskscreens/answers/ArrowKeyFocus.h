#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace pathloom {

// Moves the focus along a row or column of controls with the arrow keys (up or left to the one
// before, down or right to the one after), as a keyboard user expects of a list of choices whose
// marks are not one exclusive group. It belongs to the controls' owner.
class ArrowKeyFocus : public QObject {
    Q_OBJECT

public:
    explicit ArrowKeyFocus(QObject* parent) : QObject(parent) {}

    void add(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QPointer<QWidget>> m_controls;
};

}  // namespace pathloom
