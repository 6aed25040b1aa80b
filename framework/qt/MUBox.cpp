#include "framework/qt/MUBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "framework/qt/Text.h"
#include "framework/qt/UiText.h"
#include "framework/qt/Window.h"

namespace fw {

namespace {

const QColor kBackground(0xC0, 0xC0, 0xC0);

QFont normalFont()
{
    return QApplication::font();
}

QFont thinFont()
{
    QFont f = QApplication::font();
    f.setWeight(QFont::Light);
    return f;
}

QStyle::StandardPixmap standardIcon(int icon)
{
    switch (icon) {
    case mubox::IconStop: return QStyle::SP_MessageBoxCritical;
    case mubox::IconQuestion: return QStyle::SP_MessageBoxQuestion;
    case mubox::IconExclamation: return QStyle::SP_MessageBoxWarning;
    default: return QStyle::SP_MessageBoxInformation;
    }
}

// Markup ends a box's lines with CR LF or LF; the toolkit wants LF.
QString shown(const std::string& text)
{
    QString s = toQString(text);
    s.remove(QLatin1Char('\r'));
    return s;
}

int flagsOf(const MarkupText& t)
{
    int f = Qt::AlignTop | (t.center ? Qt::AlignHCenter : Qt::AlignLeft);
    return t.wrap ? f | Qt::TextWordWrap : f;
}

}  // namespace

// Measures with the box's fonts and the style's controls.
class MUBox::Metrics : public MarkupMetrics {
public:
    MarkupSize textSize(const std::string& text, bool thin) override
    {
        const QRect r = QFontMetrics(thin ? thinFont() : normalFont())
                            .boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::AlignLeft | Qt::AlignTop, shown(text));
        return {r.width(), r.height()};
    }
    MarkupSize wrappedSize(const std::string& text, bool thin, int width) override
    {
        const QRect r =
            QFontMetrics(thin ? thinFont() : normalFont())
                .boundingRect(QRect(0, 0, width, 1 << 20), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, shown(text));
        return {r.width(), r.height()};
    }
    MarkupSize fieldSize(MarkupFieldKind kind, const std::string& sample) override
    {
        const QFontMetrics fm(normalFont());
        const QString s = shown(sample);
        switch (kind) {
        case MarkupFieldKind::Edit: {
            QLineEdit probe;
            return {fm.horizontalAdvance(s) + 12, probe.sizeHint().height()};
        }
        case MarkupFieldKind::Static: {
            const QRect r = fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::AlignLeft, s);
            return {r.width(), r.height()};
        }
        case MarkupFieldKind::Check: {
            QCheckBox probe(s);
            const QSize hint = probe.sizeHint();
            return {hint.width(), hint.height()};
        }
        }
        return {};
    }
    int buttonWidth(const std::string& caption) override
    {
        QString s = shown(caption);
        s.remove(QLatin1Char('&'));
        return QFontMetrics(normalFont()).horizontalAdvance(s) + 24;
    }
};

MUBox::MUBox(QWidget* parent, std::string markup, int helpContext)
    : QDialog(parent), m_metrics(std::make_unique<Metrics>()),
      m_layout(std::move(markup), *m_metrics, &UiText::lookup, helpContext)
{
    if (helpContext != 0)
        m_flags |= mubox::FlagHelpHook;
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    setPalette(p);
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
}

MUBox::~MUBox() = default;

void MUBox::prepare()
{
    if (m_layout.passes() >= 2)
        return;
    m_layout.runPass();
    createControls();
    m_layout.runPass();
    placeControls();
    setWindowTitle(shown(m_layout.caption()));
    setFixedSize(m_layout.clientSize().w, m_layout.clientSize().h);
    placeBox();
}

int MUBox::Execute()
{
    prepare();
    return exec();
}

void MUBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QWidget* focus = control(m_layout.defaultControl()))
        focus->setFocus(Qt::OtherFocusReason);
    if (m_flags & mubox::FlagForeground) {
        raise();
        activateWindow();
    }
}

void MUBox::createControls()
{
    for (const auto& f : m_layout.fields()) {
        QWidget* w = nullptr;
        const int index = f.id - mubox::FirstField;
        if (f.kind == MarkupFieldKind::Edit) {
            auto* edit = new QLineEdit(this);
            if (f.limit >= 0)
                edit->setMaxLength(f.limit);
            if (f.ini)
                edit->setText(shown(*f.ini));
            connect(edit, &QLineEdit::textChanged, this, [this, index] {
                if (m_owner)
                    m_owner->MUBoxFieldChanged(*this, MarkupFieldKind::Edit, index);
            });
            w = edit;
        } else if (f.kind == MarkupFieldKind::Static) {
            w = new QLabel(shown(f.ini ? *f.ini : f.sample), this);
        } else {
            auto* check = new QCheckBox(shown(f.sample), this);
            check->setChecked(f.ini && std::atoi(f.ini->c_str()) != 0);
            connect(check, &QCheckBox::toggled, this, [this, index] {
                if (m_owner)
                    m_owner->MUBoxFieldChanged(*this, MarkupFieldKind::Check, index);
            });
            w = check;
        }
        m_controls[f.id] = w;
    }
    // The first OK or Yes button answers Enter, even while a field has the focus.
    bool haveDefault = false;
    for (const auto& b : m_layout.buttons()) {
        auto* button = new QPushButton(shown(b.caption), this);
        if (b.isDefault && !haveDefault) {
            button->setDefault(true);
            haveDefault = true;
        }
        const int id = b.id;
        connect(button, &QPushButton::clicked, this, [this, id] { command(id); });
        m_controls[b.id] = button;
    }
}

void MUBox::placeControls()
{
    for (const auto& f : m_layout.fields())
        m_controls[f.id]->setGeometry(f.rect.x, f.rect.y, f.rect.w, f.rect.h);
    for (const auto& b : m_layout.buttons())
        m_controls[b.id]->setGeometry(b.rect.x, b.rect.y, b.rect.w, b.rect.h);
}

// Centred over the owner's window, or on the screen, and kept on the screen.
void MUBox::placeBox()
{
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect over = owner && owner->isVisible() ? owner->frameGeometry() : area;
    QRect box(QPoint(0, 0), size());
    box.moveCenter(over.center());
    box.moveLeft(std::clamp(box.left(), area.left(), std::max(area.left(), area.right() - box.width())));
    box.moveTop(std::clamp(box.top(), area.top(), std::max(area.top(), area.bottom() - box.height())));
    move(box.topLeft());
}

std::string MUBox::fieldText(int id) const
{
    QWidget* w = control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return fromQString(edit->text());
    if (auto* label = qobject_cast<QLabel*>(w))
        return fromQString(label->text());
    if (auto* check = qobject_cast<QCheckBox*>(w))
        return fromQString(check->text());
    return {};
}

bool MUBox::isChecked(int id) const
{
    auto* check = qobject_cast<QCheckBox*>(control(id));
    return check && check->isChecked();
}

QWidget* MUBox::control(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void MUBox::command(int id)
{
    if (id == mubox::Help) {
        requestHelp();
        return;
    }
    if (m_owner && !m_owner->MUBoxCommand(*this, id))
        return;
    done(m_layout.resultOf(id));
}

void MUBox::requestHelp()
{
    // The help is its owner's: the window it came from shows the topic.
    if (m_layout.helpContext() == 0)
        return;
    if (const auto help = Window::helpListenerOf(parentWidget()))
        help(m_layout.helpContext());
}

void MUBox::reject()
{
    command(mubox::Cancel);
}

void MUBox::accept()
{
    command(mubox::Ok);
}

void MUBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        requestHelp();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        // The default button answers Enter; without one, Enter is command 1.
        for (const auto& b : m_layout.buttons()) {
            auto* button = static_cast<QPushButton*>(control(b.id));
            if (button->isDefault() || button->hasFocus()) {
                button->click();
                return;
            }
        }
        command(mubox::Ok);
        return;
    }
    QDialog::keyPressEvent(event);
}

// Painting runs one more layout pass and draws what it places.
void MUBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    m_layout.runPass();
    p.setPen(Qt::black);
    for (const auto& t : m_layout.texts()) {
        p.setFont(t.thin ? thinFont() : normalFont());
        p.drawText(QRect(t.rect.x, t.rect.y, t.rect.w, t.rect.h), flagsOf(t), shown(t.text));
    }
    for (const auto& i : m_layout.icons())
        p.drawPixmap(i.x, i.y, style()->standardIcon(standardIcon(i.icon), nullptr, this).pixmap(32, 32));
}

}  // namespace fw
