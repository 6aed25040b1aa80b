#include "jigsaw/library/SaveAsRules.h"

#include "jigsaw/document/Puz.h"
#include "jigsaw/library/FileNames.h"
#include "jigsaw/library/SavedGames.h"

namespace fs = std::filesystem;

namespace qv {

namespace {

// A new password (not the stored one, case aside) is asked a second time.
bool passwordConfirmed(const SaveAsForm& form, const SaveAsGame& game, SaveAsPrompt& prompt)
{
    if (savedgames::IsBlank(form.password) || files::equalIgnoringCase(form.password, game.password))
        return true;
    std::optional<std::string> again = prompt.repeatPassword();
    return again && *again == form.password;
}

bool isOwnFile(const fs::path& found, const SaveAsGame& game)
{
    return !game.savedPath.empty() && files::sameFile(found, game.savedPath);
}

}  // namespace

SaveAsForm InitialSaveAsForm(const Puz& puz, bool autoSave)
{
    SaveAsForm form;
    form.name = savedgames::ProposedName(puz);
    form.player = puz.playerName;
    form.password = puz.password;
    form.autoSave = autoSave;
    return form;
}

SaveAsDecision ConfirmSaveAs(int command, const SaveAsForm& form, const SaveAsGame& game, SaveAsPrompt& prompt)
{
    SaveAsDecision stay;
    if (savedgames::IsBlank(form.name)) {
        prompt.beep();
        return stay;
    }
    if (!passwordConfirmed(form, game, prompt))
        return stay;
    SaveAsDecision d;
    d.command = command;
    d.name = savedgames::TrimBlanks(form.name);
    d.player = savedgames::TrimBlanks(form.player);
    d.password = form.password;
    d.autoSave = form.autoSave;
    d.savedPath = game.savedPath;
    std::optional<fs::path> found = savedgames::FindSavedGame(game.shelfDir, d.name, d.player);
    if (!found) {
        if (command != saveas::SaveOther) {
            d.savedPath = savedgames::SavedGamePath(game.shelfDir, d.name, d.player);
            d.command = saveas::Save;
        }
        d.close = true;
        return d;
    }
    if (!isOwnFile(*found, game)) {
        if (command == saveas::SaveOther) {
            prompt.showNameTaken(*found);
            return stay;
        }
        // The other game is not deleted here: the save replaces that very
        // file as a whole, so a save that fails leaves it as it was.
        if (!prompt.confirmOverwrite(*found))
            return stay;
    }
    if (command != saveas::SaveOther)
        d.savedPath = *found;
    d.close = true;
    return d;
}

void ApplySaveAs(Puz& puz, const SaveAsDecision& decision)
{
    if (!decision.close)
        return;
    puz.savedName = decision.name;
    puz.playerName = decision.player;
    puz.password = decision.password;
    if (!decision.savedPath.empty())
        puz.savedPath = decision.savedPath;
}

}  // namespace qv
