#include "jigsaw/print/windows/PagePainter.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <new>

#include "framework/qt/Text.h"
#include "jigsaw/document/Puz.h"

namespace qv {

const char* const kPrintFooter = "Quorvane";

namespace {
constexpr double kCaptionPoints = 10.0;
constexpr double kFooterPoints = 7.0;

// A band bitmap, or a null one when the memory (or the limit) refuses it.
fw::Bitmap makeBand(int width, int height, size_t limit)
{
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    if (limit && bytes > limit)
        return {};
    try {
        return fw::Bitmap(width, height);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

QFont fontOfPoints(const char* family, double points, double unitsPerPoint)
{
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * unitsPerPoint))));
    return f;
}
}  // namespace

PagePainter::PagePainter(const Puz& puz, const PrintOptions& options, const fw::Background* background,
                         std::string caption, const PageDevice& device, const PageDevice* planDevice)
    : m_puz(puz), m_options(options), m_background(background), m_caption(std::move(caption)), m_device(device)
{
    m_metrics = metricsFor(device);
    if (planDevice && planDevice->width > 0 && planDevice->height > 0) {
        m_plan = PlanPrint(puz, m_options, metricsFor(*planDevice));
        // The same layout on the smaller device: only the mapping shrinks.
        const double rx = device.scaleX / planDevice->scaleX, ry = device.scaleY / planDevice->scaleY;
        m_plan.scaleX *= rx;
        m_plan.scaleY *= ry;
        m_plan.offsetX = static_cast<int>(std::lround(m_plan.offsetX * rx));
        m_plan.offsetY = static_cast<int>(std::lround(m_plan.offsetY * ry));
        m_plan.pageWidth = device.width;
        m_plan.pageHeight = device.height;
    } else {
        m_plan = PlanPrint(puz, m_options, m_metrics);
    }
    const int initial = m_options.banding ? InitialBandCount(m_plan, device.toPrinter) : 1;
    m_bands = PlanBands(device.width, device.height, initial,
                        [limit = device.bandByteLimit](int w, int h) { return !makeBand(w, h, limit).isNull(); });
}

PageMetrics PagePainter::metricsFor(const PageDevice& device) const
{
    PageMetrics m;
    m.width = device.width;
    m.height = device.height;
    m.deviceScaleX = device.scaleX;
    m.deviceScaleY = device.scaleY;
    const QFontMetrics footer(fontOfPoints("Arial", kFooterPoints, device.unitsPerPoint));
    m.footerHeight = m_options.footer ? footer.height() + footer.height() / 2 : 0;
    if (m_options.caption && m_options.layout == LayoutAssembled) {
        const QFontMetrics fm(fontOfPoints("Arial", kCaptionPoints, device.unitsPerPoint));
        const QRect text = fm.boundingRect(QRect(0, 0, device.width, device.height), Qt::AlignHCenter,
                                           fw::toQString(m_caption));
        // The box around the text, a gap above it and the footer below.
        m.captionHeight = text.height() + static_cast<int>(std::lround(16 * device.scaleY)) + m.footerHeight;
    }
    return m;
}

QFont PagePainter::captionFont() const { return fontOfPoints("Arial", kCaptionPoints, m_device.unitsPerPoint); }
QFont PagePainter::footerFont() const { return fontOfPoints("Arial", kFooterPoints, m_device.unitsPerPoint); }

fw::Status PagePainter::drawPage(QPainter& painter, int page) const
{
    if (m_bands.count == 0)
        return fw::Status(fw::msg::Cancelled, "(Printer Band)");
    PageRenderer renderer(m_puz, m_options, m_plan, m_background);
    renderer.setAfterPiece(m_afterPiece);
    for (int band = 0; band < m_bands.count; ++band) {
        const int top = band * m_bands.height;
        const int height = m_bands.heightOf(band, m_device.height);
        if (height <= 0)
            break;
        fw::Bitmap bitmap = makeBand(m_device.width, height, m_device.bandByteLimit);
        if (bitmap.isNull())
            return fw::Status(fw::msg::Cancelled, "(Printer Band)");
        if (!renderer.RenderBand(page, bitmap, top))
            return fw::Status(fw::msg::Cancelled);
        const QImage view(reinterpret_cast<const uchar*>(bitmap.bits()), bitmap.width(), bitmap.height(),
                          bitmap.width() * 4, QImage::Format_RGB32);
        painter.drawImage(QPoint(0, top), view);
    }
    if (m_options.caption && m_plan.layout == LayoutAssembled)
        drawCaption(painter);
    if (m_options.footer)
        drawFooter(painter);
    return {};
}

void PagePainter::drawCaption(QPainter& painter) const
{
    const LayoutRect& pic = m_plan.picture;
    const int inset = pic.x;  // frames on each side
    const int left = m_plan.mapX(0), right = m_plan.mapX(pic.w + 2 * inset);
    const int top = m_plan.mapY(pic.h + 2 * inset) + static_cast<int>(std::lround(8 * m_device.scaleY));
    painter.save();
    painter.setFont(captionFont());
    const QString text = fw::toQString(m_caption);
    const QFontMetrics fm(painter.font());
    QRect box = fm.boundingRect(QRect(0, 0, m_device.width, m_device.height), Qt::AlignHCenter, text);
    box.moveTopLeft(QPoint((left + right) / 2 - box.width() / 2, top));
    const int gx = static_cast<int>(std::lround(2 * m_device.scaleX));
    const int gy = static_cast<int>(std::lround(4 * m_device.scaleY));
    const QRect frame = box.adjusted(-gx, -gy, gx, gy);
    painter.setPen(QPen(Qt::black, std::max(1.0, m_device.scaleX / 3)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.translated(0, gy));
    painter.drawText(box.translated(0, gy), Qt::AlignHCenter, text);
    painter.restore();
}

void PagePainter::drawFooter(QPainter& painter) const
{
    painter.save();
    painter.setFont(footerFont());
    painter.setPen(QColor(0x80, 0x80, 0x80));
    const QRect area(0, m_device.height - m_metrics.footerHeight, m_device.width, m_metrics.footerHeight);
    painter.drawText(area, Qt::AlignRight | Qt::AlignBottom, QString::fromLatin1(kPrintFooter));
    painter.restore();
}

}  // namespace qv
