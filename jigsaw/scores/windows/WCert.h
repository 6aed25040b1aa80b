#pragma once
#include "framework/qt/WBaseInfo.h"
#include "jigsaw/scores/Certificate.h"

namespace qv {

class LiveRanking;
class ScoresHost;

// One result shown as a certificate: the puzzle, its size, the player, the
// owner and the score. A received certificate waits to be accepted; the
// others are only shown.
class WCert : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum Mode : int {
        Received = 1,       // awaiting acceptance: Accept, Help, Cancel
        JustMade = 2,       // the certificate of the finished game
        RankingRecord = 4,  // a result of the current ranking
    };
    enum : int {
        IdAccept = 4500,
        IdHeading = 10,
        IdTitle,
        IdPieces,
        IdPlayer,
        IdOwner,
        IdScore,
    };

    WCert(const Certificate& certificate, Mode mode, const ScoresHost& host, QWidget* parent = nullptr);

    // Shows a received certificate modally; true when the user accepts it.
    static bool AskAccept(const Certificate& certificate, const ScoresHost& host, QWidget* parent);

    Mode mode() const { return m_mode; }
    const Certificate& certificate() const { return m_certificate; }

signals:
    void helpRequested(int topic);

protected:
    bool OnCommand(const fw::CommandEvent& event) override;
    bool OnCloseRequest() override;

private:
    void build(const ScoresHost& host);
    int addRule(int y, int width);
    void finish(int result);

    Certificate m_certificate;
    Mode m_mode;
};

// The certificate of the open game, which must be finished: placed on the
// clipboard, its signature kept as "LastCert", and shown in a window that
// deletes itself when closed.
WCert* MakeCertificate(const LiveRanking& live, ScoresHost& host, QWidget* parent);

}  // namespace qv
