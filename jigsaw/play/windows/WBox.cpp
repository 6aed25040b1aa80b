#include "jigsaw/play/windows/WBox.h"

#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include "framework/Bitmap.h"
#include "framework/VirtualKey.h"
#include "framework/qt/Text.h"
#include "jigsaw/play/CommandIds.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/Marker.h"
#include "jigsaw/play/windows/SurfaceMouse.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/PlayHost.h"
#include "jigsaw/play/PlaySession.h"

namespace qv {

namespace {
constexpr uint32_t kDefaultBoxColour = 0x455A6B;  // 0x00BBGGRR
}  // namespace

WBox::WBox(PlayContext& context, PlayHost& play, int index)
    : WSPuz(context, static_cast<uint8_t>(index), &play.table()), m_host(play), m_play(play.table()),
      m_ground(play.tableBackground().bitsPerPixel())
{
    setCommandTarget(m_play.commandTarget());
    // The keyboard comes to a box when the player clicks it, never by
    // itself when the play window is activated.
    setFocusPolicy(Qt::ClickFocus);
    buildMenu();
}

WBox::~WBox() = default;

bool WBox::isClosed() const
{
    const Puz& puz = context().puz;
    return index() < static_cast<int>(puz.boxes.size()) && (puz.boxes[index()].flags & 0x01);
}

void WBox::setClosed(bool closed)
{
    PlayReport r = m_host.session().setBoxClosed(index(), closed);
    if (!r.done)
        return;
    m_host.present(std::move(r));
    applyState();
    m_host.storeBoxPlaces();
}

void WBox::place(QRect openRect, QPoint iconPos)
{
    m_openRect = openRect;
    m_iconPos = iconPos;
    keepOnScreen();
    applyState();
}

// Boxes larger than the screen shrink to it less 28 pixels; a box off the
// screen comes back inside with a margin of 16.
void WBox::keepOnScreen()
{
    const QRect screen = m_play.rect();
    if (screen.width() <= 0 || screen.height() <= 0)
        return;
    if (m_openRect.width() > screen.width())
        m_openRect.setWidth(screen.width() - IconSize);
    if (m_openRect.height() > screen.height())
        m_openRect.setHeight(screen.height() - IconSize);
    auto inside = [&](QRect r) {
        if (r.right() < ScreenMargin || r.left() > screen.width() - ScreenMargin || r.bottom() < ScreenMargin ||
            r.top() > screen.height() - ScreenMargin) {
            r.moveLeft(std::clamp(r.left(), ScreenMargin, std::max(ScreenMargin, screen.width() - r.width() - ScreenMargin)));
            r.moveTop(std::clamp(r.top(), ScreenMargin, std::max(ScreenMargin, screen.height() - r.height() - ScreenMargin)));
        }
        return r;
    };
    m_openRect = inside(m_openRect);
    m_iconPos = inside(QRect(m_iconPos, QSize(IconSize, IconSize))).topLeft();
}

void WBox::applyState()
{
    setGeometry(isClosed() ? QRect(m_iconPos, QSize(IconSize, IconSize)) : m_openRect);
    buildMenu();
    update();
}

void WBox::buildMenu()
{
    const PlayShell& shell = context().shell;
    fw::Menu m;
    m.addText(cmd::Tidy, shell.caption(cmd::Tidy));
    m.addText(cmd::BoxOptions, shell.caption(cmd::BoxOptions));
    m.addText(cmd::BoxOpenClose, shell.caption(cmd::BoxOpenClose, isClosed() ? 1 : 0));
    m.separator();
    m.addText(cmd::Pause, shell.caption(cmd::Pause));
    m.addText(cmd::Help, shell.caption(cmd::Help));
    setWindowMenu(std::move(m));
}

bool WBox::pressEmptyOrClosed(const fw::MouseEvent& e, bool onPiece)
{
    if (!isClosed() && (onPiece || (e.modifiers() & fw::mod::Ctrl)))
        return false;
    if (e.doubleClick()) {
        setClosed(!isClosed());
        return true;
    }
    m_moving = true;
    m_moveGrab = m_play.mapFromGlobal(mapToGlobal(QPoint(e.x(), e.y()))) - pos();
    captureMouse();
    return true;
}

bool WBox::onFrame(QPoint at) const
{
    if (!rect().contains(at))
        return false;
    return isClosed() || !rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth).contains(at);
}

void WBox::moveWith(QPoint global)
{
    move(m_play.mapFromGlobal(global) - m_moveGrab);
}

void WBox::endMove()
{
    m_moving = false;
    releaseMouseCapture();
    if (isClosed())
        m_iconPos = pos();
    else
        m_openRect.moveTopLeft(pos());
    keepOnScreen();
    applyState();
    m_host.boxWindowMoved(index());
}

void WBox::prepareGround()
{
    const Puz& puz = context().puz;
    uint32_t colour = kDefaultBoxColour;
    if (index() < static_cast<int>(puz.boxes.size()) && puz.boxes[index()].colour != Box::NoColour)
        colour = puz.boxes[index()].colour & 0xFFFFFF;
    const fw::Background& table = m_host.tableBackground();
    if (m_groundStamp == m_host.backgroundStamp() && colour == m_groundColour && m_groundStamp != 0)
        return;
    m_groundStamp = m_host.backgroundStamp();
    m_groundColour = colour;
    // A box never shows the picture's outline.
    m_ground.Set(colour, table.Second(), 1);
    if (table.hasTexture())
        m_ground.setTexture(table.texture(), table.textureFile());
}

QString WBox::tipText() const
{
    const Puz& puz = context().puz;
    const PlayShell& shell = context().shell;
    std::string name = index() < static_cast<int>(puz.boxes.size()) ? puz.boxes[index()].name : std::string();
    std::string number = shell.text(570);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%i", index() + 1);
    const size_t at = number.find("%i");
    if (at != std::string::npos)
        number.replace(at, 2, buf);
    std::string tip = shell.text(2600);
    if (!name.empty())
        tip += " " + name;
    tip += " " + number;
    return fw::toQString(tip);
}

bool WBox::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        if (isClosed())
            QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), tipText(), this);
        return true;
    }
    return WSPuz::event(e);
}

void WBox::paintEvent(QPaintEvent* e)
{
    if (!isClosed()) {
        WSPuz::paintEvent(e);
        return;
    }
    QPainter p(this);
    const uint32_t px = backgroundPixel();
    p.fillRect(rect(), QColor((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF));
    p.setPen(QPen(QColor(250, 240, 200), 2));
    p.drawRect(rect().adjusted(1, 1, -1, -1));
    p.setPen(QColor(255, 255, 255));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(13);
    p.setFont(f);
    p.drawText(rect(), Qt::AlignCenter, QString::number(index() + 1));
}

void WBox::paintOverlay(QPainter& p, const QRect&)
{
    Marker::paintOn(p, *this, context().puz, m_host.marker().flying());
    p.setPen(QPen(QColor(250, 240, 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(1, 1, -1, -1));
    const Puz& puz = context().puz;
    QString label = QString::number(index() + 1);
    if (index() < static_cast<int>(puz.boxes.size()) && !puz.boxes[index()].name.empty())
        label += "  " + fw::toQString(puz.boxes[index()].name);
    p.setPen(QColor(255, 255, 240));
    p.drawText(QRect(6, 3, width() - 12, 16), Qt::AlignLeft | Qt::AlignVCenter, label);
    m_host.paintBandOn(p, *this);
}

bool WBox::OnCommand(const fw::CommandEvent& e)
{
    switch (e.command()) {
    case cmd::Tidy:
        if (!m_host.holding())
            m_host.present(m_host.session().tidy(container(), false));
        return true;
    case cmd::BoxOpenClose:
        setClosed(!isClosed());
        return true;
    case cmd::BoxOptions:
        // The document opens the box options over this box.
        if (fw::EventHandler* target = commandTarget()) {
            fw::CommandEvent forward(cmd::BoxOptions, static_cast<uint32_t>(index()));
            fw::Dispatch(forward, *target);
        }
        return true;
    default:
        return WSPuz::OnCommand(e);
    }
}

bool WBox::OnMenuHint(fw::MenuHintEvent& e)
{
    // The box's tidying has the table's key (Ctrl+R in the box): the
    // document answers for it as for its other entries.
    if (e.command() == cmd::BoxOpenClose)
        return true;
    return WSPuz::OnMenuHint(e);
}

bool WBox::OnKey(const fw::KeyEvent& e)
{
    // An open loupe takes its keys first, Esc among them, wherever the
    // keyboard is.
    if (m_host.loupe() && m_host.loupeKey(e.kind(), e.key()))
        return true;
    // Ctrl+R and Alt+R in the box tidy the box (a rubber band takes them
    // at the document).
    const unsigned mods = e.modifiers() & (fw::mod::Ctrl | fw::mod::Shift | fw::mod::Alt);
    if (e.kind() == fw::KeyEvent::Down && e.key() == 'R' && !isClosed() && !m_host.mouse().band() &&
        (mods == fw::mod::Ctrl || mods == fw::mod::Alt || mods == (fw::mod::Ctrl | fw::mod::Alt))) {
        if (!m_host.holding())
            m_host.present(m_host.session().tidy(container(), false));
        return true;
    }
    // Esc closes an open box; Tab and the keypad's + come here from the table too.
    if (e.kind() == fw::KeyEvent::Down && e.key() == fw::vk::Escape && !isClosed()) {
        setClosed(true);
        return true;
    }
    if (e.kind() == fw::KeyEvent::Down && e.key() == fw::vk::Add && !isClosed()) {
        m_host.present(m_host.session().tidy(container(), false));
        return true;
    }
    return false;
}

}  // namespace qv
