#include "jigsaw/document/PictureSteps.h"

#include "framework/Bmp.h"
#include "jigsaw/document/Puz.h"

namespace qv {

// A damaged picture block is reported with the name of its puzzle file.
fw::Status PictureSteps::loadPicture(Puz& puz) { return fw::pictureFileStatus(LoadPicture(puz, picture), puz.puzzlePath); }

fw::Status PictureSteps::renderSheets(Puz& puz)
{
    SheetOptions options = sheets;
    // Palette displays cannot show blended edges.
    if (picture.display.isPalette16() && options.edges == EdgeStyle::Blend)
        options.edges = EdgeStyle::Grey;
    return qv::renderSheets(puz, options);
}

void PictureSteps::scatter(Puz& puz)
{
    scatterNewGame(puz, table ? table(puz) : defaultTable(puz, picture.display));
}

ScatterArea PictureSteps::defaultTable(const Puz& puz, const fw::Display& display)
{
    ScatterArea area;
    Point16 frame = const_cast<Puz&>(puz).user().playFrameSize();
    area.width = frame.x > 0 ? frame.x : display.width;
    area.height = frame.y > 0 ? frame.y : display.height;
    const Rect16& pic = puz.pictureRect;
    area.reserved.push_back({static_cast<int16_t>((area.width - pic.w) / 2),
                             static_cast<int16_t>((area.height - pic.h) / 2), pic.w, pic.h});
    return area;
}

}  // namespace qv
