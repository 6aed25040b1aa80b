#include "jigsaw/scores/ScoreRecord.h"

#include <algorithm>

#include "jigsaw/scores/ScoreText.h"

namespace qv {

namespace {
constexpr char kPartSeparator = '\x01';
}

bool ScoreRecord::hasBlankKey() const { return trimBlanks(key).empty(); }

std::string ScoreRecord::storedKey() const
{
    if (pieces == 0)
        return key;
    std::string s = key;
    s += kPartSeparator;
    s += '1';
    s += kPartSeparator;
    s += std::to_string(pieces);
    s += kPartSeparator;
    s += extra;
    return s;
}

void ScoreRecord::setStoredKey(const std::string& stored)
{
    pieces = 0;
    extra.clear();
    size_t first = stored.find(kPartSeparator);
    key = stored.substr(0, first);
    if (first == std::string::npos)
        return;
    size_t second = stored.find(kPartSeparator, first + 1);
    // Only layout 1 is known; any other value leaves the rest unread.
    if (leadingInt(std::string_view(stored).substr(first + 1, second - first - 1)) != 1 || second == std::string::npos)
        return;
    size_t third = stored.find(kPartSeparator, second + 1);
    pieces = static_cast<int16_t>(leadingInt(std::string_view(stored).substr(second + 1, third - second - 1)));
    if (third != std::string::npos)
        extra = stored.substr(third + 1);
}

void ScoreRecord::write(fw::ByteWriter& out) const
{
    out.text(storedKey());
    out.text(owner);
    out.text(player);
    out.i32(score);
    out.i32(time);
    out.u16(helps);
    out.u16(moves);
    out.u16(solved);
}

ScoreRecord ScoreRecord::read(fw::ByteReader& in)
{
    ScoreRecord r;
    r.setStoredKey(in.text());
    r.owner = in.text();
    r.player = in.text();
    r.score = in.i32();
    r.time = in.i32();
    r.helps = in.u16();
    r.moves = in.u16();
    r.solved = in.u16();
    return r;
}

std::string cleanPlayerName(const std::string& name)
{
    std::string s = name;
    std::replace(s.begin(), s.end(), '\xB7', ' ');
    return trimBlanks(s);
}

}  // namespace qv
