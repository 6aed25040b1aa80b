// puzdump cut: the pieces and knobs that cutting gives for a picture size,
// grid, seed and options.
#include <cstdio>
#include <cstring>
#include <string>

#include "Command.h"
#include "JsonWriter.h"
#include "jigsaw/document/HeaderString.h"
#include "jigsaw/document/Puz.h"

namespace puzdump {

namespace {

struct CutArgs {
    int width = 0, height = 0, rows = 0, cols = 0;
    int64_t seed = -1;
    int version = 0;
    bool noRotate = false, noDeform = false, saved = false;
};

// A whole decimal number within [lo, hi]; false for anything else.
bool parseInt(const char* text, int64_t lo, int64_t hi, int64_t& out)
{
    if (!*text)
        return false;
    const char* p = text;
    if (*p == '-')
        ++p;
    for (const char* q = p; *q; ++q) {
        if (*q < '0' || *q > '9')
            return false;
    }
    if (std::strlen(p) > 12)
        return false;
    out = qv::HeaderString::parseNumber(text);
    return out >= lo && out <= hi;
}

bool parseArgs(int argc, char** argv, CutArgs& a, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string opt = argv[i];
        if (opt == "--norotate") { a.noRotate = true; continue; }
        if (opt == "--nodeform") { a.noDeform = true; continue; }
        if (opt == "--saved") { a.saved = true; continue; }
        struct Num { const char* name; int64_t lo, hi; } nums[] = {
            {"--width", 1, 32767}, {"--height", 1, 32767}, {"--rows", 1, 32767}, {"--cols", 1, 32767},
            {"--seed", 0, 0xFFFFFFFFLL}, {"--version", -32768, 32767}};
        const Num* num = nullptr;
        for (const auto& n : nums) {
            if (opt == n.name)
                num = &n;
        }
        if (!num) {
            error = "unknown option '" + opt + "'";
            return false;
        }
        int64_t v = 0;
        if (i + 1 >= argc || !parseInt(argv[i + 1], num->lo, num->hi, v)) {
            error = opt + " needs a number from " + std::to_string(num->lo) + " to " + std::to_string(num->hi);
            return false;
        }
        ++i;
        if (opt == "--width") a.width = int(v);
        else if (opt == "--height") a.height = int(v);
        else if (opt == "--rows") a.rows = int(v);
        else if (opt == "--cols") a.cols = int(v);
        else if (opt == "--seed") a.seed = v;
        else a.version = int(v);
    }
    if (!a.width || !a.height || !a.rows || !a.cols || a.seed < 0) {
        error = "--width, --height, --rows, --cols and --seed are required";
        return false;
    }
    return true;
}

void writeCut(const qv::Puz& p)
{
    JsonWriter j;
    j.beginObject();
    j.field("pieceWidth", int(p.pieceWidth)).field("pieceHeight", int(p.pieceHeight));
    j.field("version", int(p.cuttingVersion));
    j.key("pieces").beginArray();
    for (const qv::SPuz& s : p.pieces) {
        j.beginObject();
        j.field("index", int(s.index));
        j.key("cell").ints(s.cell.x, s.cell.y, s.cell.w, s.cell.h);
        j.key("bounding").ints(s.bounding.x, s.bounding.y, s.bounding.w, s.bounding.h);
        j.field("rotation", int(s.rotation));
        j.key("neighbours").ints(s.neighbour[0], s.neighbour[1], s.neighbour[2], s.neighbour[3]);
        j.key("knobs").ints(s.knob[0], s.knob[1], s.knob[2], s.knob[3]);
        j.key("directions").ints(s.knobDir[0], s.knobDir[1], s.knobDir[2], s.knobDir[3]);
        j.endObject();
    }
    j.endArray();
    j.key("knobs").beginArray();
    for (const qv::Rect16& k : p.knobs)
        j.ints(k.x, k.y, k.w, k.h);
    j.endArray();
    j.endObject();
    std::fwrite(j.str().data(), 1, j.str().size(), stdout);
    std::fputc('\n', stdout);
}

int runCut(int argc, char** argv)
{
    CutArgs a;
    std::string error;
    if (!parseArgs(argc, argv, a, error))
        return fail(error);
    qv::Puz p;
    qv::CutRandom rng;
    p.setGenerator(&rng);
    p.pictureRect = {0, 0, static_cast<int16_t>(a.width), static_cast<int16_t>(a.height)};
    p.sizeIndex = qv::Puz::CustomSize;
    p.rows[qv::Puz::CustomSize] = static_cast<int16_t>(a.rows);
    p.columns[qv::Puz::CustomSize] = static_cast<int16_t>(a.cols);
    if (a.noRotate)
        p.options |= qv::Puz::NoRotable;
    if (a.noDeform)
        p.options |= qv::Puz::NoDeform;
    p.cuttingSeed = static_cast<uint32_t>(a.seed);
    if (a.saved) {
        // A saved game seeds the generator itself and keeps its version.
        p.state |= qv::Puz::FromSaved;
        p.cuttingVersion = static_cast<int16_t>(a.version);
    } else {
        rng.seed(p.cuttingSeed);
    }
    fw::Status st = p.MakePiezas();
    if (!st.ok())
        return fail("cannot cut that grid (message " + std::to_string(st.id) + ")");
    writeCut(p);
    return 0;
}

CommandRegistrar reg{"cut",
                     "--width W --height H --rows R --cols C --seed S [--version V] [--norotate] [--nodeform] "
                     "[--saved]    the pieces and knobs of a cut as JSON (--version applies to --saved cuts; "
                     "new cuts use the current version)",
                     &runCut};

}  // namespace
}  // namespace puzdump
