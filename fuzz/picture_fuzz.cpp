// fuzz-links: jigsaw_document
// The picture block of a puzzle file as opening reads it: BMP, JPEG, palette
// block and JPEG, and the picture cache inside the file (read when it fits
// the display, written when it does not), then the scaling to the table.
// The file is opened twice so that a cache written by the first load is
// read by the second.
#include "fuzz/FuzzSupport.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/Puz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const uint8_t mode = in.byte();
    const std::filesystem::path file = fuzz::scratchDir() / "picture.puz";
    fuzz::writeFile(file, in.data(), in.size());

    qv::PictureSettings settings;
    settings.display.width = 640;
    settings.display.height = 480;
    settings.display.paletteSize = (mode & 3) == 1 ? 256 : (mode & 3) == 2 ? 16 : 0;
    settings.display.lowColour = (mode & 3) == 3;
    settings.cacheEnabled = mode & 4;
    settings.freeSpace = [](const std::filesystem::path&) -> uint64_t { return 1u << 30; };

    qv::HeadlessUser user;
    user.screen = {640, 480};
    user.frame = {640, 440};
    for (int round = 0; round < 2; ++round) {
        qv::Puz puz;
        puz.setUser(&user);
        if (!puz.entry.readFile(file).ok())
            return 0;
        puz.puzzlePath = file;
        if (mode & 8)
            puz.options |= qv::Puz::ImgFull;
        if (!qv::LoadPicture(puz, settings).ok())
            return 0;
        if (puz.picture.width() != puz.pictureRect.w || puz.picture.height() != puz.pictureRect.h)
            __builtin_trap();  // the picture must have the size its rectangle says
    }
    return 0;
}
