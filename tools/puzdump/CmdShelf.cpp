// puzdump shelf DIR: the records of a shelf folder's directory cache as JSON.
#include <cstdio>
#include <filesystem>

#include "Command.h"
#include "JsonWriter.h"
#include "jigsaw/library/DirectoryCache.h"

namespace puzdump {

namespace {

void writePuzzleFields(JsonWriter& j, const qv::ShelfEntry& e)
{
    j.field("formatVersion", int(e.formatVersion)).field("requiredVersion", int(e.requiredVersion));
    j.field("title", e.title).field("sizeCount", int(e.sizeCount));
    j.field("noCustom", e.noCustom).field("optionFlags", int(e.optionFlags));
    j.key("sizes").beginArray();
    for (int i = 0; i < e.sizeCount && i < 5; ++i)
        j.beginObject().field("columns", int(e.columns[i])).field("rows", int(e.rows[i])).endObject();
    j.endArray();
}

void writeSavedFields(JsonWriter& j, const qv::ShelfEntry& e)
{
    j.field("puzzleTitle", e.title).field("puzzleFile", e.puzzleFile).field("sizeIndex", int(e.sizeIndex));
    j.field("columns", int(e.savedColumns)).field("rows", int(e.savedRows));
    j.field("number", int64_t(e.savedNumber)).field("text", e.savedText);
}

int runShelf(int argc, char** argv)
{
    if (argc != 2)
        return fail("usage: puzdump shelf DIR");
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec))
        return fail("not a folder: '" + dir.string() + "'");
    const auto content = qv::DirectoryCache::ReadFile(dir);
    JsonWriter j;
    j.beginObject().field("folder", dir.string()).field("found", content.found);
    if (content.found) {
        j.field("stamp", int64_t(content.stamp)).field("accepted", content.accepted);
        j.key("records").beginArray();
        for (const auto& r : qv::DirectoryCache::Records(content.text)) {
            const bool saved = r.entry.kind == qv::ShelfEntry::Kind::SavedGame;
            j.beginObject().field("name", r.entry.fileName).field("seen", r.seen);
            j.field("kind", saved ? "saved" : "puzzle").field("readable", r.readable);
            if (r.readable) {
                if (saved)
                    writeSavedFields(j, r.entry);
                else
                    writePuzzleFields(j, r.entry);
            }
            j.endObject();
        }
        j.endArray();
    }
    j.endObject();
    std::printf("%s\n", j.str().c_str());
    return 0;
}

CommandRegistrar reg{"shelf", "DIR     the directory cache of a shelf folder as JSON", &runShelf};

}  // namespace
}  // namespace puzdump
