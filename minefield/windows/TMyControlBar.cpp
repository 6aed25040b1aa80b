#include "minefield/windows/TMyControlBar.h"

#include <QPainter>

#include "minefield/windows/ColorRef.h"

namespace mf {

TMyControlBar::TMyControlBar(QWidget* parent) : QWidget(parent) { setObjectName("toolBar"); }

void TMyControlBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int right = width() - 1;
    p.setPen(FromColorRef(0x404040));
    p.drawLine(0, 0, right, 0);
    p.drawLine(0, height() - 1, right, height() - 1);
    p.setPen(FromColorRef(0xE0E0E0));
    p.drawLine(0, 1, right, 1);
}

}  // namespace mf
