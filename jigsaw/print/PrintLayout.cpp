#include "jigsaw/print/PrintLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

// The piece's cell relative to its bounding rectangle at rotation 0.
Rect16 unturnedCell(const SPuz& p)
{
    const Rect16 rel{static_cast<int16_t>(p.cell.x - p.bounding.x), static_cast<int16_t>(p.cell.y - p.bounding.y),
                     p.cell.w, p.cell.h};
    return turnRect(rel, p.bounding.w, p.bounding.h, (4 - p.rotation) & 3);
}

int largestSide(const Puz& puz)
{
    int side = 1;
    for (const SPuz& p : puz.pieces)
        side = std::max({side, static_cast<int>(p.bounding.w), static_cast<int>(p.bounding.h)});
    return side;
}

void planAssembled(const Puz& puz, const PrintOptions& o, const PageMetrics& page, PrintPlan& plan)
{
    const int outer = o.outerFrame ? kOuterFrame : 0;
    const int inner = o.innerFrame ? kInnerFrameSide : 0;
    const int inset = outer + inner;
    int pw = 0, ph = 0;
    std::vector<PlacedPiece> pieces;
    for (const SPuz& p : puz.pieces) {
        const Rect16 cell = unturnedCell(p);
        pw = std::max(pw, p.cellOrigin.x + cell.w);
        ph = std::max(ph, p.cellOrigin.y + cell.h);
        pieces.push_back({p.index, inset + p.cellOrigin.x - cell.x, inset + p.cellOrigin.y - cell.y, 0});
    }
    plan.picture = {inset, inset, pw, ph};
    if (outer)
        plan.outerFrame = {0, 0, pw + 2 * inset, ph + 2 * inset};
    if (inner)
        plan.innerFrame = {outer, outer, pw + 2 * inner, ph + 2 * inner};
    const int totalW = pw + 2 * inset, totalH = ph + 2 * inset;
    const int available = page.height - (o.caption ? page.captionHeight : page.footerHeight);
    if (o.fitToPage && totalW > 0 && totalH > 0) {
        const double s = std::min(page.width / (totalW * page.deviceScaleX), available / (totalH * page.deviceScaleY));
        plan.zoom = s * s * 100.0;
    }
    const double linear = std::sqrt(plan.zoom / 100.0);
    plan.scaleX = page.deviceScaleX * linear;
    plan.scaleY = page.deviceScaleY * linear;
    // Centred across the page and in the height the caption leaves.
    plan.offsetX = std::max(0, static_cast<int>(std::lround((page.width - totalW * plan.scaleX) / 2)));
    plan.offsetY = std::max(0, static_cast<int>(std::lround((available - totalH * plan.scaleY) / 2)));
    plan.pages.push_back(std::move(pieces));
}

void planSpread(const Puz& puz, const PageMetrics& page, PrintPlan& plan)
{
    const double linear = std::sqrt(plan.zoom / 100.0);
    plan.scaleX = page.deviceScaleX * linear;
    plan.scaleY = page.deviceScaleY * linear;
    plan.cellSide = 2 * largestSide(puz);
    const double cellW = plan.cellSide * plan.scaleX, cellH = plan.cellSide * plan.scaleY;
    const int perRow = std::max(1, static_cast<int>(page.width / cellW));
    const int rowsPerPage = std::max(1, static_cast<int>((page.height - page.footerHeight) / cellH));
    int column = 0, row = 0;
    plan.pages.emplace_back();
    for (const SPuz& p : puz.pieces) {
        if (column == perRow) {
            column = 0;
            ++row;
        }
        if (row == rowsPerPage) {
            row = 0;
            plan.pages.emplace_back();
        }
        // Centred in its cell, at its own rotation.
        const int x = column * plan.cellSide + (plan.cellSide - p.bounding.w) / 2;
        const int y = row * plan.cellSide + (plan.cellSide - p.bounding.h) / 2;
        plan.pages.back().push_back({p.index, x, y, p.rotation});
        ++column;
    }
}

void planTable(const Puz& puz, const PageMetrics& page, PrintPlan& plan)
{
    const double linear = std::sqrt(plan.zoom / 100.0);
    plan.scaleX = page.deviceScaleX * linear;
    plan.scaleY = page.deviceScaleY * linear;
    std::vector<PlacedPiece> pieces;
    int minX = INT_MAX, minY = INT_MAX;
    // Bottom of the drawing order first, so the top piece is drawn last.
    for (auto it = puz.order.rbegin(); it != puz.order.rend(); ++it) {
        if (*it < 0 || *it >= puz.pieceCount())
            continue;
        const SPuz& p = puz.pieces[*it];
        if (p.box != SPuz::OnTable)
            continue;
        pieces.push_back({p.index, p.table.x, p.table.y, p.rotation});
        minX = std::min<int>(minX, p.table.x);
        minY = std::min<int>(minY, p.table.y);
    }
    if (!pieces.empty()) {
        plan.originX = minX;
        plan.originY = minY;
    }
    plan.pages.push_back(std::move(pieces));
}

}  // namespace

PrintOptions PrintOptions::defaultsFor(const Puz& puz)
{
    const bool complete = puz.state & Puz::Complete;
    PrintOptions o;
    o.layout = complete ? LayoutAssembled : LayoutSpread;
    o.fitToPage = o.outerFrame = o.innerFrame = o.caption = complete;
    return o;
}

int PrintOptions::parseZoom(const std::string& text)
{
    long value = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), " %ld %c", &value, &rest) != 1 || value <= 0 || value > 1000000)
        return 100;
    return static_cast<int>(value);
}

int PrintPlan::mapX(double x) const { return static_cast<int>(std::lround((x - originX) * scaleX)) + offsetX; }
int PrintPlan::mapY(double y) const { return static_cast<int>(std::lround((y - originY) * scaleY)) + offsetY; }

PrintPlan PlanPrint(const Puz& puz, const PrintOptions& options, const PageMetrics& page)
{
    PrintPlan plan;
    plan.layout = options.layout;
    plan.zoom = options.zoom > 0 ? options.zoom : 100;
    plan.pageWidth = page.width;
    plan.pageHeight = page.height;
    plan.largestPieceHeight = largestSide(puz);
    switch (options.layout) {
    case LayoutAssembled: planAssembled(puz, options, page, plan); break;
    case LayoutTable: planTable(puz, page, plan); break;
    default: plan.layout = LayoutSpread; planSpread(puz, page, plan); break;
    }
    for (const auto& p : plan.pages)
        plan.pieceCount += static_cast<int>(p.size());
    return plan;
}

int InitialBandCount(const PrintPlan& plan, bool toPrinter)
{
    if (!toPrinter)
        return 8;
    const int per = plan.layout == LayoutAssembled ? 2 : 4;
    const double pieceDevice = plan.largestPieceHeight * plan.scaleY * per;
    if (pieceDevice < 1)
        return 8;
    return std::max(1, static_cast<int>(std::ceil(plan.pageHeight / pieceDevice)));
}

BandPlan PlanBands(int pageWidth, int pageHeight, int initialCount, const std::function<bool(int, int)>& canMake)
{
    constexpr int kLowestBand = 32;
    BandPlan plan;
    plan.count = std::clamp(initialCount, 1, std::max(1, pageHeight));
    for (;;) {
        plan.height = (pageHeight + plan.count - 1) / plan.count;
        if (canMake(pageWidth, plan.height))
            return plan;
        if (pageHeight / (plan.count * 2) < kLowestBand)
            return BandPlan{0, 0};
        plan.count *= 2;
    }
}

std::string ElapsedText(int32_t ms)
{
    if (ms < 0)
        ms = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%02i:%02i:%02i.%i", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                  ms / 100 % 10);
    return text;
}

std::string CaptionText(const CaptionFacts& f, const std::function<std::string(int id)>& text,
                        const std::function<std::string(uint32_t yyyymmdd)>& date)
{
    // A label that already ends with a colon gets none added.
    auto label = [&](int id) {
        std::string t = text(id);
        return !t.empty() && t.back() == ':' ? t : t + ":";
    };
    std::string c = label(530) + " " + (f.gameName.empty() ? text(568) : f.gameName) + " " + text(541) + " " +
                    (f.playerName.empty() ? text(567) : f.playerName);
    if (f.dateStart) {
        c += "\r\n" + text(991) + date(f.dateStart);
        if (f.dateEnd)
            c += "\r\n" + text(992) + date(f.dateEnd);
    }
    c += "\r\n" + label(508) + " " + ElapsedText(f.elapsedMs) + "   " + label(504) + " " + std::to_string(f.moves) +
         "   " + label(506) + " " + std::to_string(f.helps);
    return c;
}

}  // namespace qv
