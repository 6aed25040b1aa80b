// fuzz-links: minefield_windows
// A texture file the player picks for the mine field. The game loads it
// with the toolkit's image reader (any format it knows, BMP first of all),
// converts it to 32-bit pixels and tiles the board with it; this target
// does the same with the bytes in memory and the board's own painter.
#include <QImage>
#include <QPainter>

#include "minefield/windows/CellPainter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QImage image = QImage::fromData(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                           static_cast<qsizetype>(size)));
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return 0;
    const QImage texture = image.convertToFormat(QImage::Format_RGB32);
    QImage board(96, 64, QImage::Format_RGB32);
    QPainter p(&board);
    mf::painter::DrawBackground(p, board.size(), texture, QColor(192, 192, 192));
    return 0;
}
