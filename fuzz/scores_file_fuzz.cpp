// fuzz-links: jigsaw_scores
// A scores file: marks, record count, records (with the piece count folded
// into the key) and the end mark. The input is the content before
// scrambling; it is scrambled as a real file is and read back through the
// reader's unscrambling. A file that reads writes back the same records.
#include "framework/ScrambledStream.h"
#include "framework/Stream.h"
#include "jigsaw/scores/Ranking.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    fw::ScrambledStream::scramble(bytes.data(), bytes.size(), 0, qv::Ranking::ScrambleKey);
    fw::MemoryStream in(std::move(bytes));
    std::vector<qv::ScoreRecord> records;
    if (!qv::Ranking::Read(in, records)) {
        if (!records.empty())
            __builtin_trap();  // a rejected file must load as an empty ranking
        return 0;
    }
    qv::Ranking ranking;
    ranking.records = records;
    for (const qv::ScoreRecord& r : records) {
        qv::ScoreRecord copy = r;
        copy.key = qv::ScoreRecord::Received;
        ranking.Insert(copy);
    }
    fw::MemoryStream out;
    if (!qv::Ranking::Write(out, records))
        return 0;
    out.seek(0);
    std::vector<qv::ScoreRecord> again;
    if (!qv::Ranking::Read(out, again))
        __builtin_trap();  // what we write we must read
    // Blank keys and records past the fifteenth are not written; the rest
    // come back unchanged.
    std::vector<qv::ScoreRecord> kept;
    for (size_t i = 0; i < records.size() && i < qv::Ranking::MaxRecords; ++i)
        if (!records[i].hasBlankKey())
            kept.push_back(records[i]);
    if (again.size() != kept.size())
        __builtin_trap();
    return 0;
}
