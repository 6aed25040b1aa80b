#include "jigsaw/shell/windows/WAdvanced.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QSysInfo>

#include "framework/Markup.h"
#include "framework/qt/Clipboard.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/UiText.h"
#include "jigsaw/document/Puz.h"

namespace qv {

namespace {
constexpr int kWidth = 440;
const char* const kForceKey = "ForceDIRotate";
// The warning's two lines are joined by two middle dots, which the text
// layout of the window framework turns into line breaks.
const char* const kWarning =
    "Warning: This options could slowdown significantly the program.\xB7\xB7"
    "Check it only if there are problems when rotating pieces";

const char* const kUndoHint = "If you don't see any improvement in the program, return here and unckeck this";

std::string withBreaks(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\xB7' ? '\n' : c;
    return out;
}
}  // namespace

WAdvanced::WAdvanced(QWidget* parent, fw::Profile& profile, fw::Options& options, const Puz* puz,
                     std::filesystem::path programFile, std::string programName)
    : WBaseInfo(parent, "Especial options"), m_profile(profile), m_options(options), m_puz(puz),
      m_programFile(std::move(programFile)), m_programName(std::move(programName))
{
    int y = 12;
    addButton(IdReport, QRect(12, y, kWidth - 24, 30), "Copy System info to Clipboard");
    y += 44;
    addCheck(IdForceDIRotate, QRect(12, y, kWidth - 24, 22), kForceKey, m_profile.getInt(kForceKey) != 0);
    y += 26;
    addText(IdWarning, QRect(30, y, kWidth - 42, 52), withBreaks(kWarning));
    y += 60;
    addCheck(IdCompatible, QRect(12, y, kWidth - 24, 22), fw::UiText::lookup(4, IdCompatible),
             (m_options.word & CompatibleBit) != 0);
    y += 36;
    addButton(IdOk, QRect(kWidth - 2 * 96, y, 86, 28), {}, true);
    addButton(IdCancel, QRect(kWidth - 96, y, 86, 28));
    setClientSize(kWidth, y + 40);
}

bool WAdvanced::OnControl(const fw::ControlEvent& event)
{
    if (event.id() == IdForceDIRotate) {
        const bool on = isChecked(IdForceDIRotate);
        m_profile.setInt({}, kForceKey, on ? 1 : 0);
        if (m_forceHook)
            m_forceHook(on);
        if (on) {
            fw::MUBox box(this, fw::MarkupMessage(kUndoHint, "Especial options", fw::mb::Ok | fw::mb::IconExclamation));
            box.setForeground(true);
            box.Execute();
        }
        return true;
    }
    if (event.id() == IdCompatible) {
        const bool on = isChecked(IdCompatible);
        m_options.word = on ? m_options.word | CompatibleBit : m_options.word & ~CompatibleBit;
        m_options.changed = 1;
        return true;
    }
    return false;
}

bool WAdvanced::OnCommand(const fw::CommandEvent& event)
{
    if (event.command() == IdReport) {
        fw::Clipboard::setText(report());
        return true;
    }
    return WBaseInfo::OnCommand(event);
}

SystemFacts WAdvanced::gatherFacts() const
{
    SystemFacts f;
    f.program = m_programName;
    f.windowSystem = QGuiApplication::platformName().toStdString() + " (Qt " + qVersion() + ", " +
                     QSysInfo::prettyProductName().toStdString() + ", kernel " +
                     QSysInfo::kernelVersion().toStdString() + ")";
    f.processor = QSysInfo::currentCpuArchitecture().toStdString();
    QScreen* screen = window()->screen() ? window()->screen() : QGuiApplication::primaryScreen();
    const int depth = screen ? screen->depth() : 32;
    const QSize size = screen ? screen->size() : QSize();
    // A bitmap made for the play window has the screen's format.
    const QImage probe(std::max(1, parentWidget() ? parentWidget()->window()->width() : width()), 1,
                       depth >= 24 ? QImage::Format_RGB32 : QImage::Format_RGB16);
    f.bitsPerPixel = probe.depth();
    f.planes = 1;
    f.widthBytes = static_cast<int>(probe.bytesPerLine());
    if (m_puz && !m_puz->maskSheet.isNull())
        f.maskBits = 32;  // the sheets are 32-bit bitmaps of our own
    const std::string na = "-";  // a figure this platform does not have
    f.capabilities = {
        {"Technol", "1"},  // a raster display
        {"HRes", std::to_string(size.width())},
        {"VRes", std::to_string(size.height())},
        {"BitsPix", std::to_string(depth)},
        {"Planes", "1"},
        {"Clip", "1"},
        {"NumColors", depth > 8 ? "-1" : std::to_string(1 << depth)},
        {"Sizepal", depth > 8 ? "0" : std::to_string(1 << depth)},
        {"Numres", depth > 8 ? "0" : "20"},
        {"Colorres", std::to_string(depth > 24 ? 24 : depth)},
        {"Rastercaps", na},
        {"Curve", na},
        {"Line", na},
        {"Text", na},
    };
    // Pixels of our bitmaps are 0x00RRGGBB: red, green and blue masks and shifts.
    f.xMaskScreen = "16711680,65280,255";
    f.lShift = "16,8,0";
    f.programFile = m_programFile;
    f.settingsFile = m_profile.path();
    return f;
}

}  // namespace qv
