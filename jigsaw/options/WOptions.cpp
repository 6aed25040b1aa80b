#include "jigsaw/options/WOptions.h"

#include <QCheckBox>

#include "framework/qt/Text.h"
#include "framework/qt/UiText.h"
#include "jigsaw/options/OptionTexts.h"

namespace qv {

const WOptions::Check WOptions::kChecks[11] = {
    // defaults for new games
    {2500, fw::opt::DefCompetition, false},
    {2501, fw::opt::DefAutoSave, false},
    {2502, fw::opt::DefHideBoxes, false},
    {2503, fw::opt::DefHidePreview, false},
    {2504, fw::opt::DefHideScore, false},
    // effects
    {2512, fw::opt::DragEffect, false},
    {2514, 0x0800, false},
    {2515, fw::opt::NoAnimations, false},
    // behaviour
    {2505, fw::opt::Mute, false},
    {2511, fw::opt::EscMinimizes, false},
    {2513, fw::opt::NoBalloons, true},
};

namespace {
constexpr int kWidth = 440;
constexpr int kRow = 24;
constexpr int kFrameNewGames = 2520;
constexpr int kFrameInstallation = 566;

bool checkedFor(const WOptions::Check& c, uint32_t word)
{
    const bool set = (word & c.bit) != 0;
    return c.inverted ? !set : set;
}
}  // namespace

WOptions::WOptions(QWidget* parent, fw::Options& options, fw::Profile& profile,
                   const std::filesystem::path& programDir)
    : WBaseInfo(parent), m_options(options), m_profile(profile)
{
    setTitle(textOr(1, 809, "Options"));
    layOut(programDir);
}

WOptions::~WOptions()
{
    if (!m_options.changed)
        return;
    m_options.save(m_profile);
    m_options.changed = 0;
}

void WOptions::layOut(const std::filesystem::path& programDir)
{
    const std::string forNewGames = textOr(1, 571, " (for new games)");
    int y = 10;
    addFrame(kFrameNewGames, QRect(10, y, kWidth - 20, 5 * kRow + 34), textOr(1, kFrameNewGames, "New games"));
    y += 24;
    size_t i = 0;
    for (; i < 5; ++i, y += kRow) {
        const Check& c = kChecks[i];
        const std::string caption = fw::UiText::lookup(4, c.control);
        QCheckBox* box = addCheck(c.control, QRect(24, y, kWidth - 48, kRow - 2), caption, checkedFor(c, m_options.word));
        // The hint tells that the box sets a default, not the open game.
        box->setToolTip(fw::toQString(plainCaption(caption) + forNewGames));
    }
    y += 22;
    const std::string installation = fillText(textOr(1, kFrameInstallation, "This installation (%s)"),
                                              programDir.string());
    addFrame(kFrameInstallation, QRect(10, y, kWidth - 20, 6 * kRow + 44), installation);
    y += 24;
    for (; i < std::size(kChecks); ++i, y += kRow) {
        if (i == 8)
            y += 10;  // effects above, behaviour below
        const Check& c = kChecks[i];
        addCheck(c.control, QRect(24, y, kWidth - 48, kRow - 2), fw::UiText::lookup(4, c.control),
                 checkedFor(c, m_options.word));
    }
    y += 24;
    addButton(IdOk, QRect(kWidth - 3 * 96, y, 86, 28), {}, true);
    addButton(IdCancel, QRect(kWidth - 2 * 96, y, 86, 28));
    addButton(IdHelp, QRect(kWidth - 96, y, 86, 28));
    setClientSize(kWidth, y + 40);
}

uint32_t WOptions::wordFromChecks() const
{
    uint32_t word = m_options.word;
    for (const Check& c : kChecks) {
        const bool on = isChecked(c.control) != c.inverted;
        word = on ? word | c.bit : word & ~c.bit;
    }
    return word;
}

bool WOptions::OnCommand(const fw::CommandEvent& event)
{
    switch (event.command()) {
    case IdOk: {
        const uint32_t word = wordFromChecks();
        if (word != m_options.word) {
            // The open game keeps its own options; the defaults apply to new games.
            m_options.word = word;
            m_options.changed = 1;
        }
        break;
    }
    case IdHelp:
        if (m_help)
            m_help(HelpTopic);
        return true;
    default:
        break;
    }
    return WBaseInfo::OnCommand(event);
}

}  // namespace qv
