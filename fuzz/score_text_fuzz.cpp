// fuzz-links: jigsaw_scores
// Certificates and ranking texts as they come from the clipboard: parsing,
// the signature checks, and the import into the scores files of a shelf
// that holds the puzzle they name.
#include <filesystem>

#include "fuzz/FuzzSupport.h"
#include "jigsaw/document/PuzzleFileWriter.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/scores/Certificate.h"
#include "jigsaw/scores/ClipboardImport.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/ReceivedRanking.h"
#include "jigsaw/scores/ScoresHost.h"

namespace {

namespace fs = std::filesystem;

struct Clock : qv::TickClock {
    uint32_t now() const override { return 5000; }
};

// A shelf that holds Castle.puz; everything the user is asked is accepted.
struct Host : qv::ScoresHost {
    fs::path dir;
    fs::path shelfDirectory() const override { return dir; }
    std::optional<qv::ShelfPuzzle> FindPuzzleByTitle(const std::string& title) const override
    {
        if (title != "Castle")
            return std::nullopt;
        return qv::ShelfPuzzle{dir / "Castle.puz", ""};
    }
    bool acceptCertificate(const qv::Certificate&) override { return true; }
    // The ranking window keeps its own copy of what it shows.
    void showReceivedRanking(const qv::ReceivedRanking& r) override { shown = r; }
    std::optional<qv::ReceivedRanking> shown;
};

const fs::path& shelf()
{
    static const fs::path dir = [] {
        fs::path d = fuzz::scratchDir() / "shelf";
        fs::create_directories(d);
        qv::PuzzleFileContent c;
        c.title = "Castle";
        c.sizeCount = 1;
        c.header = "/Med0:4#4/Tit:Castle";
        c.palette = {0x102030};
        c.jpeg = std::vector<uint8_t>(64, 0x5A);
        if (!qv::writePuzzleFile(d / "Castle.puz", c).ok())
            std::abort();
        return d;
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qv::Certificate cert = qv::Certificate::Parse(text);
    cert.ToText();
    qv::ReceivedRanking received;
    if (received.ReadText(text, ',')) {
        received.SignatureHolds();
        for (size_t i = 0; i < received.ranking.records.size(); ++i)
            received.ResultLine(received.ranking.records[i], static_cast<int>(i));
    }

    std::error_code ec;
    fs::remove_all(shelf() / "scores", ec);
    Clock clock;
    qv::ScoreKeeper keeper(clock);
    Host host;
    host.dir = shelf();
    qv::ScoreGame game;
    game.puzzlePath = shelf() / "Castle.puz";
    game.title = "Castle";
    game.columns = game.rows = 4;
    game.pieces = 16;
    game.scoresOn = true;
    qv::LiveRanking live(keeper, [&] { return game; }, host);
    keeper.Reset();
    keeper.OpenPuzzle({16, 4, 4, 0, false});
    if (qv::ClipboardImport(text, live, host) && host.shown)
        host.shown->MergeIntoLocal(live, host);
    return 0;
}
