#pragma once

#include <QLabel>

namespace pathloom {

// A paragraph of a step: the body text style, wrapped, shown as plain text (documents come from a
// server, so their texts never render as markup). Secondary paragraphs (details, footnotes) take
// a smaller style and the secondary label colour.
class ORKBodyLabel : public QLabel {
    Q_OBJECT

public:
    enum class Emphasis { primary, secondary };

    explicit ORKBodyLabel(const QString& text = {}, QWidget* parent = nullptr);
    ORKBodyLabel(const QString& text, Emphasis emphasis, QWidget* parent = nullptr);
};

}  // namespace pathloom
