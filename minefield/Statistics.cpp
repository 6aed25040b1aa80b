#include "minefield/Statistics.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace mf {

namespace {

constexpr ShapeKind kShapes[] = {ShapeKind::Square,   ShapeKind::Diamond, ShapeKind::Brick,
                                 ShapeKind::Triangle, ShapeKind::Shifted, ShapeKind::Hexagon};

// "L0".."L4" for the levels, "LC" for the custom row.
std::string Key(int row, const char* what)
{
    return std::string("L") + (row == Statistics::CustomRow ? 'C' : char('0' + row)) + what;
}

// A win is written "3BV/milliseconds"; wins are separated by blanks.
std::string WinText(const WinRecord& w) { return std::to_string(w.threeBV) + "/" + std::to_string(w.milliseconds); }

std::optional<WinRecord> ParseWin(std::string_view text)
{
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    WinRecord w;
    const std::string_view a = text.substr(0, slash), b = text.substr(slash + 1);
    const auto ra = std::from_chars(a.data(), a.data() + a.size(), w.threeBV);
    const auto rb = std::from_chars(b.data(), b.data() + b.size(), w.milliseconds);
    if (ra.ec != std::errc() || ra.ptr != a.data() + a.size() || rb.ec != std::errc() ||
        rb.ptr != b.data() + b.size() || w.threeBV < 1 || w.milliseconds < 0)
        return std::nullopt;
    return w;
}

std::vector<WinRecord> ParseWins(std::string_view text)
{
    std::vector<WinRecord> wins;
    while (!text.empty()) {
        const size_t blank = text.find(' ');
        if (const auto w = ParseWin(text.substr(0, blank)))
            wins.push_back(*w);
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    }
    if (wins.size() > LevelStats::MaxWins)
        wins.erase(wins.begin(), wins.end() - LevelStats::MaxWins);
    return wins;
}

bool Faster(const WinRecord& a, const std::optional<WinRecord>& b) { return !b || a.Rate() > b->Rate(); }

}  // namespace

int32_t ThreeBV(ShapeKind shape, int32_t width, int32_t height, const std::vector<bool>& mine)
{
    const auto index = [width](CellPos p) { return size_t(p.r) * size_t(width) + size_t(p.c); };
    const auto around = [&](CellPos p) { return Neighbours(shape, p, CellPointsUp(shape, p.c, p.r), width, height); };
    std::vector<int32_t> count(size_t(width) * size_t(height), 0);
    for (int32_t r = 0; r < height; ++r)
        for (int32_t c = 0; c < width; ++c)
            for (const CellPos& q : around({c, r}))
                count[index({c, r})] += mine[index(q)];

    std::vector<bool> reached(count.size(), false);
    int32_t clicks = 0;
    std::vector<CellPos> todo;
    for (int32_t r = 0; r < height; ++r) {
        for (int32_t c = 0; c < width; ++c) {
            const CellPos start{c, r};
            if (mine[index(start)] || count[index(start)] != 0 || reached[index(start)])
                continue;
            // One click opens the whole area, as the game's opening does.
            ++clicks;
            reached[index(start)] = true;
            todo.push_back(start);
            while (!todo.empty()) {
                const CellPos p = todo.back();
                todo.pop_back();
                for (const CellPos& q : around(p)) {
                    if (reached[index(q)] || mine[index(q)])
                        continue;
                    reached[index(q)] = true;
                    if (count[index(q)] == 0)
                        todo.push_back(q);
                }
            }
        }
    }
    for (size_t i = 0; i < count.size(); ++i)
        clicks += !mine[i] && !reached[i];
    return clicks;
}

double WinRecord::Rate() const { return threeBV * 1000.0 / std::max(milliseconds, 1); }

void LevelStats::AddWin(const WinRecord& win)
{
    ++played;
    ++won;
    ++streak;
    bestStreak = std::max(bestStreak, streak);
    wins.push_back(win);
    if (wins.size() > MaxWins)
        wins.erase(wins.begin());
    if (Faster(win, best))
        best = win;
}

void LevelStats::AddLoss()
{
    ++played;
    streak = 0;
}

double LevelStats::WinRate() const { return played > 0 ? double(won) / played : 0.0; }

int Statistics::RowOf(int level) { return level >= 0 && level < LevelCount ? level : CustomRow; }

std::string Statistics::SectionOf(ShapeKind shape) { return "MvStats-" + std::string(ShapeKeyword(shape)); }

void Statistics::Load(const IniFile& ini)
{
    for (ShapeKind shape : kShapes) {
        const std::string section = SectionOf(shape);
        for (int row = 0; row < Rows; ++row) {
            LevelStats s;
            s.played = std::max(0, ini.GetInt(section, Key(row, "Played"), 0));
            s.won = std::clamp(ini.GetInt(section, Key(row, "Won"), 0), 0, s.played);
            s.streak = std::clamp(ini.GetInt(section, Key(row, "Streak"), 0), 0, s.won);
            s.bestStreak = std::clamp(ini.GetInt(section, Key(row, "BestStreak"), 0), s.streak, s.won);
            s.wins = ParseWins(ini.GetString(section, Key(row, "Wins"), "", 32 * LevelStats::MaxWins));
            if (s.wins.size() > size_t(s.won))
                s.wins.erase(s.wins.begin(), s.wins.end() - s.won);
            if (s.won > 0)
                s.best = ParseWin(ini.GetString(section, Key(row, "Best"), "", 32));
            // The best win is at least as fast as any of the list.
            for (const WinRecord& w : s.wins)
                if (Faster(w, s.best))
                    s.best = w;
            At(shape, row) = std::move(s);
        }
    }
}

void Statistics::Save(IniFile& ini) const
{
    for (ShapeKind shape : kShapes) {
        const std::string section = SectionOf(shape);
        for (int row = 0; row < Rows; ++row) {
            const LevelStats& s = At(shape, row);
            const char* const keys[] = {"Played", "Won", "Streak", "BestStreak", "Best", "Wins"};
            if (s.played == 0) {
                for (const char* what : keys)
                    ini.Remove(section, Key(row, what));
                continue;
            }
            ini.Set(section, Key(row, "Played"), std::to_string(s.played));
            ini.Set(section, Key(row, "Won"), std::to_string(s.won));
            ini.Set(section, Key(row, "Streak"), std::to_string(s.streak));
            ini.Set(section, Key(row, "BestStreak"), std::to_string(s.bestStreak));
            std::string list;
            for (const WinRecord& w : s.wins)
                list += (list.empty() ? "" : " ") + WinText(w);
            if (s.best) {
                ini.Set(section, Key(row, "Best"), WinText(*s.best));
                ini.Set(section, Key(row, "Wins"), list);
            } else {
                ini.Remove(section, Key(row, "Best"));
                ini.Remove(section, Key(row, "Wins"));
            }
        }
    }
}

void Statistics::Reset(ShapeKind shape)
{
    for (LevelStats& s : m_rows[ShapeIndex(shape)])
        s = LevelStats{};
}

}  // namespace mf
