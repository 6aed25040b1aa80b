#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>

#include "framework/Options.h"
#include "framework/Profile.h"
#include "framework/Traductor.h"
#include "framework/qt/WBaseInfo.h"

namespace qv {

// The options window (command 1008, key F3): one check box per bit of the
// options word, in three groups. OK takes the boxes into the options word
// and marks the options changed when the word differs; Cancel leaves it.
// The options are written to the settings file when the window is
// destroyed, and only when something changed. Given the translation layer,
// it also offers the languages that have a file; OK with another language
// switches to it at once (remembered as "lang", windows told).
//
//   qv::WOptions w(playWindow, options, profile, programDir, &traductor);
//   w.RunModal();   // 1 OK, 2 Cancel; the word is saved when w goes
class WOptions : public fw::WBaseInfo {
    Q_OBJECT

public:
    struct Check {
        int control;
        uint32_t bit;
        bool inverted;  // checked = bit clear
    };
    static const Check kChecks[11];
    static constexpr int HelpTopic = 155;
    static constexpr int IdLanguage = 2530;
    static constexpr int IdAdvanced = 1112;  // the button that opens the advanced options

    WOptions(QWidget* parent, fw::Options& options, fw::Profile& profile, const std::filesystem::path& programDir,
             fw::Traductor* traductor = nullptr);
    ~WOptions() override;

    // Where the help key goes (the help file at a topic).
    void setHelp(std::function<void(int topic)> help) { m_help = std::move(help); }
    // What the advanced options button opens (the window of command 1112).
    void setAdvanced(std::function<void()> open) { m_advanced = std::move(open); }

    // The options word the check boxes show now.
    uint32_t wordFromChecks() const;

protected:
    bool OnCommand(const fw::CommandEvent& event) override;

private:
    void layOut(const std::filesystem::path& programDir);
    int addLanguageChoice(int y);
    void applyLanguage();

    fw::Options& m_options;
    fw::Profile& m_profile;
    fw::Traductor* m_traductor;
    std::function<void(int)> m_help;
    std::function<void()> m_advanced;
};

}  // namespace qv
