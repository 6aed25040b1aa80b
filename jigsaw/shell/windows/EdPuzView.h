#pragma once
#include <QImage>
#include <QRect>
#include <QWidget>

namespace qv {

// The picture of the puzzle editor: the picture at the zoom factor with the
// grid of the chosen size drawn over the part that becomes the puzzle (the
// cropping rectangle, else the whole picture), and the cropping rectangle
// drawn by a left-button drag. In the plain view the picture is stretched
// to the widget, without grid and rectangle.
class EdPuzView : public QWidget {
    Q_OBJECT

public:
    // Smaller drags are no cropping rectangle.
    static constexpr int MinCrop = 4;

    explicit EdPuzView(QImage picture, QWidget* parent = nullptr);

    void setZoom(int percent);
    int zoom() const { return m_zoom; }
    void setGrid(int rows, int columns);
    void setPlain(bool plain);
    bool plain() const { return m_plain; }

    // In picture pixels; null when there is none.
    QRect crop() const { return m_crop; }
    void setCrop(QRect crop);
    // The part that becomes the puzzle.
    QRect area() const { return m_crop.isNull() ? m_picture.rect() : m_crop; }
    QSize pictureSize() const { return m_picture.size(); }

    QSize sizeHint() const override;

signals:
    void cropChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint toPicture(QPoint widgetPoint) const;
    QRect toWidget(QRect pictureRect) const;
    QRect dragRect() const;
    void paintGrid(QPainter& p) const;

    QImage m_picture;
    int m_zoom = 100;
    int m_rows = 0;
    int m_columns = 0;
    bool m_plain = false;
    QRect m_crop;
    bool m_dragging = false;
    QPoint m_dragFrom;
    QPoint m_dragTo;
};

}  // namespace qv
