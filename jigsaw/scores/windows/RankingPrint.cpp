#include "jigsaw/scores/windows/RankingPrint.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <algorithm>

#include "jigsaw/scores/windows/WRanking.h"

namespace qv {

const char* const kRankingDocName = "Quorvane ranking";

namespace {

double screenDpi()
{
    if (QScreen* s = QGuiApplication::primaryScreen(); s && s->logicalDotsPerInchX() > 0)
        return s->logicalDotsPerInchX();
    return 96.0;
}

}  // namespace

fw::Status PrintRanking(QPrinter& printer, const WRanking& window)
{
    printer.setDocName(QString::fromLatin1(kRankingDocName));
    QPainter painter;
    if (!painter.begin(&printer))
        return fw::Status(fw::msg::Cancelled, "(Printer)");
    // The window's fonts have pixel sizes, so one scale carries text and
    // rules alike from screen pixels to printer dots.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect table = window.tableArea();
    double scale = printer.logicalDpiX() / screenDpi();
    if (table.width() > 0)
        scale = std::min(scale, page.width() / static_cast<double>(table.width()));
    painter.scale(scale, scale);
    painter.translate(-table.left(), -table.top());
    window.paintTable(painter, WRanking::Black);
    painter.end();
    return {};
}

}  // namespace qv
