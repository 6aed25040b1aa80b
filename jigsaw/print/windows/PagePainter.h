#pragma once
#include <QFont>
#include <QRect>
#include <cstddef>
#include <functional>
#include <string>

#include "framework/Background.h"
#include "framework/Status.h"
#include "jigsaw/print/PageRenderer.h"
#include "jigsaw/print/PrintLayout.h"

class QPainter;

namespace qv {

class Puz;

// The device a page is drawn on: the printer's page, or the preview's
// picture of it.
struct PageDevice {
    int width = 0;              // printable area, device units
    int height = 0;
    double scaleX = 1.0;        // device units per table pixel
    double scaleY = 1.0;
    double unitsPerPoint = 1.0; // device units per typographic point, for the texts
    bool toPrinter = false;     // band count from the piece height
    // Band bitmaps larger than this many bytes count as impossible (0: no
    // limit but the memory's), so the doubling rule can be tried.
    size_t bandByteLimit = 0;
};

// The grey footer of every page: the program's name, as it has no web
// address of its own to print there.
extern const char* const kPrintFooter;

// Draws pages with a painter: the bands through off-screen bitmaps (the
// printer's code and the preview's alike), then the caption and the footer.
class PagePainter {
public:
    // planDevice: the device the pages are planned for, when it is not the
    // one drawn on (the preview draws the printer's pages, smaller), so the
    // preview shows the same pieces on the same pages as the paper.
    PagePainter(const Puz& puz, const PrintOptions& options, const fw::Background* background, std::string caption,
                const PageDevice& device, const PageDevice* planDevice = nullptr);

    const PrintPlan& plan() const { return m_plan; }
    const PageMetrics& metrics() const { return m_metrics; }
    int pageCount() const { return m_plan.pageCount(); }
    // The bands a page is drawn in; count 0 when no band bitmap can be made.
    const BandPlan& bands() const { return m_bands; }
    // Called after every drawn piece; false cancels.
    void setAfterPiece(std::function<bool()> afterPiece) { m_afterPiece = std::move(afterPiece); }

    // Draws page `page` (from 0) at the painter's origin. A failed status
    // "(Printer Band)" when no band bitmap could be made; Cancelled when the
    // after-piece hook said so.
    fw::Status drawPage(QPainter& painter, int page) const;

private:
    PageMetrics metricsFor(const PageDevice& device) const;
    QFont captionFont() const;
    QFont footerFont() const;
    void drawCaption(QPainter& painter) const;
    void drawFooter(QPainter& painter) const;

    const Puz& m_puz;
    PrintOptions m_options;
    const fw::Background* m_background;
    std::string m_caption;
    PageDevice m_device;
    PageMetrics m_metrics;
    PrintPlan m_plan;
    BandPlan m_bands;
    std::function<bool()> m_afterPiece;
};

}  // namespace qv
