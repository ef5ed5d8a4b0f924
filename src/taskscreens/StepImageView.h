#pragma once

#include <QImage>
#include <QWidget>

namespace pathloom {

// A step's picture, fitted: scaled down to the width it gets and to a bounded height, never up,
// its aspect kept, centred.
class StepImageView : public QWidget {
    Q_OBJECT

public:
    explicit StepImageView(QImage image, QWidget* parent = nullptr);

    [[nodiscard]] const QImage& image() const { return m_image; }

    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] QSizeF fittedSize(int width) const;

    QImage m_image;
};

}  // namespace pathloom
