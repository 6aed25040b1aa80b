#include "jigsaw/shell/windows/WOptsBox.h"

#include <QLabel>

#include "framework/Bitmap.h"
#include "framework/qt/Text.h"
#include "framework/qt/UiText.h"
#include "framework/qt/WBkgField.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/PlaySession.h"
#include "jigsaw/shell/OptionTexts.h"

namespace qv {

namespace {
constexpr int kWidth = 420;
constexpr int kSwatch = 2607;
constexpr uint8_t kBoxClosed = 0x01;
}  // namespace

WOptsBox::WOptsBox(QWidget* parent, Puz& puz, int box, fw::Options& options, BoxOptionsHost& host,
                   const std::filesystem::path& programDir, bool withColour)
    : WBaseInfo(parent), m_puz(puz), m_box(box), m_options(options), m_host(host), m_withColour(withColour),
      m_colour(puz.boxes.at(static_cast<size_t>(box)).colour)
{
    setTitle(plainCaption(fw::UiText::lookupOr(4, 1116, "Box options")));
    layOut(programDir);
}

void WOptsBox::layOut(const std::filesystem::path& programDir)
{
    const Box& box = m_puz.boxes.at(static_cast<size_t>(m_box));
    int y = 12;
    addText(0, QRect(12, y, 110, 24), plainCaption(fw::UiText::lookupOr(1, 2600, "Box")) + ":");
    addEdit(IdName, QRect(126, y, 20 * 9, 24), box.name, NameWidth);
    y += 34;
    addText(IdFolder, QRect(12, y, kWidth - 24, 34),
            fillText(fw::UiText::lookupOr(1, IdFolder, "Sounds and settings are kept in %s"), programDir.string()));
    y += 40;
    addCheck(IdClosed, QRect(12, y, kWidth - 24, 22), fw::UiText::lookup(4, IdClosed), box.flags & kBoxClosed);
    y += 26;
    addCheck(IdNoBoxSound, QRect(12, y, kWidth - 24, 22), fw::UiText::lookup(4, IdNoBoxSound),
             (m_options.word & fw::opt::NoBoxSound) != 0);
    y += 32;
    if (m_withColour) {
        addText(IdColour, QRect(12, y, kWidth - 24, 20), fw::UiText::lookupOr(1, IdColour, "Colour of the box (click the field):"));
        y += 24;
        m_field = new fw::WBkgField(this);
        m_field->setGeometry(12, y, kWidth - 24 - 56, 70);
        m_field->setField({});
        m_field->show();
        connect(m_field, &fw::WBkgField::picked, this, [this](uint32_t colour, int) {
            m_colour = colour;
            showColour();
        });
        QLabel* swatch = addText(kSwatch, QRect(kWidth - 12 - 48, y, 48, 70), {});
        swatch->setAutoFillBackground(true);
        swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        showColour();
        y += 80;
    }
    addButton(IdPause, QRect(12, y, 100, 28));
    addButton(IdOk, QRect(kWidth - 3 * 96, y, 86, 28), {}, true);
    addButton(IdCancel, QRect(kWidth - 2 * 96, y, 86, 28));
    addButton(IdHelp, QRect(kWidth - 96, y, 86, 28));
    setClientSize(kWidth, y + 40);
}

void WOptsBox::showColour()
{
    auto* swatch = qobject_cast<QLabel*>(control(kSwatch));
    if (!swatch)
        return;
    QPalette pal = swatch->palette();
    const QColor shown = m_colour == Box::NoColour ? QColor(Qt::white) : QColor::fromRgb(fw::pixelFromColorRef(m_colour));
    pal.setColor(QPalette::Window, shown);
    swatch->setPalette(pal);
}

void WOptsBox::apply()
{
    PlaySession::editBox(m_puz, m_box, text(IdName), m_withColour ? std::optional(m_colour) : std::nullopt,
                         isChecked(IdClosed));
    m_options.word = isChecked(IdNoBoxSound) ? m_options.word | fw::opt::NoBoxSound
                                              : m_options.word & ~fw::opt::NoBoxSound;
    m_options.changed = 1;
    m_host.boxChanged(m_box);
    m_host.repaintPreview();
}

bool WOptsBox::OnCommand(const fw::CommandEvent& event)
{
    switch (event.command()) {
    case IdOk:
        apply();
        break;
    case IdPause:
        m_host.showPause();
        return true;
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
