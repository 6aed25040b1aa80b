// fuzz-links: jigsaw_document
// Pictures a player brings (command line, a dropped file, the make-a-puzzle
// dialog, table textures): the reader tells the format by the content and
// hands it to the BMP, JPEG, PNG, GIF or WebP decoder. Whatever the bytes,
// the answer is a picture or a status, never an exception.
#include "jigsaw/document/PictureFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fw::Bitmap out;
    const fw::Status s = qv::decodePicture(std::vector<uint8_t>(data, data + size), out);
    if (s.ok() == out.isNull())
        __builtin_trap();  // a picture exactly when it succeeded
    return 0;
}
