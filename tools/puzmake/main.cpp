// puzmake PICTURE OUT.puz [--title T] [--sizes N,N,...] [--norotate]
//         [--nodeform] [--nopreview] [--nohelp] [--nocustom]
// Makes a puzzle file from a JPEG or BMP picture with the same code the
// puzzle editor uses: sizes by piece count, thumbnail, palette block.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/Display.h"
#include "jigsaw/document/GridFromCount.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/Thumbnail.h"

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: puzmake PICTURE OUT.puz [--title T] [--sizes N,N,...] [--norotate] [--nodeform]\n"
                 "               [--nopreview] [--nohelp] [--nocustom]\n");
    return 2;
}

std::vector<std::string> splitSizes(const std::string& list)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        if (comma > start)
            out.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return out;
}

bool isJpeg(const char* path)
{
    std::FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    unsigned char b[2] = {0, 0};
    size_t n = std::fread(b, 1, 2, f);
    std::fclose(f);
    return n == 2 && b[0] == 0xFF && b[1] == 0xD8;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    const char* picturePath = argv[1];
    const char* outPath = argv[2];
    qv::Puz puz;
    puz.edit = qv::Puz::Making;
    std::string sizes = "24,60,120,240,480";
    std::string title = std::filesystem::path(picturePath).stem().string();
    for (int i = 3; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--title" && i + 1 < argc)
            title = argv[++i];
        else if (a == "--sizes" && i + 1 < argc)
            sizes = argv[++i];
        else if (a == "--norotate")
            puz.options |= qv::Puz::NoRotable;
        else if (a == "--nodeform")
            puz.options |= qv::Puz::NoDeform;
        else if (a == "--nopreview")
            puz.options |= qv::Puz::NoPreview;
        else if (a == "--nohelp")
            puz.options |= qv::Puz::NoHelp;
        else if (a == "--nocustom")
            puz.sizeFlags |= qv::Puz::NoCustomSize;
        else
            return usage();
    }
    fw::Bitmap picture;
    fw::Status s = qv::readPictureFile(picturePath, picture);
    if (!s.ok()) {
        std::fprintf(stderr, "puzmake: %s: cannot read the picture (%s)\n", picturePath, s.text.c_str());
        return 1;
    }
    const auto counts = splitSizes(sizes);
    if (counts.empty() || counts.size() > 5) {
        std::fprintf(stderr, "puzmake: give one to five sizes\n");
        return 2;
    }
    for (size_t i = 0; i < counts.size(); ++i) {
        qv::Grid g = qv::GridFromCount(picture.width(), picture.height(), counts[i]);
        if (!g.status.ok()) {
            std::fprintf(stderr, "puzmake: size %s does not fit this picture (message %d)\n", counts[i].c_str(),
                         g.status.id);
            return 2;
        }
        puz.rows[i] = static_cast<int16_t>(g.rows);
        puz.columns[i] = static_cast<int16_t>(g.columns);
    }
    puz.stockSizeCount = static_cast<int16_t>(counts.size());
    puz.entry.title = title;
    qv::PictureSource source;
    if (isJpeg(picturePath))
        source.jpegFile = picturePath;
    else
        source.bitmap = picture;
    const fw::Bitmap thumbnail = qv::shrinkForThumbnail(picture, 120, 90);
    s = qv::WritePuzzleFile(puz, outPath, source, thumbnail, fw::Display());
    if (!s.ok()) {
        std::fprintf(stderr, "puzmake: %s: cannot write the puzzle (message %d %s)\n", outPath, s.id, s.text.c_str());
        return 1;
    }
    return 0;
}
