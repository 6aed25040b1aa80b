#include "jigsaw/document/Thumbnail.h"

#include <algorithm>

#include "framework/Bmp.h"
#include "framework/Raster.h"

namespace qv {

fw::Status MakeThumbnail(const fw::Bitmap& thumbnail, const fw::Display& display, std::vector<uint8_t>& bmpBytes,
                         const Progress& progress)
{
    auto part = [&](int from, int to) -> Progress {
        if (!progress)
            return {};
        return [=](int p) { progress(from + p * (to - from) / 100); };
    };
    fw::MemoryStream jpeg;
    fw::Status s = EncodeJpeg(thumbnail, {}, jpeg, 0, 75, 0, nullptr, part(0, 50));
    if (!s.ok())
        return s;
    JpegDecodeRequest request;
    request.colours = display.isPalette16() ? 16 : display.isPalette256() ? 256 : 0;
    if (request.colours == 256)
        request.palette = &fw::Display::defaultPalette();
    request.progress = part(50, 100);
    fw::MemoryStream bmp;
    s = DecodeJpeg(jpeg, 0, bmp, 0, request.colours, request.palette, request.progress);
    if (s.ok())
        bmpBytes = bmp.take();
    return s;
}

fw::Bitmap shrinkForThumbnail(const fw::Bitmap& picture, int maxWidth, int maxHeight)
{
    if (picture.isNull())
        return {};
    double f = std::min({1.0, static_cast<double>(maxWidth) / picture.width(),
                         static_cast<double>(maxHeight) / picture.height()});
    int w = std::max(1, static_cast<int>(picture.width() * f)), h = std::max(1, static_cast<int>(picture.height() * f));
    return fw::scaleArea(picture, w, h);
}

}  // namespace qv
