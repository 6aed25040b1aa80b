// The commands of the clipboard: sharing a game's cut, and pasting a
// shared cut, a certificate or a ranking.
#include "framework/qt/Clipboard.h"
#include "framework/qt/MessageBox.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/scores/ClipboardImport.h"
#include "jigsaw/shell/GameControl.h"
#include "jigsaw/shell/SharedCut.h"
#include "jigsaw/shell/windows/LoupeAway.h"
#include "jigsaw/shell/windows/PuzCommands.h"
#include "jigsaw/shell/windows/ShellScoresHost.h"

namespace qv {

void PuzCommands::PasteScores()
{
    const std::string text = fw::Clipboard::text();
    if (SharedCut::LooksShared(text)) {
        PasteSharedCut(text);
        return;
    }
    // A certificate or a ranking text; any other text is left alone.
    ClipboardImport(text, m_parts.live, m_parts.scoresHost);
}

namespace {

// A title from another player's text goes into a markup message box:
// braces in it would be taken for markup.
std::string plainTitle(std::string title)
{
    for (char& c : title) {
        if (c == '{')
            c = '(';
        else if (c == '}')
            c = ')';
    }
    return title;
}

// Texts of the shared cuts.
constexpr int kCutShared = 4710;        // the text is on the clipboard (with the text)
constexpr int kCutQuestion = 4711;      // start a new game so cut? (with the puzzle and its grid)
constexpr int kCutDamaged = 4712;       // refused (with the reason)
constexpr int kCutBadCheck = 4713;      // reason: the check sum
constexpr int kCutMalformed = 4714;     // reason: a part missing or malformed
constexpr int kCutNewer = 4715;         // a newer format
constexpr int kCutNotOnShelf = 4716;    // no shelf has the puzzle (with its title)

}  // namespace

void PuzCommands::ShareCut()
{
    const Puz& puz = m_parts.puz;
    const PuzzleId id = PuzzleId::FromFile(puz.puzzlePath);
    if (id.isZero()) {
        fw::ShowStatus(&window(), fw::Status(msg::CannotOpen, puz.puzzlePath.filename().string()));
        return;
    }
    const std::string text = SharedCut::FromGame(puz, id).Encode();
    fw::Clipboard::setText(text);
    LoupeAway away(window(), true);
    message(kCutShared, fw::mb::Ok | fw::mb::IconInformation, text);
}

void PuzCommands::PasteSharedCut(const std::string& text)
{
    const SharedCut::Decoded decoded = SharedCut::Decode(text);
    std::optional<std::filesystem::path> puzzle;
    {
        LoupeAway away(window(), true);
        puzzle = askSharedCut(decoded);
    }
    // As for any other puzzle opened over the game: a changed game is saved
    // or asked about first, and comes back if the new one does not open.
    if (puzzle && settleChanges())
        m_game.OpenCut(*puzzle, decoded.cut->recipe);
}

std::optional<std::filesystem::path> PuzCommands::askSharedCut(const SharedCut::Decoded& decoded)
{
    if (!decoded.cut) {
        if (decoded.fault == SharedCut::Fault::NewerFormat) {
            message(kCutNewer, fw::mb::Ok | fw::mb::IconInformation);
            return std::nullopt;
        }
        const int reason = decoded.fault == SharedCut::Fault::Checksum ? kCutBadCheck : kCutMalformed;
        message(kCutDamaged, fw::mb::Ok | fw::mb::IconExclamation, text(reason));
        return std::nullopt;
    }
    const SharedCut& cut = *decoded.cut;
    const std::optional<std::filesystem::path> puzzle = m_parts.library.FindPuzzleById(cut.id, cut.title);
    if (!puzzle) {
        message(kCutNotOnShelf, fw::mb::Ok | fw::mb::IconInformation, plainTitle(cut.title));
        return std::nullopt;
    }
    Entry entry;
    fw::Status st = entry.readFile(*puzzle);
    if (st.ok())
        st = cut.recipe.fits(entry);
    if (!st.ok()) {
        fw::ShowStatus(&window(), st);
        return std::nullopt;
    }
    const CutRecipe& r = cut.recipe;
    const std::string what =
        plainTitle(entry.title) + " (" + std::to_string(r.columns) + " x " + std::to_string(r.rows) + ")";
    if (message(kCutQuestion, fw::mb::YesNo | fw::mb::IconQuestion, what) != fw::mb::IdYes)
        return std::nullopt;
    return puzzle;
}

}  // namespace qv
