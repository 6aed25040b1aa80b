#pragma once
#include <functional>

#include "jigsaw/scores/ScoresHost.h"

class QWidget;

namespace fw {
class Profile;
class Traductor;
}  // namespace fw

namespace qv {

class ScoreWindows;

// The scores code's view of the running program: texts through the
// translation, the locale's number format, "LastCert" in the settings, the
// library's shelf, message boxes over the play window, and the score
// windows for everything that shows a ranking or a certificate.
class ShellScoresHost : public ScoresHost {
public:
    ShellScoresHost(const fw::Traductor& traductor, fw::Profile& profile, const ShelfLookup& shelf,
                    std::function<void()> changed);

    // The windows, once they exist (null again when they are gone): message
    // boxes show over the play window, the rest in the score windows.
    void setWindows(QWidget* playWindow, ScoreWindows* windows)
    {
        m_window = playWindow;
        m_windows = windows;
    }

    // ShelfLookup
    std::filesystem::path shelfDirectory() const override { return m_shelf.shelfDirectory(); }
    std::optional<ShelfPuzzle> FindPuzzleByTitle(const std::string& title) const override
    {
        return m_shelf.FindPuzzleByTitle(title);
    }

    std::string text(int id) const override;
    char thousandsSeparator() const override;
    std::string lastCertificate() const override;
    void storeLastCertificate(const std::string& signature) override;
    void updateMiniScore(unsigned changes) override;
    void closeRankingWindow() override;
    void gameFinished() override;
    void markDocumentChanged() override;
    bool acceptCertificate(const Certificate& certificate) override;
    void showRankingRow(const Ranking& ranking, int row) override;
    void showReceivedRanking(const ReceivedRanking& received) override;
    void showMessage(const fw::Status& status, MessageIcon icon) override;
    void emptyClipboard() override;

private:
    const fw::Traductor& m_traductor;
    fw::Profile& m_profile;
    const ShelfLookup& m_shelf;
    QWidget* m_window = nullptr;
    std::function<void()> m_changed;
    ScoreWindows* m_windows = nullptr;
};

}  // namespace qv
