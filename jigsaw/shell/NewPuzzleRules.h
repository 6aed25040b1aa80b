#pragma once
#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "framework/Status.h"

namespace qv {

class Puz;
class Shelves;

namespace msg {
constexpr int PictureUnusable = 1008;  // the picture cannot be loaded or has fewer than 8 pixels
}  // namespace msg

// The rules of making a new puzzle that need no window.
namespace newpuzzle {

// Shown, in every language, when the screen has 16 colours or fewer.
extern const char* const SixteenColourRefusal;

// A picture must have at least 8 pixels; otherwise message 1008.
fw::Status CheckPictureSize(int width, int height);

// The editor offers the shelf chooser (6019/6020) only when there is more
// than one shelf.
bool OffersShelfChooser(const Shelves& shelves);

// What the editor's panel holds when OK is pressed.
struct EditorChoices {
    std::array<std::string, 5> sizes;  // fields 6000..6004: "RxC" or a piece count; empty = none
    bool offerCustom = true;           // 6013
    bool noPreview = false;            // 6014
    bool noHelp = false;               // 6015
    bool noRotate = false;             // our own choices for the puzzle maker
    bool mosaic = false;
    std::string title;                 // 6010
    std::string rights;                // "(c):" notice
};

// Where a failed check points: the control to focus and the message.
struct EditorCheck {
    fw::Status status;
    int control = 0;
    bool ok() const { return status.ok(); }
};

// The piece count a size field gives for the (cropped) picture, for the
// labels 110..114: "(300)", or empty when the field gives no grid.
std::string PieceCountLabel(int width, int height, std::string_view field);

// Checks the choices (at least one size, every non-empty size a grid the
// picture allows) and sets the document up for writing: option flags,
// title, stock sizes without gaps, "nocustom", the making flag.
EditorCheck ApplyEditorChoices(Puz& puz, const EditorChoices& choices, int width, int height);

// The title proposed for a picture: its file name without extension.
std::string DefaultTitle(const std::filesystem::path& picture);
// The new puzzle file of a title on a shelf: the title made a file name.
std::filesystem::path NewPuzzlePath(const std::filesystem::path& shelfDir, std::string_view title);

}  // namespace newpuzzle
}  // namespace qv
