#include "jigsaw/library/SavedGames.h"

#include "framework/UserFolders.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/library/FileNames.h"
#include "jigsaw/library/SavedGameHead.h"

namespace fs = std::filesystem;

namespace qv::savedgames {

namespace {

bool isBlankChar(char c) { return c == ' ' || c == '\t'; }

bool isForbidden(char c)
{
    switch (c) {
    case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|': case '.':
        return true;
    default:
        return false;
    }
}

}  // namespace

std::string TrimForFileName(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) < 33)
        text.remove_prefix(1);
    while (!text.empty() && isBlankChar(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string TrimBlanks(std::string_view text)
{
    while (!text.empty() && isBlankChar(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlankChar(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

bool IsBlank(std::string_view text) { return TrimBlanks(text).empty(); }

std::string BaseName(std::string_view name, std::string_view player)
{
    return BaseName(name, player, TrimForFileName(player).empty() ? fw::AccountName() : std::string());
}

std::string BaseName(std::string_view name, std::string_view player, std::string_view account)
{
    std::string by = TrimForFileName(player);
    if (by.empty())
        by = TrimForFileName(account);
    std::string base = TrimForFileName(name);
    if (!by.empty())
        base += " by " + by;
    for (char& c : base) {
        // A zero byte cannot be part of a file name at all.
        if (isForbidden(c) || c == '\0')
            c = '_';
    }
    return base;
}

fs::path SavedGamePath(const fs::path& shelfDir, std::string_view name, std::string_view player)
{
    return shelfDir / (BaseName(name, player) + ".sav");
}

std::optional<fs::path> FindSavedGame(const fs::path& shelfDir, std::string_view name, std::string_view player)
{
    if (auto own = files::findIgnoringCase(shelfDir, SavedGamePath(shelfDir, name, player).filename().string()))
        return own;
    for (const fs::path& p : files::listFiles(shelfDir, ".sav")) {
        auto head = SavedGameHead::read(p);
        if (head && files::equalIgnoringCase(head->name, name) && files::equalIgnoringCase(head->player, player))
            return p;
    }
    return std::nullopt;
}

std::string ProposedName(std::string_view title, int pieces, uint16_t optionFlags)
{
    std::string name = std::string(title) + "-" + std::to_string(pieces);
    if (optionFlags & Puz::NoRotable)
        name += 'R';
    if (optionFlags & Puz::NoDeform)
        name += 'M';
    return name;
}

std::string ProposedName(const Puz& puz)
{
    if (!puz.savedPath.empty())
        return puz.savedName;
    return ProposedName(puz.title(), puz.pieceCount(), puz.options);
}

}  // namespace qv::savedgames
