// puzdump header FILE: a puzzle or saved-game file's fields as JSON.
#include <cstdio>
#include <filesystem>

#include "Command.h"
#include "JsonWriter.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/HeaderString.h"

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

int runHeader(int argc, char** argv)
{
    if (argc != 2)
        return fail("usage: puzdump header FILE");
    std::filesystem::path file = argv[1];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return fail("cannot read '" + file.string() + "'");
    return dumpPuzzle(file);
}

CommandRegistrar reg{"header", "FILE    a puzzle (.puz) or saved game (.sav) as JSON", &runHeader};

}  // namespace
}  // namespace puzdump
