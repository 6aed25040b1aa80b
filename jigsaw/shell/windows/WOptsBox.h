#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>

#include "framework/Options.h"
#include "framework/qt/WBaseInfo.h"

namespace fw {
class WBkgField;
}

namespace qv {

class Puz;

// What the box options window asks of the play window that opened it.
class BoxOptionsHost {
public:
    virtual ~BoxOptionsHost() = default;
    // Button 2603: message 987 over the box window, with the loupe hidden
    // and the clock paused for reason 8 while it shows.
    virtual void showPause() = 0;
    // OK changed the box: its name, colour or closed flag (flag 0x01, shown
    // as an icon). The window repaints a closed box and opens or closes it.
    virtual void boxChanged(int box) = 0;
    // OK repaints the preview area.
    virtual void repaintPreview() = 0;
};

// The properties of one box (command 1116 from a box's menu): its name, the
// closed flag of its record, the options-word bit 0x4000 (no sound when a
// box opens or closes) and, in the colour mode, the box's colour picked
// from a colour field. OK applies them; Cancel leaves everything.
//
//   qv::WOptsBox w(boxWindow, puz, boxIndex, options, host, programDir, withColour);
//   w.RunModal();   // 1 OK (applied), 2 Cancel
class WOptsBox : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum : int {
        IdName = 2601,
        IdFolder = 2602,
        IdPause = 2603,
        IdClosed = 2604,
        IdNoBoxSound = 2605,
        IdColour = 2606,
        NameWidth = 20,
    };
    static constexpr int HelpTopic = 117;

    WOptsBox(QWidget* parent, Puz& puz, int box, fw::Options& options, BoxOptionsHost& host,
             const std::filesystem::path& programDir, bool withColour);

    void setHelp(std::function<void(int topic)> help) { m_help = std::move(help); }
    // The colour picked so far (0x00BBGGRR), the box's own until one is picked.
    uint32_t colour() const { return m_colour; }
    fw::WBkgField* colourField() const { return m_field; }

protected:
    bool OnCommand(const fw::CommandEvent& event) override;

private:
    void layOut(const std::filesystem::path& programDir);
    void apply();
    void showColour();

    Puz& m_puz;
    int m_box;
    fw::Options& m_options;
    BoxOptionsHost& m_host;
    bool m_withColour;
    uint32_t m_colour;
    fw::WBkgField* m_field = nullptr;
    std::function<void(int)> m_help;
};

}  // namespace qv
