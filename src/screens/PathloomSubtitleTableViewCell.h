#pragma once

#include "steps/TableRow.h"

#include <QImage>
#include <QWidget>
#include <optional>

class QLabel;

namespace pathloom {

// A table row of a title over a detail line, with a picture at the leading side and a chevron
// when the row leads somewhere: the cell of list entries and of a page's texts.
class PathloomSubtitleTableViewCell : public QWidget {
    Q_OBJECT

public:
    // The side of the picture's place; the picture itself is inset 2 pixels on every side.
    static constexpr int kImageSide = 40;
    static constexpr int kImageInset = 2;

    explicit PathloomSubtitleTableViewCell(QWidget* parent = nullptr);

    // Shows the row's texts and chevron; the picture is the screen's to set.
    void configure(const TableRow& row);
    // Shows `picture` in the picture's place, or nothing (the place goes) without one.
    void setPicture(const std::optional<QImage>& picture);

    [[nodiscard]] QLabel* imageView() const { return m_image; }
    [[nodiscard]] QLabel* textLabel() const { return m_title; }
    [[nodiscard]] QLabel* detailTextLabel() const { return m_detail; }
    [[nodiscard]] QLabel* disclosureIndicator() const { return m_chevron; }

private:
    QLabel* m_image;
    QLabel* m_title;
    QLabel* m_detail;
    QLabel* m_chevron;
};

}  // namespace pathloom
