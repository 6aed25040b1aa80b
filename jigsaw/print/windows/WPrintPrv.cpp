#include "jigsaw/print/windows/WPrintPrv.h"

#include <QPainter>
#include <algorithm>

namespace qv {

namespace {
constexpr int kMargin = 8;
constexpr int kShadow = 4;
}  // namespace

WPrintPrv::WPrintPrv(QWidget* parent, const Puz& puz, const fw::Background* background)
    : QWidget(parent), m_puz(puz), m_background(background)
{
}

void WPrintPrv::setOptions(const PrintOptions& options, const std::string& caption)
{
    m_options = options;
    m_caption = caption;
    update();
}

int WPrintPrv::pageCount() const
{
    return PagePainter(m_puz, m_options, m_background, m_caption, previewDevice(), &m_printerPage).pageCount();
}

QRect WPrintPrv::pageRect() const
{
    if (m_printerPage.width <= 0 || m_printerPage.height <= 0)
        return {};
    const double ratio = std::min((width() - 2 * kMargin - kShadow) / double(m_printerPage.width),
                                  (height() - 2 * kMargin - kShadow) / double(m_printerPage.height));
    const int w = std::max(1, static_cast<int>(m_printerPage.width * ratio));
    const int h = std::max(1, static_cast<int>(m_printerPage.height * ratio));
    return QRect((width() - w) / 2, (height() - h) / 2, w, h);
}

PageDevice WPrintPrv::previewDevice() const
{
    const QRect page = pageRect();
    PageDevice d;
    if (page.isEmpty())
        return d;
    const double ratio = page.width() / double(m_printerPage.width);
    d.width = page.width();
    d.height = page.height();
    d.scaleX = m_printerPage.scaleX * ratio;
    d.scaleY = m_printerPage.scaleY * ratio;
    d.unitsPerPoint = m_printerPage.unitsPerPoint * ratio;
    d.toPrinter = false;
    return d;
}

void WPrintPrv::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x70, 0x70, 0x70));
    const QRect page = pageRect();
    if (page.isEmpty())
        return;
    painter.fillRect(page.translated(kShadow, kShadow), QColor(0x30, 0x30, 0x30));
    PagePainter pages(m_puz, m_options, m_background, m_caption, previewDevice(), &m_printerPage);
    const int current = std::clamp(m_options.page, 1, std::max(1, pages.pageCount())) - 1;
    painter.translate(page.topLeft());
    if (!pages.drawPage(painter, current).ok())
        painter.fillRect(QRect(QPoint(0, 0), page.size()), Qt::white);
}

}  // namespace qv
