#include "jigsaw/shell/NewPuzzleRules.h"

#include "jigsaw/document/GridFromCount.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/library/SavedGames.h"
#include "jigsaw/library/Shelves.h"

namespace qv::newpuzzle {

const char* const SixteenColourRefusal =
    "Sorry. Puzzles can only be created running on 256 color mode or higher\r\n(Your video card is configured at 16 "
    "color resolution. Check if is posible to change the configuration, and you'll see a great improvement in the "
    "images)";

namespace {

constexpr int kFirstSizeField = 6000;
constexpr int kTooFewPieces = 1004;

}  // namespace

fw::Status CheckPictureSize(int width, int height)
{
    if (width <= 0 || height <= 0 || int64_t(width) * height < 8)
        return fw::Status(msg::PictureUnusable);
    return {};
}

bool OffersShelfChooser(const Shelves& shelves) { return shelves.CountShelves() > 1; }

std::string PieceCountLabel(int width, int height, std::string_view field)
{
    if (savedgames::IsBlank(field))
        return {};
    Grid g = GridFromCount(width, height, field);
    if (!g.status.ok() || g.rows <= 0 || g.columns <= 0)
        return {};
    return "(" + std::to_string(g.rows * g.columns) + ")";
}

EditorCheck ApplyEditorChoices(Puz& puz, const EditorChoices& choices, int width, int height)
{
    int16_t rows[5] = {}, columns[5] = {};
    int count = 0;
    for (int k = 0; k < 5; ++k) {
        const std::string field = savedgames::TrimBlanks(choices.sizes[k]);
        if (field.empty())
            continue;
        Grid g = GridFromCount(width, height, field);
        if (!g.status.ok())
            return {g.status, kFirstSizeField + k};
        rows[count] = static_cast<int16_t>(g.rows);
        columns[count] = static_cast<int16_t>(g.columns);
        ++count;
    }
    if (count == 0)
        return {fw::Status(kTooFewPieces), kFirstSizeField};
    for (int k = 0; k < 5; ++k) {
        puz.rows[k] = rows[k];
        puz.columns[k] = columns[k];
    }
    puz.stockSizeCount = static_cast<int16_t>(count);
    puz.options = Puz::ImgFull;
    if (choices.noPreview)
        puz.options |= Puz::NoPreview;
    if (choices.noHelp)
        puz.options |= Puz::NoHelp;
    if (choices.noRotate)
        puz.options |= Puz::NoRotable;
    if (choices.mosaic)
        puz.options |= Puz::NoDeform;
    if (choices.offerCustom)
        puz.sizeFlags &= static_cast<uint8_t>(~Puz::NoCustomSize);
    else
        puz.sizeFlags |= Puz::NoCustomSize;
    puz.entry.title = savedgames::TrimBlanks(choices.title);
    puz.rights = choices.rights;
    puz.edit |= Puz::Making;
    return {};
}

std::string DefaultTitle(const std::filesystem::path& picture) { return picture.stem().string(); }

std::filesystem::path NewPuzzlePath(const std::filesystem::path& shelfDir, std::string_view title)
{
    std::string name = savedgames::TrimForFileName(title);
    for (char& c : name) {
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos || c == '\0')
            c = '_';
    }
    if (name.empty() || name.find_first_not_of('.') == std::string::npos)
        name = "Puzzle";
    return shelfDir / (name + ".puz");
}

}  // namespace qv::newpuzzle
