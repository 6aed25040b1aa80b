#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

class Puz;

// The three layouts; the numbers are their radio buttons.
enum PrintLayoutKind : int { LayoutAssembled = 8520, LayoutSpread = 8521, LayoutTable = 8522 };

// What the print dialog sets. Not kept in the settings.
struct PrintOptions {
    int layout = LayoutSpread;
    int zoom = 100;             // an area percentage: the linear scale is sqrt(zoom / 100)
    bool fitToPage = false;     // assembled only: the zoom that fills the page
    bool outerFrame = false;    // assembled only
    bool innerFrame = false;    // assembled only
    bool caption = false;
    bool outlines = true;       // 8510: a dark line along every piece's edge
    bool shading = true;        // 8511: the raised edges of the piece images; off: flat picture pixels
    bool footer = true;
    bool banding = true;        // pages go through band bitmaps
    int page = 1;               // current page of the spread layout, from 1

    // Assembled, fitted, framed and captioned when the puzzle is complete;
    // else the pieces spread over pages.
    static PrintOptions defaultsFor(const Puz& puz);
    // The zoom field's text: 0 or not a number counts as 100.
    static int parseZoom(const std::string& text);
};

// The page being printed or previewed, in its device units.
struct PageMetrics {
    int width = 0;   // printable area
    int height = 0;
    double deviceScaleX = 1.0;  // device units per table pixel
    double deviceScaleY = 1.0;
    int captionHeight = 0;  // the caption block, when the caption is on
    int footerHeight = 0;
};

struct LayoutRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// A piece on a page: the top-left of its bounding rectangle in layout
// units (table pixels), and the rotation it is drawn at.
struct PlacedPiece {
    int piece = 0;
    int x = 0;
    int y = 0;
    int rotation = 0;
};

// Where everything of a print lands. Layout units are table pixels; a
// layout point maps to device units by x' = round((x - originX) * scaleX) + offsetX.
struct PrintPlan {
    int layout = LayoutSpread;
    double zoom = 100;       // after fitting
    double scaleX = 1.0;     // device units per layout unit: device scale x linear zoom
    double scaleY = 1.0;
    int originX = 0, originY = 0;
    int offsetX = 0, offsetY = 0;
    int pageWidth = 0, pageHeight = 0;
    std::vector<std::vector<PlacedPiece>> pages;
    // Assembled: the picture, and the frames around it (w = 0 when off).
    LayoutRect picture, outerFrame, innerFrame;
    // Spread: the side of a cell, twice the largest piece side.
    int cellSide = 0;
    int largestPieceHeight = 0;  // table pixels
    int pieceCount = 0;          // pieces drawn over all pages

    int mapX(double x) const;
    int mapY(double y) const;
    int pageCount() const { return static_cast<int>(pages.size()); }
};

// The frames of the assembled layout, in table units: 12 wide all round,
// and a second one 6 wide in all (3 a side) inside it.
constexpr int kOuterFrame = 12;
constexpr int kInnerFrameSide = 3;

PrintPlan PlanPrint(const Puz& puz, const PrintOptions& options, const PageMetrics& page);

// Bands of a page: how many, and the height of each but the last (which
// takes the rest).
struct BandPlan {
    int count = 1;
    int height = 0;
    int heightOf(int band, int pageHeight) const
    {
        return band + 1 < count ? height : pageHeight - height * (count - 1);
    }
};
// The first try: 8 bands, or on a printer the page height divided by twice
// (assembled) or four times (other layouts) the largest piece height in
// device units, rounded up.
int InitialBandCount(const PrintPlan& plan, bool toPrinter);
// Doubles the band count while a band bitmap of pageWidth x band height
// cannot be made (canMake says), until the band would be lower than 32
// pixels; count 0 when no band can be made at all.
BandPlan PlanBands(int pageWidth, int pageHeight, int initialCount, const std::function<bool(int, int)>& canMake);

// The caption's lines (CR LF between them). text(id) gives translated texts.
struct CaptionFacts {
    std::string gameName;
    std::string playerName;
    uint32_t dateStart = 0;  // yyyymmdd, 0 none
    uint32_t dateEnd = 0;
    int32_t elapsedMs = 0;
    uint32_t moves = 0;
    uint32_t helps = 0;
};
std::string CaptionText(const CaptionFacts& facts, const std::function<std::string(int id)>& text,
                        const std::function<std::string(uint32_t yyyymmdd)>& date);
// Elapsed time as "%02i:%02i:%02i.%i" (hours, minutes, seconds, tenths).
std::string ElapsedText(int32_t ms);

}  // namespace qv
