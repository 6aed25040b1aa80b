#include "minefield/Settings.h"

#include <algorithm>

#include "minefield/BoardGeometry.h"
#include "minefield/Zoom.h"

namespace mf {

namespace {
constexpr size_t kMaxText = 253;
constexpr const char* kLeftChord = "MvLeftChord";
constexpr const char* kMarks = "MvMarks";
constexpr const char* kSafeStart = "MvSafeStart";
constexpr const char* kNoGuess = "MvNoGuess";
constexpr const char* kZoom = "MvZoom";
constexpr const char* kLanguage = "MvLanguage";

void SetOrRemove(IniFile& ini, const char* key, bool on)
{
    if (on)
        ini.Set(Settings::Section, key, "1");
    else
        ini.Remove(Settings::Section, key);
}
}  // namespace

Settings Settings::Read(const IniFile& ini)
{
    Settings s;
    s.level = uint8_t(ini.GetInt(Section, "LEVEL3", 0));
    s.width = std::clamp(ini.GetInt(Section, "WIDTH", 8), 1, MaxColumns);
    s.height = std::clamp(ini.GetInt(Section, "HEIGHT", 8), 1, MaxRows);
    // Fewer mines than cells, or placing them would never end.
    s.mines = std::clamp(ini.GetInt(Section, "MINES", 16), 0, s.width * s.height - 1);
    s.shape = ShapeFromNumber(ini.GetInt(Section, "SHAPE", 1));
    s.color = uint32_t(ParseProfileInt(ini.GetString(Section, "COLOR", "12632256", kMaxText)));
    s.texture = ini.GetString(Section, "TEXTURE", "1", kMaxText);
    s.sound = ini.GetInt(Section, "SOUND", 1) == 1;
    s.leftChord = ini.GetInt(Section, kLeftChord, 0) == 1;
    s.marks = ini.GetInt(Section, kMarks, 0) == 1;
    s.safeStart = ini.GetInt(Section, kSafeStart, 0) == 1;
    s.noGuess = ini.GetInt(Section, kNoGuess, 0) == 1;
    s.zoom = NearestZoom(ini.GetInt(Section, kZoom, DefaultZoom));
    s.language = ini.GetString(Section, kLanguage, "", kMaxText);
    return s;
}

void Settings::Write(IniFile& ini) const
{
    ini.Set(Section, "LEVEL3", std::to_string(level));
    ini.Set(Section, "WIDTH", std::to_string(width));
    ini.Set(Section, "HEIGHT", std::to_string(height));
    ini.Set(Section, "MINES", std::to_string(mines));
    ini.Set(Section, "SHAPE", std::to_string(int(shape)));
    ini.Set(Section, "COLOR", std::to_string(int32_t(color)));
    ini.Set(Section, "TEXTURE", texture);
    ini.Set(Section, "SOUND", sound ? "1" : "0");
    SetOrRemove(ini, kLeftChord, leftChord);
    SetOrRemove(ini, kMarks, marks);
    SetOrRemove(ini, kSafeStart, safeStart);
    SetOrRemove(ini, kNoGuess, noGuess);
    const int shown = NearestZoom(zoom);
    if (shown != DefaultZoom)
        ini.Set(Section, kZoom, std::to_string(shown));
    else
        ini.Remove(Section, kZoom);
    if (!language.empty())
        ini.Set(Section, kLanguage, language);
    else
        ini.Remove(Section, kLanguage);
}

}  // namespace mf
