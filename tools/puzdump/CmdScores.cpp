// puzdump scores FILE: the records of a scores file as JSON.
#include <cstdio>
#include <filesystem>

#include "Command.h"
#include "JsonWriter.h"
#include "framework/FileStream.h"
#include "jigsaw/scores/Ranking.h"

namespace puzdump {

namespace {

void writeRecord(JsonWriter& j, const qv::ScoreRecord& r)
{
    j.beginObject();
    j.field("key", r.key).field("player", r.player).field("owner", r.owner);
    j.field("score", r.score).field("time", r.time).field("helps", unsigned(r.helps));
    j.field("solved", unsigned(r.solved)).field("moves", unsigned(r.moves)).field("pieces", int(r.pieces));
    j.field("extra", r.extra);
    j.endObject();
}

int runScores(int argc, char** argv)
{
    if (argc != 2)
        return fail("usage: puzdump scores FILE");
    std::filesystem::path file = argv[1];
    fw::FileStream in;
    if (!in.open(file, fw::FileStream::Mode::Read))
        return fail("cannot open '" + file.string() + "'");
    std::vector<qv::ScoreRecord> records;
    // The game reads a damaged file as an empty ranking; say so rather than show nothing.
    if (!qv::Ranking::Read(in, records))
        return fail("not a scores file or damaged: '" + file.string() + "'");
    JsonWriter j;
    j.beginObject().field("file", file.string()).field("count", static_cast<int64_t>(records.size()));
    j.key("records").beginArray();
    for (const auto& r : records)
        writeRecord(j, r);
    j.endArray().endObject();
    std::printf("%s\n", j.str().c_str());
    return 0;
}

CommandRegistrar reg{"scores", "FILE", &runScores};

}  // namespace

}  // namespace puzdump
