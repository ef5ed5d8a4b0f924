#pragma once

#include "steps/TableRow.h"

#include <QImage>
#include <QWidget>
#include <optional>

class QPushButton;

namespace pathloom {

class SymbolCatalogue;

// A page's picture row: a 16:9 picture, scaled to fill and clipped, under a button of the same
// size. A picture cannot be tapped; until it arrives the button shows the "photo" symbol.
class PathloomImageTableViewCell : public QWidget {
    Q_OBJECT

public:
    static constexpr double kAspect = 0.5625;
    static constexpr int kMargin = 8;

    explicit PathloomImageTableViewCell(const SymbolCatalogue& symbols, QWidget* parent = nullptr);

    // Takes the row's button state and forgets the picture when the row asks.
    virtual void configure(const TableRow& row);
    void setBackgroundImage(std::optional<QImage> image);
    [[nodiscard]] const std::optional<QImage>& backgroundImage() const { return m_image; }
    [[nodiscard]] QPushButton* button() const { return m_button; }

    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;
    [[nodiscard]] QSize sizeHint() const override;

Q_SIGNALS:
    void tapped(PathloomImageTableViewCell* cell);

protected:
    // The symbol over the picture: "photo" while there is none, else nothing.
    [[nodiscard]] virtual std::optional<QString> buttonSymbol() const;
    void updateButton();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    [[nodiscard]] QRect pictureRect() const;

    const SymbolCatalogue& m_symbols;
    QPushButton* m_button;
    std::optional<QImage> m_image;
};

}  // namespace pathloom
