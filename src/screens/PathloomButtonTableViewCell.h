#pragma once

#include "steps/TableRow.h"

#include <QWidget>

namespace pathloom {

class CustomButton;

// A table row holding one styled button across its width: the buttons of a page.
class PathloomButtonTableViewCell : public QWidget {
    Q_OBJECT

public:
    static constexpr int kButtonHeight = 44;

    explicit PathloomButtonTableViewCell(QWidget* parent = nullptr);

    // Titles and styles the button after the row.
    void configure(const TableRow& row);
    [[nodiscard]] CustomButton* button() const { return m_button; }

Q_SIGNALS:
    // The button was tapped; nobody need listen.
    void buttonTapped(PathloomButtonTableViewCell* cell, CustomButton* button);

private:
    CustomButton* m_button;
};

}  // namespace pathloom
