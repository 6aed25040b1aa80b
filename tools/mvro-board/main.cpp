// mvro-board: prints mine-field boards as the game makes them, as JSON, so
// that boards (and the no-guess promise) can be checked from outside.
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "minefield/BoardTopology.h"
#include "minefield/MinePlacement.h"
#include "minefield/NoGuessGenerator.h"
#include "minefield/NoGuessSolver.h"
#include "minefield/ShapeKind.h"

namespace {

const char* const kUsage =
    "usage: mvro-board --shape S (--level L | --width W --height H --mines M)\n"
    "                  [--noguess] [--seed N] [--count K] [--first C,R]\n"
    "       mvro-board --help\n";

const char* const kHelp =
    "Prints mine-field boards of the game Minevaro as a JSON array, one board\n"
    "an element: its cells with their neighbour lists, the mines and the first\n"
    "click.\n"
    "\n"
    "  --shape S       square, diamond, brick, triangle, shifted or hexagon (or 1..6)\n"
    "  --level L       beginner, novice, intermediate, advanced or expert (or 0..4)\n"
    "  --width W, --height H, --mines M\n"
    "                  a board of this size instead of a level (1..32 columns,\n"
    "                  1..24 rows, fewer mines than cells)\n"
    "  --noguess       boards whose first click opens an area and that can be\n"
    "                  cleared from there by deduction alone\n"
    "  --seed N        seed of the first board; board k uses N + k (default: the clock)\n"
    "  --count K       number of boards, 1..100000 (default 1)\n"
    "  --first C,R     the first click, column and row (default: the middle cell)\n"
    "  --help          this text\n"
    "\n"
    "Cells are numbered row by row: cell i is column i mod width, row i / width.\n"
    "\"solved\" tells whether the game's solver clears the board from the first\n"
    "click without a guess. Exit status: 0 boards printed, 2 wrong arguments.\n";

int Fail(const std::string& message)
{
    std::fprintf(stderr, "mvro-board: %s\n%s", message.c_str(), kUsage);
    return 2;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::optional<long long> ParseInteger(const char* text)
{
    if (!text || !*text)
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0')
        return std::nullopt;
    return v;
}

std::optional<mf::ShapeKind> ParseShape(const char* text)
{
    for (int n = 1; n <= mf::ShapeCount; ++n) {
        const mf::ShapeKind shape = mf::ShapeFromNumber(n);
        if (EqualsIgnoringCase(text, mf::ShapeKeyword(shape)) || std::to_string(n) == text)
            return shape;
    }
    return std::nullopt;
}

std::optional<int> ParseLevel(const char* text)
{
    const char* const names[] = {"beginner", "novice", "intermediate", "advanced", "expert"};
    for (int i = 0; i < mf::LevelCount; ++i)
        if (EqualsIgnoringCase(text, names[i]) || std::to_string(i) == text)
            return i;
    return std::nullopt;
}

struct Request {
    mf::ShapeKind shape = mf::ShapeKind::Square;
    std::optional<int> level;
    std::optional<long long> width, height, mines;
    bool noGuess = false;
    uint32_t seed = 0;
    long long count = 1;
    std::optional<mf::CellPos> first;
};

void PrintBoard(std::string& out, const Request& req, uint32_t seed, int32_t columns, int32_t rows, int32_t mines)
{
    const mf::BoardTopology topology(req.shape, columns, rows);
    const mf::CellPos firstPos = req.first.value_or(mf::CellPos{columns / 2, rows / 2});
    const int32_t first = topology.Index(firstPos);
    std::mt19937 engine(seed);
    const mf::RandomSource random = [&engine] { return uint32_t(engine()); };
    std::vector<uint8_t> board;
    if (req.noGuess)
        board = mf::MakeNoGuessBoard(topology, mines, first, random).mines;
    else
        board = mf::ClassicMines(columns, rows, mines, random);

    mf::NoGuessSolver solver(topology);
    const bool solved = solver.Solve(board, first);
    int32_t firstCount = 0;
    for (int32_t q : topology.Neighbours(first))
        firstCount += board[size_t(q)];

    out += "{\"seed\":" + std::to_string(seed);
    out += ",\"shape\":\"" + std::string(mf::ShapeKeyword(req.shape)) + "\"";
    out += ",\"level\":" + (req.level ? std::to_string(*req.level) : std::string("null"));
    out += ",\"width\":" + std::to_string(columns) + ",\"height\":" + std::to_string(rows);
    out += ",\"mineCount\":" + std::to_string(mines);
    out += std::string(",\"mode\":\"") + (req.noGuess ? "noguess" : "classic") + "\"";
    out += ",\"first\":{\"cell\":" + std::to_string(first) + ",\"c\":" + std::to_string(firstPos.c) +
           ",\"r\":" + std::to_string(firstPos.r) + "}";
    out += std::string(",\"opening\":") + (!board[size_t(first)] && firstCount == 0 ? "true" : "false");
    out += std::string(",\"solved\":") + (solved ? "true" : "false");
    out += ",\"mines\":[";
    bool comma = false;
    for (int32_t i = 0; i < topology.CellCount(); ++i) {
        if (!board[size_t(i)])
            continue;
        if (comma)
            out += ',';
        out += std::to_string(i);
        comma = true;
    }
    out += "],\"cells\":[";
    for (int32_t i = 0; i < topology.CellCount(); ++i) {
        const mf::CellPos p = topology.Pos(i);
        int32_t count = 0;
        for (int32_t q : topology.Neighbours(i))
            count += board[size_t(q)];
        out += i ? ",\n" : "\n";
        out += "{\"cell\":" + std::to_string(i) + ",\"c\":" + std::to_string(p.c) + ",\"r\":" + std::to_string(p.r);
        if (mf::IsTriangleShape(req.shape))
            out += std::string(",\"up\":") + (mf::CellPointsUp(req.shape, p.c, p.r) ? "true" : "false");
        out += std::string(",\"mine\":") + (board[size_t(i)] ? "true" : "false");
        out += ",\"count\":" + std::to_string(count) + ",\"neighbours\":[";
        bool sep = false;
        for (int32_t q : topology.Neighbours(i)) {
            if (sep)
                out += ',';
            out += std::to_string(q);
            sep = true;
        }
        out += "]}";
    }
    out += "]}";
}

}  // namespace

int main(int argc, char** argv)
{
    Request req;
    bool shapeGiven = false, seedGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        const auto needValue = [&]() -> const char* {
            if (!value)
                return nullptr;
            ++i;
            return value;
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::fputs("\n", stdout);
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--noguess") {
            req.noGuess = true;
            continue;
        }
        const char* v = needValue();
        if (!v)
            return Fail(arg.starts_with("--") ? std::string(arg) + " needs a value" : "unknown argument " + std::string(arg));
        if (arg == "--shape") {
            const auto shape = ParseShape(v);
            if (!shape)
                return Fail(std::string("unknown shape ") + v);
            req.shape = *shape;
            shapeGiven = true;
        } else if (arg == "--level") {
            req.level = ParseLevel(v);
            if (!req.level)
                return Fail(std::string("unknown level ") + v);
        } else if (arg == "--width" || arg == "--height" || arg == "--mines" || arg == "--seed" ||
                   arg == "--count") {
            const auto n = ParseInteger(v);
            if (!n)
                return Fail(std::string(arg) + " wants a whole number, not " + v);
            if (arg == "--width")
                req.width = n;
            else if (arg == "--height")
                req.height = n;
            else if (arg == "--mines")
                req.mines = n;
            else if (arg == "--count")
                req.count = *n;
            else if (*n < 0 || *n > 0xFFFFFFFFll)
                return Fail("--seed wants 0..4294967295");
            else {
                req.seed = uint32_t(*n);
                seedGiven = true;
            }
        } else if (arg == "--first") {
            const char* comma = std::strchr(v, ',');
            const auto c = comma ? ParseInteger(std::string(v, comma).c_str()) : std::nullopt;
            const auto r = comma ? ParseInteger(comma + 1) : std::nullopt;
            if (!c || !r)
                return Fail(std::string("--first wants C,R, not ") + v);
            req.first = mf::CellPos{int32_t(*c), int32_t(*r)};
        } else {
            return Fail("unknown argument " + std::string(arg));
        }
    }
    if (!shapeGiven)
        return Fail("--shape is missing");
    const bool custom = req.width || req.height || req.mines;
    if (custom == req.level.has_value())
        return Fail("give either --level or all of --width, --height and --mines");
    if (req.count < 1 || req.count > 100000)
        return Fail("--count wants 1..100000");

    int32_t columns = 0, rows = 0, mines = 0;
    if (req.level) {
        const mf::Preset preset = *mf::PresetFor(*req.level, req.shape);
        columns = preset.width;
        rows = preset.height;
        mines = preset.mines;
    } else {
        if (!req.width || !req.height || !req.mines)
            return Fail("a board of its own size needs --width, --height and --mines");
        if (*req.width < 1 || *req.width > mf::MaxColumns || *req.height < 1 || *req.height > mf::MaxRows)
            return Fail("the board is 1..32 columns and 1..24 rows");
        columns = int32_t(*req.width);
        rows = int32_t(*req.height);
        if (*req.mines < 0 || *req.mines >= columns * rows)
            return Fail("--mines wants 0 up to one less than the cells");
        mines = int32_t(*req.mines);
    }
    if (req.first && (req.first->c < 0 || req.first->c >= columns || req.first->r < 0 || req.first->r >= rows))
        return Fail("--first lies outside the board");
    if (!seedGiven)
        req.seed = uint32_t(std::chrono::system_clock::now().time_since_epoch().count());

    std::fputs("[", stdout);
    std::string out;
    for (long long k = 0; k < req.count; ++k) {
        out.clear();
        out += k ? ",\n" : "\n";
        PrintBoard(out, req, uint32_t(req.seed + uint32_t(k)), columns, rows, mines);
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    std::fputs("\n]\n", stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
