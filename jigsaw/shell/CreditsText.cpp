#include "jigsaw/shell/CreditsText.h"

#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

// Braces would end an item early; the roll has no way to quote them.
std::string plain(std::string s)
{
    for (char& c : s) {
        if (c == '{')
            c = '(';
        else if (c == '}')
            c = ')';
    }
    return s;
}

}  // namespace

std::string CreditsText::build(const Puz& puz, const std::function<std::string(int)>& text,
                               const std::string& versionText, const std::string& programDir, bool hasThumbnail)
{
    std::string out = "\\fnt1:Times New Roman,28,BOLD\\fnt2:MS Sans Serif,15\\fnt3:MS Serif,14"
                      "\\fnt4:MS Serif,13\\fnt5:MS Serif,8\\snd:credits.wav ";
    const bool open = puz.pieceCount() > 0;
    if (open && puz.entry.directory.pictureKind != 0) {
        out += "{RGB=128,255,255 fnt=5 ";
        out += "Decompression of the image based in part of the work of the\nIndependent JPEG Group\n\n";
        out += "}";
    }
    if (open) {
        if (hasThumbnail)
            out += "{@bmp:" + std::to_string(Thumbnail) + "}";
        out += "{RGB=0,255,255 fnt=3 " + plain(puz.title()) + "}";
        out += "{RGB=0,255,255,fnt=5 " + plain(puz.rights) + "\n}\n";
    } else {
        out += "{RGB=0,255,255 fnt=3 " + plain(programDir) + "}\n";
    }
    out += "{@icon:" + std::to_string(Icon) + "}";
    out += "{RGB=255,255,0 fnt=1 Quorvane}{RGB=255,255,0 fnt=4 \n" + plain(versionText) + "\n}";
    out += "{@icon2:" + std::to_string(Icon2) + "}";
    out += "{RGB=0,255,255 fnt=3 \n" + plain(text(513)) + "}";
    out += "{RGB=0,255,255 fnt=4 \nthe Quorvane team\n";
    const std::string translators = text(713);
    if (!translators.empty())
        out += "\n" + plain(translators) + "\n";
    out += "}";
    out += "{RGB=0,255,255 fnt=4 \n" + plain(text(712)) +
           "\n\nEvery piece cut by hand-made knobs of our own.\nNo picture was harmed in the making of this puzzle.\n}";
    out += "{@icon:" + std::to_string(Icon) + "}{RGB=0,0,0 fnt=4 \xB7\n}";
    return out;
}

}  // namespace qv
