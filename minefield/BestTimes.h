#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "minefield/BoardGeometry.h"
#include "minefield/IniFile.h"
#include "minefield/ShapeKind.h"
#include "minefield/Texts.h"

namespace mf {

// The five best times (one per level) of one shape, kept in the shape's
// section of mvro.ini as T0..T4 (whole seconds, 0 = none) and N0..N4.
// Names are held as UTF-8. N0..N4 are Windows-1252, which every build
// reads; a name that does not fit it is kept whole in a key of our own
// (N0Utf8..N4Utf8), which counts only while its N key still matches it, so
// a record that another build wrote over it wins.
class BestTimes {
public:
    static constexpr const char* Anonymous = "Anonymous";
    static constexpr size_t MaxNameLength = 29;  // characters

    explicit BestTimes(ShapeKind shape);

    void Load(const IniFile& ini);
    void Save(IniFile& ini) const;

    // A best time when nothing is stored yet or it is strictly faster.
    bool IsBest(int level, int32_t seconds) const;
    // Stores (level, h, m, s, name) when it is a best time; tells whether it was.
    bool Store(int level, int32_t h, int32_t m, int32_t s, const std::string& name);
    void Reset();

    ShapeKind Shape() const { return m_shape; }
    int32_t Time(int level) const { return m_times[size_t(level)]; }
    const std::string& Name(int level) const { return m_names[size_t(level)]; }
    void SetName(int level, const std::string& name);

private:
    ShapeKind m_shape;
    std::array<int32_t, LevelCount> m_times{};
    std::array<std::string, LevelCount> m_names;
};

// "hh:mm:ss" of whole seconds.
std::string FormatClock(int32_t seconds);
// The message after a won game that set no record, in the language of the
// texts given; a game won in under a second has a sentence of its own.
std::string CongratulationText(int32_t hours, int32_t minutes, int32_t seconds,
                               const TextLookup& text = EnglishText);

}  // namespace mf
