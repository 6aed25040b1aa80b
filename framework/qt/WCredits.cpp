#include "framework/qt/WCredits.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStringList>
#include <filesystem>

namespace fw {

namespace {
QColor fromColorRef(uint32_t c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Credits texts are single bytes (Windows-1252); the roll only needs Latin-1
// for its own lines, which match in the printable range.
QString fromBytes(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

constexpr int TextInset = 10;
}  // namespace

WCredits::WCredits(const std::string& text, std::map<int, QPixmap> pictures, QWidget* owner,
                   std::function<void(const std::string&)> playSound, std::function<void()> stopSound)
    : QDialog(owner, Qt::FramelessWindowHint | Qt::Dialog), m_doc(parseCredits(text)),
      m_pictures(std::move(pictures)), m_stopSound(std::move(stopSound))
{
    CreditsMeasure measure;
    measure.text = [this](const CreditsItem& item, const CreditsFont*, int& w, int& h) {
        QFontMetrics fm(fontFor(item.font));
        QRect r = fm.boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignHCenter | Qt::AlignTop,
                                  fromBytes(item.text));
        w = r.width();
        h = r.height();
    };
    measure.picture = [this](int number, int& w, int& h) {
        auto it = m_pictures.find(number);
        w = it == m_pictures.end() ? 0 : it->second.width();
        h = it == m_pictures.end() ? 0 : it->second.height();
    };
    int width = layoutCredits(m_doc, measure);
    m_scroll = CreditsScroll(CreditsWindowHeight, creditsTotalHeight(m_doc));
    setFixedSize(width, CreditsWindowHeight);

    // Centred over the owner, kept on its screen.
    QRect area = (owner ? owner->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    QPoint centre = owner ? owner->geometry().center() : area.center();
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(centre);
    frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width())));
    frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
    move(frame.topLeft());
    setCursor(Qt::BlankCursor);

    if (!m_doc.sound.empty() && playSound)
        playSound(m_doc.sound);
    connect(&m_timer, &QTimer::timeout, this, &WCredits::advance);
    m_timer.start(m_doc.timerRes > 0 ? m_doc.timerRes : 40);
}

QFont WCredits::fontFor(int index) const
{
    QFont font = QGuiApplication::font();
    if (index < 0 || index >= static_cast<int>(m_doc.fonts.size()))
        return font;
    const CreditsFont& f = m_doc.fonts[index];
    font.setFamily(fromBytes(f.face));
    if (f.size > 0)
        font.setPixelSize(f.size);
    font.setBold(f.bold);
    return font;
}

void WCredits::advance()
{
    m_scroll.step(1);
    update();
}

void WCredits::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), fromColorRef(m_doc.background));
    p.setPen(QColor(96, 96, 96));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setClipRect(rect().adjusted(TextInset, TextInset, -TextInset, -TextInset));
    const int w = width();
    int y = m_scroll.position();
    for (const auto& item : m_doc.items) {
        if (y > height())
            break;
        if (y + item.height >= 0) {
            auto pic = m_pictures.find(item.number);
            switch (item.kind) {
            case CreditsItem::Kind::Icon:
                if (pic != m_pictures.end())
                    p.drawPixmap((w - 32) / 2, y, 32, 32, pic->second);
                break;
            case CreditsItem::Kind::Icon2:
                if (pic != m_pictures.end()) {
                    p.drawPixmap(w / 3 - 16, y, 32, 32, pic->second);
                    p.drawPixmap(2 * w / 3 - 16, y, 32, 32, pic->second);
                }
                break;
            case CreditsItem::Kind::Picture:
                if (pic != m_pictures.end())
                    p.drawPixmap((w - item.width) / 2, y, pic->second);
                break;
            case CreditsItem::Kind::Text:
                p.setFont(fontFor(item.font));
                p.setPen(fromColorRef(item.colour));
                p.drawText(QRect(0, y, w, item.height), Qt::AlignHCenter | Qt::AlignTop, fromBytes(item.text));
                break;
            }
        }
        y += item.height + CreditsItemGap;
    }
}

void WCredits::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape)
        done(QDialog::Rejected);
}

void WCredits::mousePressEvent(QMouseEvent*)
{
    done(QDialog::Accepted);
}

void WCredits::changeEvent(QEvent* e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible() && !m_closing)
        done(QDialog::Rejected);
}

void WCredits::done(int result)
{
    if (m_closing)
        return;
    m_closing = true;
    m_timer.stop();
    if (m_stopSound)
        m_stopSound();
    QDialog::done(result);
}

}  // namespace fw
