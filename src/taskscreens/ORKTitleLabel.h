#pragma once

#include <QLabel>

namespace pathloom {

// A step's title: the title text style, wrapped, shown as plain text (documents come from a
// server, so their texts never render as markup).
class ORKTitleLabel : public QLabel {
    Q_OBJECT

public:
    explicit ORKTitleLabel(const QString& text = {}, QWidget* parent = nullptr);
};

}  // namespace pathloom
