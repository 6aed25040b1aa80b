#pragma once
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>

#include "framework/Bitmap.h"

namespace fw {

// The colour field of the background window: a bitmap of
// Background::FieldColour values. A left click picks the first colour, a
// right click the second; the colour is FieldColour at the point relative
// to the field's top-left.
class WBkgField : public QWidget {
    Q_OBJECT

public:
    explicit WBkgField(QWidget* parent = nullptr);

    // The field to show (from the cache or computed); a null bitmap computes
    // one of the widget's size.
    void setField(Bitmap field);
    const Bitmap& field() const { return m_field; }

    // Picks as a click at (x, y) would; which: 0 first colour, 1 second.
    void pick(int x, int y, int which);
    // Which colour the last pick set (0 first, 1 second), -1 before any.
    int lastPicked() const { return m_lastPicked; }

signals:
    void picked(uint32_t colour, int which);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Bitmap m_field;
    QPoint m_marks[2] = {QPoint(-1, -1), QPoint(-1, -1)};
    int m_lastPicked = -1;
    bool m_computed = true;  // the field follows the widget's size
};

}  // namespace fw
