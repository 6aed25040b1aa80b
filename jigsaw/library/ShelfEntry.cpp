#include "jigsaw/library/ShelfEntry.h"

#include <algorithm>

#include "jigsaw/document/Entry.h"
#include "jigsaw/document/HeaderString.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/library/FileNames.h"
#include "jigsaw/library/SavedGameHead.h"

namespace qv {

namespace {

uint8_t puzzleOptions(const std::string& header)
{
    HeaderString h(header);
    uint8_t flags = 0;
    if (h.takeFlag("NoRotable"))
        flags |= ShelfEntry::NoRotable;
    if (h.takeFlag("NoHelp"))
        flags |= ShelfEntry::NoHelp;
    if (h.takeFlag("NoDeform"))
        flags |= ShelfEntry::Mosaic;
    if (h.takeFlag("NoPreview"))
        flags |= ShelfEntry::NoPreview;
    if (h.takeFlag("ImgFull"))
        flags |= ShelfEntry::ImgFull;
    return flags;
}

// The title of a puzzle: the preamble's where the file has one; older
// files only have "Tit:", read with "/" alone so a "-" stays in the title.
std::string puzzleTitle(const Entry& e)
{
    if (e.madeByVersion >= 199)
        return e.title;
    HeaderString h(e.header);
    return h.take("Tit:").value_or(std::string());
}

int32_t savedFlags(const SavedGameHead& head)
{
    HeaderString h(head.header);
    int32_t flags = 0;
    if (h.takeFlag("NoRotable"))
        flags |= ShelfEntry::SavedNoRotable;
    if (h.takeFlag("NoHelp"))
        flags |= ShelfEntry::SavedNoHelp;
    if (h.takeFlag("NoDeform"))
        flags |= ShelfEntry::SavedMosaic;
    if (auto end = h.take("dateEnd:"); end && HeaderString::parseNumber(*end) != 0)
        flags |= ShelfEntry::SavedComplete;
    if (!head.password.empty())
        flags |= ShelfEntry::SavedHasPassword;
    return flags;
}

}  // namespace

bool ShelfEntry::tooNew() const { return kind == Kind::Puzzle && requiredVersion > Entry::NewestReadable; }

ShelfEntry::Kind ShelfEntry::kindOf(const std::filesystem::path& file)
{
    return files::equalIgnoringCase(file.extension().string(), ".sav") ? Kind::SavedGame : Kind::Puzzle;
}

ShelfEntry ShelfEntry::read(const std::filesystem::path& file, Kind kind)
{
    return kind == Kind::SavedGame ? readSavedGame(file) : readPuzzle(file);
}

ShelfEntry ShelfEntry::readPuzzle(const std::filesystem::path& file)
{
    ShelfEntry out;
    out.kind = Kind::Puzzle;
    out.path = file;
    out.fileName = file.filename().string();
    Entry e;
    fw::Status st = e.readFile(file);
    if (!st.ok() && !e.tooNew) {
        out.status = st;
        return out;
    }
    out.formatVersion = e.madeByVersion;
    out.requiredVersion = e.requiredVersion;
    out.title = puzzleTitle(e);
    out.sizeCount = e.tooNew ? 1 : static_cast<int16_t>(std::clamp<int>(e.sizeCount, 0, 5));
    for (int k = 0; k < 5; ++k) {
        out.columns[k] = e.columns[k];
        out.rows[k] = e.rows[k];
    }
    out.optionFlags = puzzleOptions(e.header);
    out.noCustom = e.noCustom;
    return out;
}

ShelfEntry ShelfEntry::readSavedGame(const std::filesystem::path& file)
{
    ShelfEntry out;
    out.kind = Kind::SavedGame;
    out.path = file;
    out.fileName = file.filename().string();
    SavedGameHead head;
    out.status = SavedGameHead::read(file, head);
    if (!out.status.ok())
        return out;
    out.puzzleFile = head.puzzlePath.filename().string();
    out.sizeIndex = static_cast<int16_t>(head.sizeIndex);
    HeaderString h(head.header);
    out.title = h.take("Tit:").value_or(std::string());
    Entry puzzle;
    const bool havePuzzle = puzzle.readFile(head.puzzlePath).ok();
    if (out.title.empty() && havePuzzle)
        out.title = puzzleTitle(puzzle);
    if (head.sizeIndex == Puz::CustomSize) {
        out.savedRows = head.customRows;
        out.savedColumns = head.customColumns;
    } else if (havePuzzle) {
        out.savedRows = puzzle.rows[head.sizeIndex];
        out.savedColumns = puzzle.columns[head.sizeIndex];
    }
    out.savedNumber = savedFlags(head);
    out.savedText = head.player;
    return out;
}

}  // namespace qv
