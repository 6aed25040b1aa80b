#pragma once
#include <string>
#include <string_view>

namespace qv::libtext {

// Text ids of the library's windows that are not named elsewhere.
enum : int {
    Shelves = 4600,
    Entries = 4601,
    NewShelf = 4602,          // kind 4: button
    DeleteShelf = 4603,       // kind 4: button
    NewShelfName = 4604,
    ShelfNotMade = 4605,
    DeleteShelfQuestion = 4606,
    MoveTo = 4607,            // kind 4: button
    Size = 4608,
    CustomSize = 4609,
    WrongPassword = 4610,
    Filter = 4611,
    FilterLevel = 4612,
    FilterPlayer = 4613,
    FilterStatus = 4614,
    FilterRotation = 4615,
    FilterPieces = 4616,
    Any = 4617,
    InProgress = 4618,
    Completed = 4619,
    DontAskAgain = 4620,
    Rotating = 4621,
    Shaped = 4622,
    NoPuzzleChosen = 4623,
    SavedGameOf = 4624,
    Close = 4625,
    MoveToShelf = 4626,
    FitZoom = 4630,           // kind 4: button 170 of the editor
    ReplacePuzzle = 4631,
    Rights = 4632,
    ChooseShelf = 4633,
    Shelf = 4634,
};

// A translated text, or the English fallback while the translation files
// lack it.
std::string text(int kind, int id, std::string_view fallback);
inline std::string text(int id, std::string_view fallback) { return text(1, id, fallback); }
// A caption without its '&' marks ("&&" stays one '&').
std::string noAmpersand(const std::string& caption);
// A caption as a title: no '&' marks and no trailing "...".
std::string plain(std::string caption);
// The text with its first "%s" replaced by insert.
std::string fill(std::string text, const std::string& insert);

}  // namespace qv::libtext
