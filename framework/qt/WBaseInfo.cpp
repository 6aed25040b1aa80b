#include "framework/qt/WBaseInfo.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>

#include "framework/VirtualKey.h"
#include "framework/qt/Text.h"
#include "framework/qt/UiText.h"

namespace fw {

WBaseInfo::WBaseInfo(QWidget* parent, std::string_view title) : Window(parent, Qt::Dialog)
{
    setTabIsKey(false);
    setFocusPolicy(Qt::NoFocus);
    setTitle(title);
}

WBaseInfo::~WBaseInfo()
{
    if (m_loop)
        m_loop->exit(IdCancel);
}

void WBaseInfo::setTitle(std::string_view title) { setWindowTitle(toQString(title)); }

void WBaseInfo::setClientSize(int width, int height) { setFixedSize(width, height); }

void WBaseInfo::place(QWidget* w, int id, QRect at)
{
    w->setGeometry(at);
    w->show();
    if (id)
        m_controls[id] = w;
}

void WBaseInfo::reportChange(int id, ControlEvent::Change change)
{
    ControlEvent e(id, change);
    Dispatch(e, *this);
}

QPushButton* WBaseInfo::addButton(int id, QRect at, std::string_view caption, bool isDefault)
{
    auto* b = new QPushButton(caption.empty() ? UiText::text(4, id) : toQString(caption), this);
    b->setAutoDefault(false);
    if (isDefault) {
        b->setDefault(true);
        m_defaultId = id;
    }
    connect(b, &QPushButton::clicked, this, [this, id] { sendCommand(static_cast<uint32_t>(id)); });
    place(b, id, at);
    return b;
}

QLabel* WBaseInfo::addText(int id, QRect at, std::string_view text, bool centred)
{
    auto* l = new QLabel(toQString(text), this);
    l->setWordWrap(true);
    l->setAlignment(centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    place(l, id, at);
    return l;
}

QLineEdit* WBaseInfo::addEdit(int id, QRect at, std::string_view text, int limit)
{
    auto* e = new QLineEdit(toQString(text), this);
    if (limit > 0)
        e->setMaxLength(limit);
    connect(e, &QLineEdit::textEdited, this, [this, id] { reportChange(id, ControlEvent::Edited); });
    place(e, id, at);
    return e;
}

QCheckBox* WBaseInfo::addCheck(int id, QRect at, std::string_view caption, bool checked)
{
    auto* c = new QCheckBox(toQString(caption), this);
    c->setChecked(checked);
    connect(c, &QCheckBox::toggled, this, [this, id] { reportChange(id, ControlEvent::Toggled); });
    place(c, id, at);
    return c;
}

QRadioButton* WBaseInfo::addRadio(int id, QRect at, std::string_view caption, bool checked)
{
    auto* r = new QRadioButton(toQString(caption), this);
    if (!m_radioGroup)
        m_radioGroup = new QButtonGroup(this);
    m_radioGroup->addButton(r);
    r->setChecked(checked);
    connect(r, &QRadioButton::toggled, this, [this, id](bool on) {
        if (on)
            reportChange(id, ControlEvent::Toggled);
    });
    place(r, id, at);
    return r;
}

QComboBox* WBaseInfo::addList(int id, QRect at, const std::vector<std::string>& items, int selected)
{
    auto* c = new QComboBox(this);
    for (const std::string& item : items)
        c->addItem(toQString(item));
    c->setCurrentIndex(selected);
    connect(c, &QComboBox::currentIndexChanged, this, [this, id] { reportChange(id, ControlEvent::Selected); });
    place(c, id, at);
    return c;
}

QGroupBox* WBaseInfo::addFrame(int id, QRect at, std::string_view caption)
{
    auto* g = new QGroupBox(toQString(caption), this);
    place(g, id, at);
    g->lower();  // behind the controls it surrounds
    return g;
}

QWidget* WBaseInfo::control(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

std::string WBaseInfo::text(int id) const
{
    QWidget* w = control(id);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return fromQString(e->text());
    if (auto* l = qobject_cast<QLabel*>(w))
        return fromQString(l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return fromQString(b->text());
    if (auto* c = qobject_cast<QComboBox*>(w))
        return fromQString(c->currentText());
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return fromQString(g->title());
    return {};
}

void WBaseInfo::setText(int id, std::string_view text)
{
    QWidget* w = control(id);
    const QString t = toQString(text);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(t);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(t);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(t);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(t);
}

bool WBaseInfo::isChecked(int id) const
{
    auto* b = qobject_cast<QAbstractButton*>(control(id));
    return b && b->isChecked();
}

void WBaseInfo::setChecked(int id, bool on)
{
    if (auto* b = qobject_cast<QAbstractButton*>(control(id)))
        b->setChecked(on);
}

int WBaseInfo::selection(int id) const
{
    auto* c = qobject_cast<QComboBox*>(control(id));
    return c ? c->currentIndex() : -1;
}

void WBaseInfo::setSelection(int id, int index)
{
    if (auto* c = qobject_cast<QComboBox*>(control(id)))
        c->setCurrentIndex(index);
}

void WBaseInfo::enableControl(int id, bool on)
{
    if (QWidget* w = control(id))
        w->setEnabled(on);
}

void WBaseInfo::setFocusTo(int id)
{
    if (QWidget* w = control(id))
        w->setFocus();
}

// Centred over an owner that is not where it will be (a window still being
// made full screen) or larger than the screen, a window could start off the
// screen's edge: it is kept where the whole window, frame and title
// included, is on the screen, or at least its title is.
QPoint WBaseInfo::keptOnScreen(QPoint topLeft, const QScreen* screen) const
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return topLeft;
    // A top-level window's position is that of its frame.
    const QRect area = screen->availableGeometry();
    const int outerWidth = width() + 2 * FrameAllowance, outerHeight = height() + TitleAllowance + FrameAllowance;
    const int x = std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - outerWidth));
    const int y = std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outerHeight));
    return {x, y};
}

QSize WBaseInfo::largestOnScreen(const QScreen* screen)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    const QRect area = screen->availableGeometry();
    return {area.width() - 2 * FrameAllowance, area.height() - TitleAllowance - FrameAllowance};
}

int WBaseInfo::RunModal()
{
    if (m_loop)
        return IdCancel;  // already running: a second run would never return first
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(keptOnScreen(area.center() - QPoint(width() / 2, height() / 2), owner->screen()));
    }
    setWindowModality(Qt::ApplicationModal);
    m_result = IdCancel;
    QPointer<WBaseInfo> alive(this);
    QEventLoop loop;
    m_loop = &loop;
    show();
    activateWindow();
    raise();
    const int result = loop.exec();
    if (!alive)
        return IdCancel;
    m_loop = nullptr;
    hide();
    return result;
}

void WBaseInfo::EndModal(int result)
{
    m_result = result;
    if (m_loop)
        m_loop->exit(result);
}

bool WBaseInfo::CanEnd(int) { return true; }

bool WBaseInfo::OnCommand(const CommandEvent& e)
{
    const int id = static_cast<int>(e.command());
    if (id != IdOk && id != IdCancel)
        return false;
    if (CanEnd(id))
        EndModal(id);
    return true;
}

bool WBaseInfo::OnKey(const KeyEvent& e)
{
    if (e.kind() != KeyEvent::Down)
        return false;
    switch (e.key()) {
    case vk::Return: sendCommand(static_cast<uint32_t>(m_defaultId ? m_defaultId : IdOk)); return true;
    case vk::Escape: sendCommand(IdCancel); return true;
    case vk::F1: sendCommand(IdHelp); return true;
    default: return false;
    }
}

bool WBaseInfo::OnCloseRequest()
{
    // Closing the window is Cancel, with the same right to refuse.
    sendCommand(IdCancel);
    return true;
}

}  // namespace fw
