#include <QPushButton>
#include <QTimer>

#include "ScoreWindowsFixture.h"
#include "framework/qt/Clipboard.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/scores/windows/WCert.h"
#include "jigsaw/scores/windows/ScoreWindowText.h"
#include "jigsaw/scores/windows/WInfo.h"

using namespace qv;
using namespace qv::test;

namespace {

Certificate sample(std::string owner = "Tide Press")
{
    Certificate c;
    c.title = "Castle by the Sea";
    c.level = 2;
    c.columns = 8;
    c.rows = 10;
    c.flags = Ranking::NoRotable;
    c.record.key = ScoreRecord::Received;
    c.record.player = "Marta Ruiz";
    c.record.owner = std::move(owner);
    c.record.score = 118400;
    return c;
}

// Clicks a button of the modal window that is showing, once it shows.
void clickWhenShown(int id)
{
    QTimer::singleShot(0, [id] {
        auto* cert = qobject_cast<WCert*>(QApplication::activeModalWidget());
        ASSERT_NE(cert, nullptr);
        qobject_cast<QPushButton*>(cert->control(id))->click();
    });
}

}  // namespace

TEST_F(ScoreWindowsTest, CertificateModesHaveTheirHeadingsButtonsAndOwnerLine)
{
    struct Case {
        WCert::Mode mode;
        bool received;
        const char* heading;
        std::vector<int> present, absent;
        const char* owner;
    };
    const Case cases[] = {
        {WCert::Received, true, "Certificate received", {4500, 119, 2}, {1}, "Tide Press"},
        {WCert::JustMade, false, "Your new certificate", {119, 1}, {4500, 2}, "Tide Press"},
        {WCert::RankingRecord, false, "Certificate", {119, 1}, {4500, 2}, "Local"},
        {WCert::RankingRecord, true, "Certificate", {119, 1}, {4500, 2}, "Tide Press"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Certificate cert = sample();
        cert.record.key = c.received ? ScoreRecord::Received : "evening";
        WCert w(cert, c.mode, host);
        EXPECT_EQ(w.text(WCert::IdHeading), c.heading);
        EXPECT_EQ(w.text(WCert::IdOwner), c.owner);
        EXPECT_EQ(w.text(WCert::IdTitle), "Castle by the Sea");
        EXPECT_EQ(w.text(WCert::IdPieces), "80 pieces, no rotation");
        EXPECT_EQ(w.text(WCert::IdScore), "118,400");
        for (int id : c.present)
            EXPECT_NE(w.control(id), nullptr) << id;
        for (int id : c.absent)
            EXPECT_EQ(w.control(id), nullptr) << id;
    }
}

TEST_F(ScoreWindowsTest, AReceivedCertificateIsAcceptedOnlyByItsAcceptButton)
{
    clickWhenShown(WCert::IdAccept);
    EXPECT_TRUE(WCert::AskAccept(sample(), host, nullptr));
    clickWhenShown(WCert::IdCancel);
    EXPECT_FALSE(WCert::AskAccept(sample(), host, nullptr));

    // Accept does nothing in a certificate that is only shown.
    WCert shown(sample(), WCert::RankingRecord, host);
    shown.show();
    EXPECT_TRUE(shown.sendCommand(WCert::IdAccept));
    EXPECT_TRUE(shown.isVisible());

    WCert w(sample(), WCert::Received, host);
    w.show();
    fw::saveScreenshot(w, "certificate_received");
}

TEST_F(ScoreWindowsTest, InformationOffersACertificateOnlyOnceThePuzzleIsFinished)
{
    storeRanking();
    Puz puz;
    puz.entry.title = game.title;
    puz.playerName = game.player;
    puz.sizeIndex = 2;
    puz.rows[2] = 8;
    puz.columns[2] = 10;
    puz.options = Puz::NoRotable | Puz::NoPreview;
    puz.rights = "Picture (c) Tide Press, all rights reserved.";
    puz.dateStart = 20240307;
    puz.pieces.resize(80);

    playAWhile();
    {
        WInfo running(puz, *live, host);
        EXPECT_FALSE(running.offersCertificate());
        EXPECT_EQ(running.makeCertificate(), nullptr);
        auto has = [&](const std::string& label, const std::string& value) {
            for (const auto& line : running.lines()) {
                if (line.first == label)
                    return line.second == value;
            }
            return false;
        };
        EXPECT_TRUE(has("Puzzle:", "Castle by the Sea"));
        EXPECT_TRUE(has("Options:", "no rotation, no preview"));
        EXPECT_TRUE(has("Started:", "07" + std::string(1, localeDateSeparator()) + "03" +
                                        std::string(1, localeDateSeparator()) + "2024"));
        EXPECT_TRUE(has("Moves:", "120"));
        // Columns first, as the library lists the sizes.
        EXPECT_TRUE(has("Size:", "10 x 8 (80 pieces)"));
        EXPECT_TRUE(has("Time:", "00:18:04.0"));
        running.show();
        fw::saveScreenshot(running, "information");
    }

    join(142 - 45);
    keeper.Finish();
    WInfo finished(puz, *live, host);
    ASSERT_TRUE(finished.offersCertificate());
    WCert* cert = finished.makeCertificate();
    ASSERT_NE(cert, nullptr);
    EXPECT_EQ(cert->mode(), WCert::JustMade);
    const std::string clip = fw::Clipboard::text();
    EXPECT_NE(clip.find("BOC{"), std::string::npos);
    EXPECT_NE(clip.find("Player:Ann Lee"), std::string::npos);
    ASSERT_EQ(host.storedCertificates.size(), 1u);
    EXPECT_EQ(host.storedCertificates[0], cert->certificate().Signature());
    // What was placed on the clipboard reads back as a sound certificate.
    EXPECT_TRUE(Certificate::Parse(clip).verified());
    fw::saveScreenshot(*cert, "certificate_made");
}
