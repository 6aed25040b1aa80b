#pragma once
#include <QColor>
#include <QFrame>
#include <cstdint>

#include "minefield/SevenSegment.h"

namespace mf {

// A seven-segment number display: the mines-left counter of the tool bar.
class TSevenGadget : public QFrame {
    Q_OBJECT
public:
    explicit TSevenGadget(int32_t value = 0, QWidget* parent = nullptr);

    void SetValue(int32_t value);
    int32_t Value() const { return m_value; }
    void SetLayout(const SevenSegmentLayout& layout);
    const SevenSegmentLayout& Layout() const { return m_layout; }
    // The digit boxes in widget pixels, as painted.
    std::vector<Rect> DigitRects() const;

    QSize sizeHint() const override { return {56, 28}; }

    QColor background = Qt::black;
    QColor lit = Qt::red;
    QColor unlit = QColor(0x40, 0x40, 0x40);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int32_t m_value;
    SevenSegmentLayout m_layout;
};

}  // namespace mf
