#include "minefield/BestTimes.h"

#include <cstdio>

namespace mf {

namespace {

std::string Key(char letter, int level)
{
    return std::string(1, letter) + char('0' + level);
}

bool IsLevel(int level) { return level >= 0 && level < LevelCount; }

}  // namespace

BestTimes::BestTimes(ShapeKind shape) : m_shape(shape) { Reset(); }

void BestTimes::Load(const IniFile& ini)
{
    const std::string section(ShapeKeyword(m_shape));
    for (int i = 0; i < LevelCount; ++i) {
        m_times[size_t(i)] = ini.GetInt(section, Key('T', i), 0);
        m_names[size_t(i)] = ini.GetString(section, Key('N', i), Anonymous, MaxNameLength);
    }
}

void BestTimes::Save(IniFile& ini) const
{
    const std::string section(ShapeKeyword(m_shape));
    for (int i = 0; i < LevelCount; ++i) {
        ini.Set(section, Key('T', i), std::to_string(m_times[size_t(i)]));
        ini.Set(section, Key('N', i), m_names[size_t(i)]);
    }
}

bool BestTimes::IsBest(int level, int32_t seconds) const
{
    if (!IsLevel(level))
        return false;
    const int32_t stored = m_times[size_t(level)];
    return stored == 0 || seconds < stored;
}

bool BestTimes::Store(int level, int32_t h, int32_t m, int32_t s, const std::string& name)
{
    const int32_t total = 3600 * h + 60 * m + s;
    if (!IsBest(level, total))
        return false;
    m_times[size_t(level)] = total;
    SetName(level, name);
    return true;
}

void BestTimes::SetName(int level, const std::string& name)
{
    if (IsLevel(level))
        m_names[size_t(level)] = name.substr(0, MaxNameLength);
}

void BestTimes::Reset()
{
    m_times.fill(0);
    m_names.fill(Anonymous);
}

std::string FormatClock(int32_t seconds)
{
    char text[40];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, (seconds % 3600) / 60,
                  seconds % 60);
    return text;
}

std::string CongratulationText(int32_t hours, int32_t minutes, int32_t seconds)
{
    std::string text = "Congratulations. You solved the game in ";
    char part[40];
    if (hours != 0) {
        std::snprintf(part, sizeof part, hours == 1 ? "%d hour " : "%d hours ", hours);
        text += part;
    }
    if (minutes != 0) {
        std::snprintf(part, sizeof part, minutes == 1 ? "%d minute " : "%d minutes ", minutes);
        text += part;
    }
    if (seconds != 0) {
        std::snprintf(part, sizeof part, seconds == 1 ? "%d second." : "%d seconds.", seconds);
        text += part;
    }
    return text;
}

}  // namespace mf
