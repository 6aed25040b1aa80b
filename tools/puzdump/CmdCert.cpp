// puzdump cert FILE: a certificate or ranking text read from a file, with
// whether its signature holds, as JSON.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Command.h"
#include "JsonWriter.h"
#include "jigsaw/scores/Certificate.h"
#include "jigsaw/scores/ClipboardImport.h"
#include "jigsaw/scores/ReceivedRanking.h"

namespace puzdump {

namespace {

void writeRecord(JsonWriter& j, const qv::ScoreRecord& r)
{
    j.beginObject();
    j.field("player", r.player).field("owner", r.owner).field("score", r.score).field("time", r.time);
    j.field("solved", unsigned(r.solved)).field("moves", unsigned(r.moves)).field("helps", unsigned(r.helps));
    j.field("pieces", int(r.pieces));
    j.endObject();
}

void writeIdentity(JsonWriter& j, const std::string& title, int level, int columns, int rows, uint16_t flags,
                   const qv::PuzzleId& id)
{
    j.field("title", title).field("level", level).field("columns", columns).field("rows", rows);
    j.field("noRotable", (flags & 0x20) != 0).field("mosaic", (flags & 0x100) != 0);
    j.field("puzzleId", id.ToText());
}

int runCert(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
        return fail("usage: puzdump cert FILE [SEPARATOR]");
    std::filesystem::path file = argv[1];
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return fail("cannot open '" + file.string() + "'");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    char separator = argc == 3 ? argv[2][0] : ',';

    JsonWriter j;
    j.beginObject();
    if (qv::IsCertificateText(text)) {
        qv::Certificate c = qv::Certificate::Parse(text);
        j.field("kind", "certificate");
        writeIdentity(j, c.title, c.level, c.columns, c.rows, c.flags, c.puzzleId);
        j.key("record");
        writeRecord(j, c.record);
        j.field("signatureHolds", c.verified());
    } else if (qv::IsRankingText(text)) {
        qv::ReceivedRanking r;
        if (!r.ReadText(text, separator))
            return fail("incomplete ranking text in '" + file.string() + "'");
        j.field("kind", "ranking");
        writeIdentity(j, r.ranking.title, r.ranking.level, r.ranking.columns, r.ranking.rows, r.ranking.flags,
                      qv::PuzzleId{r.ranking.puzzleId});
        j.field("version", int(r.ranking.version));
        j.key("records").beginArray();
        for (const auto& rec : r.ranking.records)
            writeRecord(j, rec);
        j.endArray();
        j.field("signatureHolds", r.SignatureHolds());
    } else {
        return fail("neither a certificate nor a ranking text: '" + file.string() + "'");
    }
    j.endObject();
    std::printf("%s\n", j.str().c_str());
    return 0;
}

CommandRegistrar reg{"cert", "FILE [SEPARATOR]", &runCert};

}  // namespace

}  // namespace puzdump
