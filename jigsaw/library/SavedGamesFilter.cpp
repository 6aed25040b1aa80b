#include "jigsaw/library/SavedGamesFilter.h"

#include "framework/Profile.h"
#include "jigsaw/library/FileNames.h"
#include "jigsaw/library/SavedGames.h"
#include "jigsaw/library/ShelfEntry.h"

namespace qv {

namespace {

constexpr const char* kSection = "OptsLoad";

bool any(const std::string& value)
{
    std::string v = savedgames::TrimBlanks(value);
    return v.empty() || v == "*";
}

// "0"/"1" against a yes-or-no fact; any other value lets everything through.
bool flagMatches(const std::string& value, bool fact)
{
    if (any(value))
        return true;
    const std::string v = savedgames::TrimBlanks(value);
    if (v == "1")
        return fact;
    if (v == "0")
        return !fact;
    return true;
}

}  // namespace

SavedGamesFilter SavedGamesFilter::Load(const fw::Profile& settings)
{
    SavedGamesFilter f;
    f.level = settings.getString(kSection, "Level");
    f.player = settings.getString(kSection, "Player");
    f.status = settings.getString(kSection, "Status");
    f.nonRotate = settings.getString(kSection, "NonRotate");
    f.mosaic = settings.getString(kSection, "Mosaic");
    return f;
}

bool SavedGamesFilter::Save(fw::Profile& settings) const
{
    bool ok = settings.setString(kSection, "Level", level);
    ok = settings.setString(kSection, "Player", player) && ok;
    ok = settings.setString(kSection, "Status", status) && ok;
    ok = settings.setString(kSection, "NonRotate", nonRotate) && ok;
    return settings.setString(kSection, "Mosaic", mosaic) && ok;
}

bool SavedGamesFilter::Matches(const ShelfEntry& e) const
{
    if (e.kind != ShelfEntry::Kind::SavedGame)
        return true;
    if (!any(level) && savedgames::TrimBlanks(level) != std::to_string(e.sizeIndex))
        return false;
    if (!any(player) && !files::equalIgnoringCase(savedgames::TrimBlanks(player), e.savedText))
        return false;
    return flagMatches(status, e.savedNumber & ShelfEntry::SavedComplete) &&
           flagMatches(nonRotate, e.savedNumber & ShelfEntry::SavedNoRotable) &&
           flagMatches(mosaic, e.savedNumber & ShelfEntry::SavedMosaic);
}

}  // namespace qv
