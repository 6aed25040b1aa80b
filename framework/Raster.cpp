#include "framework/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace fw {

namespace {

constexpr int kWeightBits = 14;
constexpr uint32_t kOne = 1u << kWeightBits;

// For each target pixel: the first source pixel it covers and the weights of
// the source pixels from there on, summing to kOne exactly.
struct Taps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<uint32_t> weights;  // concatenated
    std::vector<int> offset;        // into weights
};

Taps makeTaps(int from, int to)
{
    Taps t;
    t.first.resize(to);
    t.count.resize(to);
    t.offset.resize(to);
    const double scale = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        t.offset[i] = static_cast<int>(t.weights.size());
        if (scale <= 1.0) {  // enlarging: repeat the pixel under the centre
            t.first[i] = std::min(from - 1, static_cast<int>((i + 0.5) * scale));
            t.count[i] = 1;
            t.weights.push_back(kOne);
            continue;
        }
        const double start = i * scale, end = std::min<double>(from, (i + 1) * scale);
        const int j0 = static_cast<int>(start), j1 = std::min(from, static_cast<int>(std::ceil(end)));
        t.first[i] = j0;
        t.count[i] = j1 - j0;
        // Cumulative rounding: the weights telescope to exactly kOne.
        auto cum = [&](double pos) { return static_cast<uint32_t>(std::lround((pos - start) * kOne / (end - start))); };
        for (int j = j0; j < j1; ++j)
            t.weights.push_back(cum(std::min<double>(end, j + 1)) - cum(std::max<double>(start, j)));
    }
    return t;
}

}  // namespace

Bitmap scaleArea(const Bitmap& src, int width, int height)
{
    if (src.isNull() || width <= 0 || height <= 0)
        return {};
    if (width == src.width() && height == src.height())
        return src;
    const Taps tx = makeTaps(src.width(), width), ty = makeTaps(src.height(), height);
    // Horizontal pass into 8.8 fixed-point channels, then the vertical pass.
    const size_t rowLen = static_cast<size_t>(width) * 3;
    std::vector<uint16_t> mid(rowLen * src.height());
    for (int y = 0; y < src.height(); ++y) {
        const uint32_t* s = src.row(y);
        uint16_t* m = mid.data() + rowLen * y;
        for (int x = 0; x < width; ++x) {
            uint32_t r = 0, g = 0, b = 0;
            const uint32_t* w = tx.weights.data() + tx.offset[x];
            const uint32_t* p = s + tx.first[x];
            for (int k = 0; k < tx.count[x]; ++k) {
                r += ((p[k] >> 16) & 0xFF) * w[k];
                g += ((p[k] >> 8) & 0xFF) * w[k];
                b += (p[k] & 0xFF) * w[k];
            }
            constexpr int shift = kWeightBits - 8;
            m[3 * x] = static_cast<uint16_t>((r + (1u << (shift - 1))) >> shift);
            m[3 * x + 1] = static_cast<uint16_t>((g + (1u << (shift - 1))) >> shift);
            m[3 * x + 2] = static_cast<uint16_t>((b + (1u << (shift - 1))) >> shift);
        }
    }
    Bitmap out(width, height);
    std::vector<uint32_t> acc(rowLen);
    for (int y = 0; y < height; ++y) {
        std::fill(acc.begin(), acc.end(), 0);
        const uint32_t* w = ty.weights.data() + ty.offset[y];
        for (int k = 0; k < ty.count[y]; ++k) {
            const uint16_t* m = mid.data() + rowLen * (ty.first[y] + k);
            const uint32_t wk = w[k];
            for (size_t i = 0; i < rowLen; ++i)
                acc[i] += m[i] * wk;
        }
        uint32_t* d = out.row(y);
        constexpr int shift = kWeightBits + 8;
        constexpr uint32_t half = 1u << (shift - 1);
        for (int x = 0; x < width; ++x) {
            uint32_t r = (acc[3 * x] + half) >> shift, g = (acc[3 * x + 1] + half) >> shift,
                     b = (acc[3 * x + 2] + half) >> shift;
            d[x] = (std::min(r, 255u) << 16) | (std::min(g, 255u) << 8) | std::min(b, 255u);
        }
    }
    return out;
}

void copyRect(const Bitmap& src, int x, int y, int w, int h, Bitmap& dst, int dx, int dy)
{
    // Clip against the source, then the target.
    if (x < 0) { dx -= x; w += x; x = 0; }
    if (y < 0) { dy -= y; h += y; y = 0; }
    if (dx < 0) { x -= dx; w += dx; dx = 0; }
    if (dy < 0) { y -= dy; h += dy; dy = 0; }
    w = std::min({w, src.width() - x, dst.width() - dx});
    h = std::min({h, src.height() - y, dst.height() - dy});
    if (w <= 0 || h <= 0)
        return;
    for (int r = 0; r < h; ++r)
        std::memcpy(dst.row(dy + r) + dx, src.row(y + r) + x, static_cast<size_t>(w) * 4);
}

}  // namespace fw
