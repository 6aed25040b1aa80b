// fuzz-links: framework
// Windows bitmap files (thumbnails, pictures brought by the player, flags of
// translation files): every header field and the pixel rows.
#include "framework/Bmp.h"
#include "framework/Stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int w = 0, h = 0;
    {
        fw::MemoryStream in(data, size);
        fw::readBmpSize(in, w, h);
    }
    fw::MemoryStream in(data, size);
    fw::Bitmap bmp;
    std::vector<uint32_t> palette;
    if (!fw::readBmp(in, bmp, &palette).ok())
        return 0;
    if (bmp.width() != w || bmp.height() != h)
        __builtin_trap();  // both readers must agree on the size
    // What was read writes and reads back to the same pixels.
    fw::MemoryStream out;
    if (!fw::writeBmp(out, bmp) || out.size() != fw::bmpFileSize(bmp))
        __builtin_trap();
    out.seek(0);
    fw::Bitmap again;
    if (!fw::readBmp(out, again).ok() || again.width() != bmp.width() || again.height() != bmp.height())
        __builtin_trap();
    return 0;
}
