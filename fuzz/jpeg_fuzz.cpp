// fuzz-links: jigsaw_document
// JPEG streams through our source manager: size only, true colour (whole
// and scaled down), 256 colours with a computed or a given palette, the 16
// system colours, and decoding into a BMP image.
#include "framework/Display.h"
#include "framework/Stream.h"
#include "fuzz/FuzzSupport.h"
#include "jigsaw/document/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const uint8_t mode = in.byte();
    const uint8_t offset = in.byte() & 15;  // the stream may start inside the file
    fw::MemoryStream source(in.data(), in.size());

    int w = 0, h = 0;
    if (!qv::readJpegSize(source, offset, w, h).ok())
        return 0;

    qv::JpegDecodeRequest req;
    switch (mode & 7) {
    case 0: break;
    case 1: req.atLeastWidth = w / 3; req.atLeastHeight = h / 3; break;
    case 2: req.colours = 256; break;
    case 3: req.colours = 256; req.palette = &fw::Display::defaultPalette(); break;
    case 4: req.colours = 16; break;
    case 5: req.colours = 256; req.paletteOnly = true; break;
    default: {
        fw::MemoryStream bmp;
        qv::DecodeJpeg(source, offset, bmp, 3, (mode & 8) ? 256 : 0, nullptr);
        return 0;
    }
    }
    if (mode & 16)
        req.length = in.size() / 2;
    qv::JpegPicture pic;
    if (qv::decodeJpeg(source, offset, req, pic).ok() && !req.paletteOnly &&
        (pic.fullWidth != w || pic.fullHeight != h))
        __builtin_trap();  // the header and the decoder must agree
    return 0;
}
