#include "jigsaw/document/GridFromCount.h"

#include <cmath>
#include <cstdint>

#include "jigsaw/document/Entry.h"
#include "jigsaw/document/HeaderString.h"
#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

double aspectError(double w, double h, int columns, int rows)
{
    return std::fabs(1.0 - std::trunc(w / columns) / std::trunc(h / rows));
}

// Rounds halves away from zero.
int nearest(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

Grid GridFromCount(int width, int height, std::string_view text)
{
    Grid g;
    const double w = width, h = height;
    int64_t count = 0;
    size_t x = text.find_first_of("xX");
    if (x != std::string_view::npos) {
        g.rows = static_cast<int>(HeaderString::parseNumber(text.substr(0, x)));
        g.columns = static_cast<int>(HeaderString::parseNumber(text.substr(x + 1)));
        count = int64_t(g.rows) * g.columns;
    } else {
        count = HeaderString::parseNumber(text);
        if (count < 2 || width <= 0 || height <= 0) {
            g.rows = g.columns = 1;
        } else {
            double t = std::sqrt(double(count) / (w / h));
            g.rows = nearest(t);
            g.columns = nearest(double(count) / t);
            // A very wide or tall picture rounds to no rows (or columns) at
            // all: make it one strip of the requested count.
            if (g.rows < 1) {
                g.rows = 1;
                g.columns = static_cast<int>(std::min<int64_t>(count, Puz::MaxPieces + 1));
            } else if (g.columns < 1) {
                g.columns = 1;
                g.rows = static_cast<int>(std::min<int64_t>(count, Puz::MaxPieces + 1));
            }
            double e2 = aspectError(w, h, g.columns, g.rows);
            if (aspectError(w, h, g.columns + 1, g.rows) < e2)
                ++g.columns;
            else if (aspectError(w, h, g.columns, g.rows + 1) < e2)
                ++g.rows;
        }
    }
    if (count < 4 || g.rows < 1 || g.columns < 1) {
        g.status = fw::Status(msg::TooFewPieces);
        return g;
    }
    g.pieceWidth = static_cast<float>(width) / static_cast<float>(g.columns);
    g.pieceHeight = static_cast<float>(height) / static_cast<float>(g.rows);
    if (g.pieceWidth < 12 || g.pieceHeight < 12 || int64_t(g.rows) * g.columns > Puz::MaxPieces)
        g.status = fw::Status(msg::PiecesTooSmall);
    return g;
}

}  // namespace qv
