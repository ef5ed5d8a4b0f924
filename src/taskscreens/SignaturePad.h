#pragma once

#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QWidget>

namespace pathloom {

// A pad to sign on with a mouse, a finger or a pen, over a line to sign on. Strokes are kept as
// paths in the pad's coordinates.
class SignaturePad : public QWidget {
    Q_OBJECT

public:
    explicit SignaturePad(QWidget* parent = nullptr);

    [[nodiscard]] bool isEmpty() const { return m_strokes.isEmpty(); }
    void clear();
    // The signature in black on white, the pad's size.
    [[nodiscard]] QImage image() const;

Q_SIGNALS:
    // A stroke was added, or the pad was cleared.
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void tabletEvent(QTabletEvent* event) override;
    bool event(QEvent* event) override;

private:
    void begin(QPointF at);
    void extend(QPointF at);
    void end();
    void draw(QPainter& painter) const;

    QList<QPainterPath> m_strokes;
    bool m_drawing = false;
};

}  // namespace pathloom
