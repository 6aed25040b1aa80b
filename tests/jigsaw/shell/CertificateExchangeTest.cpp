// A result travelling from one player to another: a finished game makes a
// certificate, a second run of the program by another player on the same
// shelf pastes it with Ctrl+V, accepts it and keeps it in its ranking.
//
// The two runs are two App instances one after the other in this process,
// each over its own program folder and settings file. The offscreen
// platform's clipboard does not reach another process, so the first run's
// text is taken from the clipboard and put back, as the second run's
// clipboard would hand it over, before the second run pastes it.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "framework/Markup.h"
#include "framework/Profile.h"
#include "framework/qt/Clipboard.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/MessageBox.h"
#include "jigsaw/scores/Certificate.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/ScoresHost.h"
#include "jigsaw/scores/windows/ScoreWindows.h"
#include "jigsaw/scores/windows/WCert.h"
#include "jigsaw/scores/windows/WInfo.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"

using namespace shelltest;

namespace {

// Acts on the next modal window once the paste has opened it.
struct NextModal {
    std::function<void(QWidget*)> act;
    bool seen = false;
    void arm()
    {
        seen = false;
        QTimer::singleShot(50, [this] {
            QWidget* m = QApplication::activeModalWidget();
            if (!m)
                return;
            seen = true;
            act(m);
        });
    }
};

// What a message box said: its texts and icons as laid out.
struct Said {
    std::string text;
    std::vector<int> icons;
};

Said closeMessage(QWidget* w)
{
    Said said;
    if (auto* box = dynamic_cast<fw::MUBox*>(w)) {
        for (const fw::MarkupText& t : box->layout().texts())
            said.text += t.text + "\n";
        for (const fw::MarkupIcon& i : box->layout().icons())
            said.icons.push_back(i.icon);
    }
    w->close();
    return said;
}

std::string settings(const std::filesystem::path& shelf)
{
    // Options 0x20: games are played in competition mode, with a ranking.
    return "[Main]\r\nOptions=4128\r\nDirPuzzles=" + shelf.string() + "\r\n";
}

void paste(qv::WPuz& w, const std::string& text)
{
    fw::Clipboard::setText(text);
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
    QTest::qWait(150);
}

}  // namespace

TEST(CertificateExchange, AFinishedGamesCertificateEntersAnotherPlayersRankingAndAForgedOneIsRefused)
{
    ProgramFolder shelf("");
    const auto puzzle = makePuzzle(shelf / "bands.puz", 3, 2, 0, 360, 270, 1);

    // --- First run: Ann finishes the puzzle and makes her certificate.
    std::string certificate;
    {
        ProgramFolder annsFolder(settings(shelf.path()));
        Started ann(annsFolder, puzzle.string());
        ASSERT_EQ(ann.status, 0);
        qv::WPuz& w = ann.window();
        ann.puz().playerName = "Ann";
        for (int i = 0; i < 20 && !(ann.puz().state & qv::Puz::Complete); ++i)
            QTest::keyClick(&w, Qt::Key_F5);
        ASSERT_TRUE(ann.puz().state & qv::Puz::Complete);
        ASSERT_EQ(ann.app->score().state(), qv::ScoreKeeper::Finished);

        QTest::keyClick(&w, Qt::Key_F2);
        const auto infos = w.findChildren<qv::WInfo*>();
        ASSERT_EQ(infos.size(), 1);
        ASSERT_TRUE(infos[0]->offersCertificate());
        fw::Clipboard::setText({});
        qobject_cast<QPushButton*>(infos[0]->control(qv::WInfo::IdCertificate))->click();
        certificate = fw::Clipboard::text();
        const qv::Certificate made = qv::Certificate::Parse(certificate);
        ASSERT_TRUE(made.verified()) << certificate;
        EXPECT_EQ(made.record.player, "Ann");
        EXPECT_EQ(made.record.score, ann.app->score().Score());
        EXPECT_EQ(made.record.helps, ann.app->score().Counters().helps);
        EXPECT_EQ(ann.app->profile().getString("LastCert"), made.Signature());
    }
    fw::Clipboard::setText({});

    // --- Second run: Bob, with his own settings, plays the same puzzle.
    ProgramFolder bobsFolder(settings(shelf.path()));
    Started bob(bobsFolder, puzzle.string());
    ASSERT_EQ(bob.status, 0);
    qv::WPuz& w = bob.window();
    bob.puz().playerName = "Bob";
    qv::LiveRanking& live = bob.app->liveRanking();
    ASSERT_TRUE(live.isOpen());
    auto players = [&] {
        std::vector<std::string> out;
        for (const qv::ScoreRecord& r : live.ranking().records)
            out.push_back(r.player.empty() ? "(game)" : r.player);
        return out;
    };
    ASSERT_EQ(players().size(), 1u);

    // One point more on the Score line: a warning, nothing offered, nothing entered.
    const qv::Certificate sent = qv::Certificate::Parse(certificate);
    std::string forged = certificate;
    const std::string scoreLine = "Score:" + std::to_string(sent.record.score) + "\r\n";
    const size_t at = forged.find(scoreLine);
    ASSERT_NE(at, std::string::npos);
    forged.replace(at, scoreLine.size(), "Score:" + std::to_string(sent.record.score + 1) + "\r\n");
    Said said;
    NextModal modal{[&](QWidget* m) { said = closeMessage(m); }};
    modal.arm();
    paste(w, forged);
    ASSERT_TRUE(modal.seen);
    EXPECT_NE(said.text.find(fw::MessageText(qv::msg::CertificateForged)), std::string::npos) << said.text;
    EXPECT_EQ(said.icons, std::vector<int>{fw::mubox::IconExclamation});
    EXPECT_EQ(players().size(), 1u);
    EXPECT_EQ(fw::Clipboard::text(), "") << "a handled text leaves the clipboard";

    // The real one: shown for acceptance, accepted, placed in Bob's ranking.
    int shownMode = 0;
    NextModal accept{[&](QWidget* m) {
        auto* cert = qobject_cast<qv::WCert*>(m);
        ASSERT_NE(cert, nullptr) << m->metaObject()->className();
        shownMode = cert->mode();
        qobject_cast<QPushButton*>(cert->control(qv::WCert::IdAccept))->click();
    }};
    accept.arm();
    paste(w, certificate);
    ASSERT_TRUE(accept.seen);
    EXPECT_EQ(shownMode, qv::WCert::Received);
    const auto& records = live.ranking().records;
    auto ann = std::find_if(records.begin(), records.end(), [](const qv::ScoreRecord& r) { return r.player == "Ann"; });
    ASSERT_NE(ann, records.end()) << ::testing::PrintToString(players());
    EXPECT_EQ(ann->key, qv::ScoreRecord::Received);
    EXPECT_EQ(ann->score, sent.record.score);
    EXPECT_EQ(ann->time, sent.record.time);
    EXPECT_EQ(ann->moves, sent.record.moves);
    qv::WRanking* shown = bob.app->scoreWindows().rankingWindow();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->showsCurrent());
    EXPECT_EQ(shown->highlightedRow(), static_cast<int>(ann - records.begin()));

    // Bob's save (under the name the save-as dialog proposes) keeps the
    // received result in the puzzle's scores file.
    ASSERT_TRUE(bob.app->SaveGame(false));
    qv::Ranking stored = live.ranking();
    ASSERT_TRUE(stored.Load());
    std::vector<std::pair<std::string, std::string>> keyed;
    for (const qv::ScoreRecord& r : stored.records)
        keyed.emplace_back(r.player, r.key);
    const std::string bobsGame = bob.puz().savedPath.stem().string();
    ASSERT_FALSE(bobsGame.empty());
    EXPECT_EQ(std::count(keyed.begin(), keyed.end(), std::pair<std::string, std::string>("Ann", "*R*")), 1);
    EXPECT_EQ(std::count(keyed.begin(), keyed.end(), std::pair<std::string, std::string>("Bob", bobsGame)), 1);
    EXPECT_EQ(keyed.size(), 2u);
}

// The puzzle's owner notice is what the results of this copy carry: a
// certificate pasted back into the copy it was made with is the player's
// own. The last one made is let go without a word; an older one gets 547.
TEST(CertificateExchange, OwnCertificatesPastedBackAreNeverOfferedForAcceptance)
{
    ProgramFolder shelf("");
    const auto puzzle = makePuzzle(shelf / "bands.puz", 3, 2, 0, 360, 270, 1, "Ann's copy");
    ProgramFolder folder(settings(shelf.path()));
    Started ann(folder, puzzle.string());
    ASSERT_EQ(ann.status, 0);
    qv::WPuz& w = ann.window();
    ann.puz().playerName = "Ann";
    for (int i = 0; i < 20 && !(ann.puz().state & qv::Puz::Complete); ++i)
        QTest::keyClick(&w, Qt::Key_F5);
    ASSERT_TRUE(ann.puz().state & qv::Puz::Complete);
    QTest::keyClick(&w, Qt::Key_F2);
    const auto infos = w.findChildren<qv::WInfo*>();
    ASSERT_EQ(infos.size(), 1);
    qobject_cast<QPushButton*>(infos[0]->control(qv::WInfo::IdCertificate))->click();
    const std::string certificate = fw::Clipboard::text();
    ASSERT_EQ(qv::Certificate::Parse(certificate).record.owner, "Ann's copy");
    infos[0]->close();
    QTest::qWait(50);
    const size_t records = ann.app->liveRanking().ranking().records.size();

    // The last certificate made: nothing is shown.
    NextModal quiet{[](QWidget* m) { m->close(); }};
    quiet.arm();
    paste(w, certificate);
    EXPECT_FALSE(quiet.seen);

    // An older one of the same copy: message 547, not the certificate window.
    ann.app->profile().setString({}, "LastCert", "another");
    Said said;
    bool certificateShown = false;
    NextModal modal{[&](QWidget* m) {
        certificateShown = qobject_cast<qv::WCert*>(m) != nullptr;
        said = closeMessage(m);
    }};
    modal.arm();
    paste(w, certificate);
    ASSERT_TRUE(modal.seen);
    EXPECT_FALSE(certificateShown);
    EXPECT_NE(said.text.find(fw::MessageText(547)), std::string::npos) << said.text;
    EXPECT_EQ(ann.app->liveRanking().ranking().records.size(), records);
}
