#include "framework/Options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace fw {

namespace {

// The older one-key form of three bits.
struct OldKey {
    const char* key;
    uint32_t bit;
};
constexpr OldKey kOldKeys[] = {
    {"Mute", opt::Mute},
    {"DefAutoSave", opt::DefAutoSave},
    {"DefCompetition", opt::DefCompetition},
};

// A loupe that the play window could not show (no size, or a window
// larger than any screen) falls back to the default.
bool saneLoupe(int size, double factor)
{
    return size >= 10 && size <= 2000 && std::isfinite(factor) && factor >= 1.0 && factor <= 16.0;
}

void readLoupe(const std::string& text, int& size, double& factor)
{
    size = Options::DefaultLoupeSize;
    factor = Options::DefaultLoupeFactor;
    if (text.empty())
        return;
    const int s = Profile::parseInt(text);
    double f = Options::DefaultLoupeFactor;
    const size_t comma = text.find(',');
    if (comma != std::string::npos) {
        size_t b = comma + 1;
        while (b < text.size() && text[b] == ' ')
            ++b;
        std::from_chars(text.data() + b, text.data() + text.size(), f);
    }
    if (saneLoupe(s, f)) {
        size = s;
        factor = f;
    }
}

std::string loupeText(int size, double factor)
{
    // One decimal as the default "2.0" has, more only when the factor needs
    // them; never the locale's decimal comma, which would split the pair.
    char num[32];
    auto r = std::to_chars(num, num + sizeof num, factor, std::chars_format::fixed, 1);
    double back = 0;
    std::from_chars(num, r.ptr, back);
    if (back != factor)
        r = std::to_chars(num, num + sizeof num, factor);
    return std::to_string(size) + "," + std::string(num, r.ptr);
}

}  // namespace

void Options::load(Profile& profile)
{
    const uint32_t stored = static_cast<uint32_t>(profile.getInt("Options"));
    word = stored;
    bool merged = false;
    for (const OldKey& old : kOldKeys) {
        if (!profile.has({}, old.key))
            continue;
        if (profile.getInt(old.key) != 0)
            word |= old.bit;
        else
            word &= ~old.bit;
        profile.deleteKey({}, old.key);
        merged = true;
    }
    word &= ~opt::Transient;
    if (merged || word != stored)
        profile.setInt({}, "Options", word);

    readLoupe(profile.getString("Loupe"), loupeSize, loupeFactor);
    noSparkle = static_cast<uint8_t>(profile.getInt("NoSparkle"));
    noShadow = static_cast<uint8_t>(profile.getInt("NoShadow"));
    solidShadow = static_cast<uint8_t>(profile.getInt("SolidShadow"));
    ghost = static_cast<uint8_t>(std::clamp<int32_t>(profile.getInt("QvGhost"), 0, MaxGhost));
    gameDefaults = deriveGameDefaults(word);
}

bool Options::save(Profile& profile) const
{
    const bool a = profile.setInt({}, "Options", word);
    const bool b = profile.setString({}, "Loupe", loupeText(loupeSize, loupeFactor));
    const bool c = ghost > 0 ? profile.setInt({}, "QvGhost", ghost) : profile.deleteKey({}, "QvGhost");
    return a && b && c;
}

uint32_t Options::deriveGameDefaults(uint32_t w)
{
    uint32_t g = 0;
    if (w & opt::DefCompetition)
        g |= gameopt::Competition;
    if (w & opt::DefAutoSave)
        g |= gameopt::AutoSave;
    if (w & opt::DefHidePreview)
        g |= gameopt::HidePreview;
    if (w & opt::DefHideBoxes)
        g |= gameopt::HideBoxes;
    if (w & opt::DefHideScore)
        g |= gameopt::HideScore;
    return g;
}

std::filesystem::path Options::resolveProfileName(const std::filesystem::path& programDir, std::string_view name)
{
    std::string n(name);
    if (n.find_first_of("\\/") == std::string::npos) {
        std::filesystem::path p = programDir / n;
        p.replace_extension(".ini");
        return p;
    }
    for (char& c : n)
        if (c == '\\')
            c = '/';
    std::filesystem::path p(n);
    return p.is_absolute() ? p : programDir / p;
}

std::filesystem::path Options::settingsPath(const std::filesystem::path& programDir, std::string_view base)
{
    const std::filesystem::path first = programDir / (std::string(base) + ".ini");
    Profile profile(first);
    profile.setDefaultSection("Main");
    const std::string other = profile.getString("FileProfile");
    return other.empty() ? first : resolveProfileName(programDir, other);
}

}  // namespace fw
