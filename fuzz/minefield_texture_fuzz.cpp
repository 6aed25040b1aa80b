// fuzz-links: minefield_windows
// A texture file the player picks for the mine field: the bytes go through
// the game's own texture decoder, the one its file reader uses, and the
// board is tiled with the result by the board's own painter.
#include <QPainter>

#include "minefield/windows/CellPainter.h"
#include "minefield/windows/TextureFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QImage texture = mf::DecodeTexture(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                                    static_cast<qsizetype>(size)));
    if (texture.isNull())
        return 0;
    if (texture.format() != QImage::Format_RGB32)
        __builtin_trap();  // the painter tiles 32-bit pixels
    QImage board(96, 64, QImage::Format_RGB32);
    QPainter p(&board);
    mf::painter::DrawBackground(p, board.size(), texture, QColor(192, 192, 192));
    return 0;
}
