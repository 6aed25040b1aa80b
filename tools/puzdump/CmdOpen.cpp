// puzdump open FILE --table WxH [--size I] [--seed S] [--colours 0|256|16]
//                   [--cache] [--save GAME.sav] [--png PATH [--sheet table|pieces|masks]]
// Opens a puzzle or a saved game as the game does (picture, scale, cut,
// sheets, then scatter or the saved places) and prints the scale factor,
// the picture rectangle, a digest of the pieces and every piece's place,
// shape and knobs as JSON; --save writes the opened game as a saved game,
// so a new game's cut can be compared with its reopened one; --png writes
// a sheet or the table.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Command.h"
#include "JsonWriter.h"
#include "framework/PngWriter.h"
#include "jigsaw/document/PieceDigest.h"
#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/PictureSteps.h"
#include "jigsaw/document/Puz.h"

namespace puzdump {

namespace {

struct OpenArgs {
    std::string file;
    int tableW = 0, tableH = 0;
    int size = 0;
    long long seed = -1;
    int colours = 0;
    bool cache = false;
    bool sizeGiven = false;
    std::string save;
    std::string png;
    std::string sheet = "table";
};

bool number(const char* text, long long lo, long long hi, long long& out)
{
    char* end = nullptr;
    out = std::strtoll(text, &end, 10);
    return *text && end && !*end && out >= lo && out <= hi;
}

bool isSavedGame(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext == ".sav";
}

bool parse(int argc, char** argv, OpenArgs& a, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string opt = argv[i];
        const bool hasValue = i + 1 < argc;
        long long v = 0;
        if (opt == "--cache") {
            a.cache = true;
        } else if (opt == "--table" && hasValue) {
            int w = 0, h = 0;
            char tail = 0;
            if (std::sscanf(argv[++i], "%dx%d%c", &w, &h, &tail) != 2 || w < 1 || h < 1 || w > 32767 || h > 32767) {
                error = "--table needs WIDTHxHEIGHT";
                return false;
            }
            a.tableW = w, a.tableH = h;
        } else if (opt == "--size" && hasValue && number(argv[i + 1], 0, 4, v)) {
            a.size = int(v), a.sizeGiven = true, ++i;
        } else if (opt == "--seed" && hasValue && number(argv[i + 1], 1, 0xFFFFFFFFLL, v)) {
            a.seed = v, ++i;
        } else if (opt == "--colours" && hasValue && number(argv[i + 1], 0, 256, v) && (v == 0 || v == 16 || v == 256)) {
            a.colours = int(v), ++i;
        } else if (opt == "--save" && hasValue) {
            a.save = argv[++i];
        } else if (opt == "--png" && hasValue) {
            a.png = argv[++i];
        } else if (opt == "--sheet" && hasValue) {
            a.sheet = argv[++i];
            if (a.sheet != "table" && a.sheet != "pieces" && a.sheet != "masks") {
                error = "--sheet is table, pieces or masks";
                return false;
            }
        } else if (opt[0] != '-' && a.file.empty()) {
            a.file = opt;
        } else {
            error = "bad option '" + opt + "'";
            return false;
        }
    }
    if (a.file.empty() || !a.tableW) {
        error = "FILE and --table are required";
        return false;
    }
    if (isSavedGame(a.file) && (a.sizeGiven || a.seed > 0)) {
        error = "a saved game brings its own size and seed";
        return false;
    }
    return true;
}

// The game's steps with a fixed cutting seed, so a run can be repeated.
class SeededSteps : public qv::PictureSteps {
public:
    explicit SeededSteps(long long seed) : m_seed(seed) {}
    fw::Status loadPicture(qv::Puz& puz) override
    {
        fw::Status s = PictureSteps::loadPicture(puz);
        if (m_seed > 0)
            puz.puzzleSeed = puz.cuttingSeed = static_cast<uint32_t>(m_seed);
        return s;
    }

private:
    long long m_seed;
};

fw::Bitmap drawTable(const qv::Puz& puz, const qv::ScatterArea& area)
{
    fw::Bitmap table(area.width, area.height, 0x2A5D3A);
    for (const qv::Rect16& r : area.reserved)  // the picture's place, outlined
        for (int x = r.x; x < r.x + r.w; ++x)
            for (int y : {int(r.y), r.y + r.h - 1})
                if (table.contains(x, y))
                    table.setPixel(x, y, 0x4F8A5F);
    for (auto it = puz.order.rbegin(); it != puz.order.rend(); ++it)
        qv::DrawPiece(puz, puz.pieces[*it], table);
    return table;
}

void rect(JsonWriter& j, const char* name, const qv::Rect16& r) { j.key(name).ints(r.x, r.y, r.w, r.h); }

// Place, shape and knobs of one piece, in numbers that a new game and its
// reopened saved game share.
void pieceShape(JsonWriter& j, const qv::PieceShape& s)
{
    j.key("origin").ints(s.origin.x, s.origin.y);
    j.key("at").ints(s.at.x, s.at.y);
    j.field("joined", int(s.joined)).field("box", int(s.box));
    j.key("size").ints(s.size.x, s.size.y);
    rect(j, "cell", s.cell);
    j.key("knobs").beginArray();
    for (const qv::KnobShape& k : s.knobs)
        j.ints(k.direction, k.rect.x, k.rect.y, k.rect.w, k.rect.h);
    j.endArray();
}

int runOpen(int argc, char** argv)
{
    OpenArgs a;
    std::string error;
    if (!parse(argc, argv, a, error))
        return fail(error);
    qv::HeadlessUser user;
    user.frame = {static_cast<int16_t>(a.tableW), static_cast<int16_t>(a.tableH)};
    SeededSteps steps(a.seed);
    steps.picture.cacheEnabled = a.cache;  // an inspector leaves the file as it is unless asked
    steps.picture.display.width = a.tableW;
    steps.picture.display.height = a.tableH;
    steps.picture.display.paletteSize = a.colours;
    steps.picture.display.lowColour = a.colours == 16;
    qv::Puz puz;
    puz.setUser(&user);
    puz.setSteps(&steps);
    fw::Status s = puz.Open(a.file, a.size, 0);
    if (!s.ok())
        return fail("cannot open " + a.file + " (message " + std::to_string(s.id) + (s.text.empty() ? "" : ": " + s.text) + ")");
    const bool fromSaved = puz.state & qv::Puz::FromSaved;  // saving sets it too
    if (!a.save.empty()) {
        puz.savedPath = a.save;
        if (puz.savedName.empty())
            puz.savedName = puz.title();
        if (!puz.Save().ok())
            return fail("cannot write " + a.save);
    }
    const std::vector<qv::PieceShape> shapes = qv::DescribePieces(puz);
    char digest[24];
    std::snprintf(digest, sizeof digest, "%016" PRIx64, qv::DigestPieces(shapes));
    const qv::ScatterArea area = qv::PictureSteps::defaultTable(puz, steps.picture.display);
    JsonWriter j;
    j.beginObject();
    j.field("title", puz.title());
    j.field("scale", static_cast<double>(puz.pictureScale));
    rect(j, "picture", puz.pictureRect);
    j.field("scatterFull", bool(puz.options & qv::Puz::ScatterFull));
    j.field("rows", int(puz.gridRows())).field("columns", int(puz.gridColumns()));
    j.field("seed", static_cast<int64_t>(puz.cuttingSeed));
    j.field("saved", fromSaved);
    j.key("sheet").ints(puz.pieceSheet.width(), puz.pieceSheet.height());
    j.field("digest", digest);
    j.key("pieces").beginArray();
    for (size_t i = 0; i < puz.pieces.size(); ++i) {
        const qv::SPuz& p = puz.pieces[i];
        j.beginObject().field("index", int(p.index)).field("rotation", int(p.rotation));
        rect(j, "sheet", p.bounding);
        rect(j, "table", p.table);
        pieceShape(j, shapes[i]);
        j.endObject();
    }
    j.endArray().endObject();
    std::printf("%s\n", j.str().c_str());
    if (!a.png.empty()) {
        const fw::Bitmap out = a.sheet == "pieces" ? puz.pieceSheet
                               : a.sheet == "masks" ? puz.maskSheet
                                                    : drawTable(puz, area);
        if (!fw::writePng(a.png, out))
            return fail("cannot write " + a.png);
    }
    return 0;
}

CommandRegistrar reg{"open",
                     "PUZZLE.puz|GAME.sav --table WxH [--size I] [--seed S] [--colours 0|256|16] [--cache] "
                     "[--save GAME.sav] [--png PATH [--sheet table|pieces|masks]]",
                     &runOpen};

}  // namespace

}  // namespace puzdump
