#include "minefield/BestTimes.h"

#include <cstdio>

#include "minefield/Windows1252.h"

namespace mf {

namespace {

std::string Key(char letter, int level)
{
    return std::string(1, letter) + char('0' + level);
}

std::string FullNameKey(int level) { return Key('N', level) + "Utf8"; }

bool IsLevel(int level) { return level >= 0 && level < LevelCount; }

// What the N key holds for a name: at most 29 bytes, one per character.
std::string StoredName(const std::string& name, bool* lossless = nullptr)
{
    return Windows1252FromUtf8(FirstCharacters(name, BestTimes::MaxNameLength), lossless);
}

}  // namespace

BestTimes::BestTimes(ShapeKind shape) : m_shape(shape) { Reset(); }

void BestTimes::Load(const IniFile& ini)
{
    const std::string section(ShapeKeyword(m_shape));
    for (int i = 0; i < LevelCount; ++i) {
        m_times[size_t(i)] = ini.GetInt(section, Key('T', i), 0);
        const std::string stored = ini.GetString(section, Key('N', i), Anonymous, MaxNameLength);
        // A UTF-8 name is at most four bytes a character.
        const std::string full =
            FirstCharacters(ini.GetString(section, FullNameKey(i), "", 4 * MaxNameLength), MaxNameLength);
        const bool usable = !full.empty() && IsUtf8(full) && StoredName(full) == stored;
        m_names[size_t(i)] = usable ? full : Utf8FromWindows1252(stored);
    }
}

void BestTimes::Save(IniFile& ini) const
{
    const std::string section(ShapeKeyword(m_shape));
    for (int i = 0; i < LevelCount; ++i) {
        ini.Set(section, Key('T', i), std::to_string(m_times[size_t(i)]));
        bool lossless = true;
        ini.Set(section, Key('N', i), StoredName(m_names[size_t(i)], &lossless));
        if (lossless)
            ini.Remove(section, FullNameKey(i));
        else
            ini.Set(section, FullNameKey(i), m_names[size_t(i)]);
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
        m_names[size_t(level)] = FirstCharacters(name, MaxNameLength);
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

std::string CongratulationText(int32_t hours, int32_t minutes, int32_t seconds, const TextLookup& text)
{
    if (hours == 0 && minutes == 0 && seconds == 0)
        return text(text::WonInNoTime);
    // The number goes in by hand: a translated text is never a format.
    const auto part = [&text](int id, int32_t n) {
        std::string words = text(id);
        const size_t at = words.find("%d");
        return at == std::string::npos ? words : words.replace(at, 2, std::to_string(n));
    };
    std::string message = text(text::Congratulations);
    if (hours != 0)
        message += part(hours == 1 ? text::OneHour : text::Hours, hours);
    if (minutes != 0)
        message += part(minutes == 1 ? text::OneMinute : text::Minutes, minutes);
    if (seconds != 0)
        message += part(seconds == 1 ? text::OneSecond : text::Seconds, seconds);
    return message;
}

}  // namespace mf
