#include "jigsaw/shell/windows/WOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <algorithm>

#include "framework/qt/Text.h"
#include "framework/qt/UiText.h"
#include "jigsaw/shell/OptionTexts.h"

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

// Each language by its own name, so that a player who cannot read the
// current one still finds theirs (Windows-1252).
std::string languageName(const std::string& code)
{
    static const struct {
        const char* code;
        const char* name;
    } kNames[] = {{"eng", "English"}, {"cas", "Espa\xF1ol"},  {"cat", "Catal\xE0"},
                  {"deu", "Deutsch"}, {"fra", "Fran\xE7" "ais"}, {"ita", "Italiano"}};
    for (const auto& n : kNames) {
        if (code == n.code)
            return n.name;
    }
    return code;
}

QIcon flagIcon(const fw::Bitmap& flag)
{
    if (flag.isNull())
        return {};
    const QImage view(reinterpret_cast<const uchar*>(flag.bits()), flag.width(), flag.height(), flag.width() * 4,
                      QImage::Format_RGB32);
    return QIcon(QPixmap::fromImage(view.copy()));
}
}  // namespace

WOptions::WOptions(QWidget* parent, fw::Options& options, fw::Profile& profile,
                   const std::filesystem::path& programDir, fw::Traductor* traductor)
    : WBaseInfo(parent), m_options(options), m_profile(profile), m_traductor(traductor)
{
    setTitle(fw::UiText::lookupOr(1, 809, "Options"));
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
    const std::string forNewGames = fw::UiText::lookupOr(1, 571, " (for new games)");
    int y = 10;
    addFrame(kFrameNewGames, QRect(10, y, kWidth - 20, 5 * kRow + 34), fw::UiText::lookupOr(1, kFrameNewGames, "New games"));
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
    const std::string installation = fillText(fw::UiText::lookupOr(1, kFrameInstallation, "This installation (%s)"),
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
    if (m_traductor && !m_traductor->languages().empty())
        y = addLanguageChoice(y);
    addButton(IdAdvanced, QRect(10, y, kWidth - 3 * 96 - 20, 28), fw::UiText::lookup(4, IdAdvanced));
    addButton(IdOk, QRect(kWidth - 3 * 96, y, 86, 28), {}, true);
    addButton(IdCancel, QRect(kWidth - 2 * 96, y, 86, 28));
    addButton(IdHelp, QRect(kWidth - 96, y, 86, 28));
    setClientSize(kWidth, y + 40);
}

int WOptions::addLanguageChoice(int y)
{
    const std::vector<std::string>& codes = m_traductor->languages();
    std::vector<std::string> names;
    for (const std::string& c : codes)
        names.push_back(languageName(c));
    QLabel* label = addText(IdLanguage + 1, QRect(24, y + 2, 140, kRow), fw::UiText::lookupOr(4, IdLanguage, "&Language:"));
    QComboBox* list = addList(IdLanguage, QRect(170, y, kWidth - 194, kRow + 4), names,
                              std::max(0, m_traductor->currentIndex()));
    label->setBuddy(list);  // the '&' letter reaches the list
    const std::vector<fw::Bitmap>& flags = m_traductor->flags();
    for (size_t k = 0; k < flags.size() && k < codes.size(); ++k)
        list->setItemIcon(static_cast<int>(k), flagIcon(flags[k]));
    return y + kRow + 20;
}

// Another language is loaded and remembered; the translation layer then
// tells the program, which rebuilds its menus and window texts.
void WOptions::applyLanguage()
{
    if (!m_traductor || !control(IdLanguage))
        return;
    const int chosen = selection(IdLanguage);
    if (chosen >= 0 && chosen != m_traductor->currentIndex())
        m_traductor->SetLanguage(chosen, true);
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
            // The open game keeps its own options; the defaults apply to
            // the next new game, from now on.
            m_options.word = word;
            m_options.gameDefaults = fw::Options::deriveGameDefaults(word);
            m_options.changed = 1;
        }
        applyLanguage();
        break;
    }
    case IdHelp:
        if (m_help)
            m_help(HelpTopic);
        return true;
    case IdAdvanced:
        if (m_advanced)
            m_advanced();
        return true;
    default:
        break;
    }
    return WBaseInfo::OnCommand(event);
}

}  // namespace qv
