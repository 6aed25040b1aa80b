#pragma once
#include <string>
#include <utility>
#include <vector>

#include "framework/qt/WBaseInfo.h"

namespace qv {

class LiveRanking;
class Puz;
class ScoresHost;
class WCert;

// The facts of the open puzzle (command 1106): title, player, grid and
// pieces, picture size, options, rights notice, dates, time, moves, helps
// and score. Once the puzzle is finished it offers to make a certificate.
class WInfo : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum : int { IdCertificate = 4501, HelpTopic = 107 };

    WInfo(const Puz& puz, const LiveRanking& live, ScoresHost& host, QWidget* parent = nullptr);

    // The lines shown, label and value, top to bottom.
    const std::vector<std::pair<std::string, std::string>>& lines() const { return m_lines; }
    bool offersCertificate() const { return control(IdCertificate) != nullptr; }
    // Makes the certificate of the finished game (the command of the button).
    WCert* makeCertificate();

signals:
    void helpRequested(int topic);

protected:
    bool OnCommand(const fw::CommandEvent& event) override;
    bool OnCloseRequest() override;

private:
    void collect(const Puz& puz);
    void build(bool finished);

    const LiveRanking& m_live;
    ScoresHost& m_host;
    std::vector<std::pair<std::string, std::string>> m_lines;
};

}  // namespace qv
