#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "minefield/BoardGeometry.h"
#include "minefield/ShapeKind.h"

namespace {

std::string RunBoardTool(const std::string& arguments)
{
    const std::string command = std::string(MVRO_BOARD) + " " + arguments;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {};
    std::string out;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    EXPECT_EQ(::pclose(pipe), 0) << command;
    return out;
}

// A plain player of its own, written apart from the game's solver and fed
// only with what the program printed: the neighbour lists and the numbers.
// It opens and flags only what one number, two numbers or the mines left
// force, and every cell it settles is checked against the printed mines.
class PlainPlayer {
public:
    PlainPlayer(std::vector<std::vector<int>> neighbours, std::vector<int> counts, std::vector<bool> mines)
        : m_nb(std::move(neighbours)), m_count(std::move(counts)), m_mine(std::move(mines)),
          m_state(m_nb.size(), Covered)
    {
        m_total = int(std::count(m_mine.begin(), m_mine.end(), true));
    }

    // Empty when the board was cleared, else what went wrong.
    std::string Clear(int first)
    {
        Settle(first, false);
        while (m_error.empty() && Safe() < int(m_nb.size()) - m_total) {
            if (!Numbers() && !Pairs() && !MinesLeft())
                return "stuck with " + std::to_string(Safe()) + " cells open";
        }
        return m_error;
    }

private:
    enum State { Covered, Open, Flagged };

    int Safe() const { return int(std::count(m_state.begin(), m_state.end(), Open)); }
    std::set<int> CoveredAround(int a) const
    {
        std::set<int> s;
        for (int q : m_nb[size_t(a)])
            if (m_state[size_t(q)] == Covered)
                s.insert(q);
        return s;
    }
    int Missing(int a) const
    {
        int flagged = 0;
        for (int q : m_nb[size_t(a)])
            flagged += m_state[size_t(q)] == Flagged;
        return m_count[size_t(a)] - flagged;
    }
    bool Settle(int cell, bool mine)
    {
        if (m_state[size_t(cell)] != Covered)
            return false;
        if (mine != m_mine[size_t(cell)])
            m_error = "cell " + std::to_string(cell) + " settled wrongly";
        m_state[size_t(cell)] = mine ? Flagged : Open;
        return true;
    }
    bool SettleAll(const std::set<int>& cells, bool mine)
    {
        bool any = false;
        for (int c : cells)
            any |= Settle(c, mine);
        return any;
    }
    // Open numbers that still have covered cells around them.
    std::vector<int> Frontier() const
    {
        std::vector<int> v;
        for (size_t a = 0; a < m_nb.size(); ++a)
            if (m_state[a] == Open && !CoveredAround(int(a)).empty())
                v.push_back(int(a));
        return v;
    }
    bool Numbers()
    {
        bool any = false;
        for (int a : Frontier()) {
            const std::set<int> u = CoveredAround(a);
            const int need = Missing(a);
            if (need == 0)
                any |= SettleAll(u, false);
            else if (need == int(u.size()))
                any |= SettleAll(u, true);
        }
        return any;
    }
    bool Pairs()
    {
        const std::vector<int> numbers = Frontier();
        for (int a : numbers) {
            const std::set<int> ua = CoveredAround(a);
            for (int b : numbers) {
                if (a == b)
                    continue;
                const std::set<int> ub = CoveredAround(b);
                std::set<int> onlyA, onlyB;
                std::set_difference(ua.begin(), ua.end(), ub.begin(), ub.end(), std::inserter(onlyA, onlyA.end()));
                std::set_difference(ub.begin(), ub.end(), ua.begin(), ua.end(), std::inserter(onlyB, onlyB.end()));
                if (onlyA.size() == ua.size())
                    continue;  // nothing shared
                const int na = Missing(a), nb = Missing(b);
                // a's cells within b's: the rest of b holds the difference.
                if (onlyA.empty() && !onlyB.empty() && (nb == na || nb - na == int(onlyB.size())))
                    return SettleAll(onlyB, nb != na);
                // a needs so many more than b that all of a's own are mines.
                if (!onlyA.empty() && na - nb == int(onlyA.size()))
                    return SettleAll(onlyA, true) | SettleAll(onlyB, false);
            }
        }
        return false;
    }
    bool MinesLeft()
    {
        int flagged = 0;
        std::set<int> covered;
        for (size_t i = 0; i < m_nb.size(); ++i) {
            flagged += m_state[i] == Flagged;
            if (m_state[i] == Covered)
                covered.insert(int(i));
        }
        const int left = m_total - flagged;
        if (left == 0 || left == int(covered.size()))
            return SettleAll(covered, left != 0);
        // Numbers without shared cells hold exactly their missing mines
        // between them; the cells outside hold the rest.
        std::set<int> inside;
        int insideMines = 0;
        const auto restIs = [&](const std::set<int>& in, int inMines) {
            std::set<int> rest;
            std::set_difference(covered.begin(), covered.end(), in.begin(), in.end(), std::inserter(rest, rest.end()));
            const int restMines = left - inMines;
            return !rest.empty() && (restMines == 0 || restMines == int(rest.size())) && SettleAll(rest, restMines != 0);
        };
        for (int a : Frontier()) {
            const std::set<int> u = CoveredAround(a);
            if (restIs(u, Missing(a)))
                return true;
            if (std::none_of(u.begin(), u.end(), [&](int c) { return inside.count(c) != 0; })) {
                inside.insert(u.begin(), u.end());
                insideMines += Missing(a);
            }
        }
        return restIs(inside, insideMines);
    }

    std::vector<std::vector<int>> m_nb;
    std::vector<int> m_count;
    std::vector<bool> m_mine;
    std::vector<State> m_state;
    int m_total = 0;
    std::string m_error;
};

const char* const kShapeNames[] = {"square", "diamond", "brick", "triangle", "shifted", "hexagon"};

}  // namespace

// Every shape and level: the printed boards are consistent (neighbour lists
// that go both ways, numbers that count the printed mines, a first click
// that opens an area) and a player of its own clears them without a guess.
TEST(MvroBoard, NoGuessBoardsOfEveryShapeAndLevelAreClearedByAPlainPlayer)
{
    for (int shape = 1; shape <= mf::ShapeCount; ++shape) {
        for (int level = 0; level < mf::LevelCount; ++level) {
            const std::string args = std::string("--shape ") + kShapeNames[shape - 1] + " --level " +
                                     std::to_string(level) + " --noguess --count 3 --seed " +
                                     std::to_string(100 * shape + level);
            const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(RunBoardTool(args)));
            ASSERT_TRUE(doc.isArray()) << args;
            ASSERT_EQ(doc.array().size(), 3) << args;
            const mf::Preset preset = *mf::PresetFor(level, mf::ShapeFromNumber(shape));
            for (const QJsonValue& value : doc.array()) {
                const QJsonObject board = value.toObject();
                const std::string where = args + " seed " + std::to_string(board["seed"].toInt());
                ASSERT_EQ(board["width"].toInt(), preset.width) << where;
                ASSERT_EQ(board["height"].toInt(), preset.height) << where;
                const QJsonArray cells = board["cells"].toArray();
                ASSERT_EQ(cells.size(), preset.width * preset.height) << where;
                std::vector<std::vector<int>> nb(size_t(cells.size()));
                std::vector<int> counts(size_t(cells.size()));
                std::vector<bool> mines(size_t(cells.size()));
                for (qsizetype i = 0; i < cells.size(); ++i) {
                    const QJsonObject cell = cells[i].toObject();
                    ASSERT_EQ(cell["cell"].toInt(), i) << where;
                    for (const QJsonValue& q : cell["neighbours"].toArray())
                        nb[size_t(i)].push_back(q.toInt());
                    counts[size_t(i)] = cell["count"].toInt();
                    mines[size_t(i)] = cell["mine"].toBool();
                }
                const QJsonArray mineList = board["mines"].toArray();
                ASSERT_EQ(mineList.size(), preset.mines) << where;
                for (const QJsonValue& m : mineList)
                    ASSERT_TRUE(mines[size_t(m.toInt())]) << where;
                for (size_t i = 0; i < nb.size(); ++i) {
                    int around = 0;
                    for (int q : nb[i]) {
                        ASSERT_TRUE(q >= 0 && size_t(q) < nb.size() && size_t(q) != i) << where;
                        ASSERT_EQ(std::count(nb[size_t(q)].begin(), nb[size_t(q)].end(), int(i)), 1)
                            << where << ": " << i << " and " << q << " are neighbours one way only";
                        around += mines[size_t(q)];
                    }
                    ASSERT_EQ(counts[i], around) << where << " cell " << i;
                }
                const int first = board["first"].toObject()["cell"].toInt();
                ASSERT_FALSE(mines[size_t(first)]) << where;
                EXPECT_EQ(counts[size_t(first)], 0) << where;
                EXPECT_TRUE(board["opening"].toBool() && board["solved"].toBool()) << where;
                PlainPlayer player(nb, counts, mines);
                EXPECT_EQ(player.Clear(first), "") << where;
            }
        }
    }
}

// Without --noguess the mines lie as the classic game places them: the same
// seed gives the same board, another seed another one.
TEST(MvroBoard, ClassicBoardsReplayFromTheirSeed)
{
    const auto minesOf = [](const std::string& args) {
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(RunBoardTool(args)));
        return doc.array().at(0).toObject()["mines"].toArray();
    };
    const QJsonArray a = minesOf("--shape triangle --level expert --seed 42");
    EXPECT_EQ(a.size(), 48);
    EXPECT_EQ(a, minesOf("--shape 4 --level 4 --seed 42"));
    EXPECT_NE(a, minesOf("--shape triangle --level expert --seed 43"));
    // Board k of a run is the board of seed N + k alone.
    const QJsonDocument run = QJsonDocument::fromJson(QByteArray::fromStdString(RunBoardTool("--shape triangle --level expert --seed 41 --count 2")));
    EXPECT_EQ(run.array().at(1).toObject()["mines"].toArray(), a);
}
