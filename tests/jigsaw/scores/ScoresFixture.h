#pragma once
// Shared by the scores tests: a temporary shelf folder, a fake host and a
// fake clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/scores/Ranking.h"
#include "jigsaw/scores/ScoresHost.h"

namespace qv::test {

namespace fs = std::filesystem;

struct FakeClock : TickClock {
    uint32_t tick = 5000;
    uint32_t now() const override { return tick; }
};

struct FakeHost : ScoresHost {
    fs::path dir;
    std::map<std::string, ShelfPuzzle> puzzles;  // by title
    std::string lastCert;
    bool accept = true;
    char separator = ',';
    std::vector<unsigned> updates;
    std::vector<int> shownRows;
    std::vector<fw::Status> messages;
    std::vector<MessageIcon> icons;
    int receivedShown = 0, changedMarks = 0, clipboardEmptied = 0, certificatesShown = 0, rankingClosed = 0;

    fs::path shelfDirectory() const override { return dir; }
    std::optional<ShelfPuzzle> FindPuzzleByTitle(const std::string& title) const override
    {
        auto it = puzzles.find(title);
        if (it == puzzles.end())
            return std::nullopt;
        return it->second;
    }
    std::string text(int id) const override { return "<" + std::to_string(id) + ">"; }
    char thousandsSeparator() const override { return separator; }
    std::string lastCertificate() const override { return lastCert; }
    void updateMiniScore(unsigned changes) override { updates.push_back(changes); }
    void closeRankingWindow() override { ++rankingClosed; }
    void markDocumentChanged() override { ++changedMarks; }
    bool acceptCertificate(const Certificate&) override
    {
        ++certificatesShown;
        return accept;
    }
    void showRankingRow(const Ranking&, int row) override { shownRows.push_back(row); }
    void showReceivedRanking(const ReceivedRanking&) override { ++receivedShown; }
    void showMessage(const fw::Status& status, MessageIcon icon) override
    {
        messages.push_back(status);
        icons.push_back(icon);
    }
    void emptyClipboard() override { ++clipboardEmptied; }
};

// A folder of its own per test, removed afterwards.
struct TempShelf : ::testing::Test {
    fs::path dir;
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("qv-scores-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void touch(const std::string& name, const std::string& content = "x") const
    {
        std::ofstream(dir / name, std::ios::binary) << content;
    }
    static std::string slurp(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

inline ScoreRecord record(std::string key, std::string player, int32_t score, std::string owner = {})
{
    ScoreRecord r;
    r.key = std::move(key);
    r.player = std::move(player);
    r.owner = std::move(owner);
    r.score = score;
    return r;
}

inline std::vector<std::string> players(const std::vector<ScoreRecord>& records)
{
    std::vector<std::string> out;
    for (const auto& r : records)
        out.push_back(r.player);
    return out;
}

}  // namespace qv::test
