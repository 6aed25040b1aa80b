// puzdump header FILE: a puzzle or saved-game file's fields as JSON.
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "Command.h"
#include "JsonWriter.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/HeaderString.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/SavedGameFile.h"
#include "framework/ByteIO.h"
#include "framework/FileStream.h"

namespace puzdump {

namespace {

// Every key the game knows, in the order the header table lists them;
// flags have no value.
struct KnownKey {
    const char* key;
    bool valued;
};
constexpr KnownKey kKeys[] = {
    {"Med0:", true}, {"Med1:", true}, {"Med2:", true}, {"Med3:", true}, {"Med4:", true},
    {"Meds:", true}, {"WantPgmVersion:", true}, {"(c):", true}, {"Rndn:", true}, {"BkClr:", true},
    {"Tit:", true}, {"NoRotable", false}, {"NoHelp", false}, {"NoDeform", false}, {"NoPreview", false},
    {"ImgFull", false}, {"ScatterFull", false}, {"NoReduceImg", false}, {"nocustom", false},
    {"Vers:", true}, {"VersMakePieza:", true}, {"SZW:", true}, {"FactorImgSav:", true},
    {"ScorePos:", true}, {"bmphalf:", true}, {"mmsrun:", true}, {"boxnm:", true}, {"clr2box:", true},
    {"BoxFlags:", true}, {"dateStart:", true}, {"dateEnd:", true}, {"wmuestra:", true},
    {"MinRes:", true}, {"F:", true}, {"F16:", true}, {"FP:", true}, {"Tmb:", true},
};

std::string hex(const uint8_t* p, size_t n)
{
    std::string s;
    char b[3];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(b, sizeof b, "%02x", p[i]);
        s += b;
    }
    return s;
}

}  // namespace

// The header's items, key by key in table order; a key present twice is listed twice.
void writeHeaderKeys(JsonWriter& j, const std::string& header)
{
    qv::HeaderString h(header);
    j.key("keys").beginArray();
    for (const auto& k : kKeys) {
        while (auto v = h.take(k.key)) {
            j.beginArray().value(k.key);
            if (k.valued)
                j.value(*v);
            else
                j.value(true);
            j.endArray();
        }
    }
    j.endArray();
    j.field("unknown", h.text());
}

namespace {

int dumpPuzzle(const std::filesystem::path& file)
{
    qv::Entry e;
    fw::Status st = e.readFile(file);
    if (!st.ok() && st.id != qv::msg::TooNew)
        return fail("cannot read puzzle file '" + file.string() + "' (message " + std::to_string(st.id) + ")");
    JsonWriter j;
    j.beginObject();
    j.field("kind", "puzzle").field("path", file.string());
    j.field("madeByVersion", int(e.madeByVersion)).field("requiredVersion", int(e.requiredVersion));
    j.field("tooNew", e.tooNew).field("title", e.title).field("sizeCount", int(e.sizeCount));
    j.field("reserved", int(e.reserved));
    if (!e.tooNew) {
        j.field("header", e.header);
        writeHeaderKeys(j, e.header);
        j.key("sizes").beginArray();
        for (int k = 0; k < 5; ++k)
            j.beginObject().field("rows", int(e.rows[k])).field("columns", int(e.columns[k])).endObject();
        j.endArray();
        j.field("noCustom", e.noCustom);
        j.field("opaque", hex(e.opaque.data(), e.opaque.size()));
        const auto& d = e.directory;
        j.key("directory").beginObject();
        j.field("position", int64_t(e.directoryPosition));
        j.field("thumbnailOffset", int64_t(d.thumbnailOffset)).field("pictureOffset", int64_t(d.pictureOffset));
        j.field("pictureLength", int64_t(d.pictureLength)).field("pictureKind", int(d.pictureKind));
        j.field("cacheOffset", int64_t(d.cacheOffset)).field("secondPictureOffset", int64_t(d.secondPictureOffset));
        j.endObject();
    }
    j.endObject();
    std::printf("%s\n", j.str().c_str());
    return 0;
}

void writeSavedHead(JsonWriter& j, const qv::Puz& p, const std::string& storedPuzzle)
{
    j.field("savedName", p.savedName).field("puzzlePath", storedPuzzle);
    j.field("resolvedPuzzlePath", qv::SavedGameFile::resolvePuzzlePath(storedPuzzle, p.savedPath).string());
    j.field("sizeIndex", int(p.sizeIndex));
    if (p.sizeIndex == qv::Puz::CustomSize)
        j.field("rows", int(p.rows[5])).field("columns", int(p.columns[5]));
    j.field("player", p.playerName).field("password", p.password);
    j.key("counters").beginObject();
    j.field("joinedSides", int64_t(p.counters.joinedSides)).field("elapsedMs", int64_t(p.counters.elapsedMs));
    j.field("helps", int(p.counters.helps)).field("helpSides", int(p.counters.helpSides));
    j.field("moves", int64_t(p.counters.moves));
    j.endObject();
}

void writeSavedFields(JsonWriter& j, const qv::Puz& p)
{
    j.field("cuttingSeed", int64_t(p.cuttingSeed)).field("programVersion", int(p.programVersion));
    j.field("cuttingVersion", int(p.cuttingVersion));
    j.key("savedFrame").ints(p.savedFrame.x, p.savedFrame.y);
    j.field("pictureScale", double(p.pictureScale)).field("mouseTravel", p.mouseTravel);
    if (p.savedPictureSize.x > 0)  // our own key: the picture's exact size and its full size
        j.key("pictureSize").ints(p.savedPictureSize.x, p.savedPictureSize.y, p.savedPictureFull.x, p.savedPictureFull.y);
    j.key("scorePos").ints(p.scorePos.x, p.scorePos.y);
    j.key("viewOrigin").ints(p.viewOrigin.x, p.viewOrigin.y);
    j.field("dateStart", int64_t(p.dateStart)).field("dateEnd", int64_t(p.dateEnd));
    j.key("boxes").beginArray();
    for (const auto& b : p.boxes) {
        j.beginObject().field("name", b.name);
        if (b.colour == qv::Box::NoColour)
            j.key("colour").null();
        else
            j.field("colour", int64_t(b.colour));
        j.field("flags", int(b.flags)).endObject();
    }
    j.endArray();
}

// The piece records and order list that follow: their count is not stored,
// the file's remaining bytes give it (8 + 2 bytes per piece).
void writeSavedPieces(JsonWriter& j, fw::ByteReader& in)
{
    uint64_t n = in.stream().remaining() / (qv::SavedGameFile::PieceRecordBytes + 2);
    j.key("pieces").beginArray();
    for (uint64_t i = 0; i < n; ++i) {
        qv::SavedGameFile::PieceRecord r;
        qv::SavedGameFile::readRecord(in, r);
        j.beginObject().key("position").ints(r.x, r.y);
        j.field("rotation", int(r.rotation)).field("joined", int(r.joined)).field("box", int(r.box));
        j.field("flags", int(r.flags)).endObject();
    }
    j.endArray();
    j.key("order").beginArray();
    for (uint64_t i = 0; i < n; ++i)
        j.value(int(in.i16()));
    j.endArray();
    j.field("trailingBytes", int64_t(in.stream().remaining()));
}

int dumpSaved(const std::filesystem::path& file)
{
    fw::FileStream stream(file, fw::FileStream::Mode::Read);
    if (!stream.isOpen())
        return fail("cannot open '" + file.string() + "'");
    fw::ByteReader in(stream);
    qv::Puz p;
    p.savedPath = file;
    std::string storedPuzzle;
    fw::Status st = qv::SavedGameFile::readHead(p, in, storedPuzzle);
    std::string header;
    if (st.ok()) {
        header = in.text();
        p.cuttingSeed = in.u32();
        if (in.failed())
            st = fw::Status(qv::msg::BadFile);
    }
    if (!st.ok())
        return fail("damaged saved game '" + file.string() + "' (message " + std::to_string(st.id) + ")");
    uint32_t seed = p.cuttingSeed;
    p.ParseHeader(header, true);
    p.cuttingSeed = seed;
    JsonWriter j;
    j.beginObject().field("kind", "saved").field("path", file.string());
    writeSavedHead(j, p, storedPuzzle);
    j.field("header", header);
    writeHeaderKeys(j, header);
    writeSavedFields(j, p);
    writeSavedPieces(j, in);
    j.endObject();
    std::printf("%s\n", j.str().c_str());
    return 0;
}

int runHeader(int argc, char** argv)
{
    if (argc != 2)
        return fail("usage: puzdump header FILE");
    std::filesystem::path file = argv[1];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return fail("cannot read '" + file.string() + "'");
    std::string ext = file.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".sav")
        return dumpSaved(file);
    return dumpPuzzle(file);
}

CommandRegistrar reg{"header", "FILE    a puzzle (.puz) or saved game (.sav) as JSON", &runHeader};

}  // namespace
}  // namespace puzdump
