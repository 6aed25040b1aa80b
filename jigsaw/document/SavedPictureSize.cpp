#include "jigsaw/document/SavedPictureSize.h"

#include <cmath>
#include <string>

#include "jigsaw/document/HeaderString.h"
#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

int16_t i16(double v) { return static_cast<int16_t>(v); }

// A saved game of a build without our size key has only "%lf" of the float
// factor, six decimals that may stand for one pixel less than the picture
// had. Every factor the scale rule gives is n / W (half the table's area,
// or the width limit) or n / H (the height limit), and a saved factor that
// capped a later reopening is the same float again. So the maker's size is
// that of the factor of those forms whose float prints as the same six
// decimals: 1 / W is far coarser than the rounding, so at most one n per
// side does. The rule on the saved frame ("SZW:") is tried first, as the
// game was most likely made on the table it was saved on; then the width
// forms, which the rule gives more often, then the height forms.
Point16 inferredSize(const Puz& puz, int W, int H)
{
    const float factor = puz.pictureScale;
    if (!(factor > 0.0f && factor < 1.0f))
        return {};
    const std::string written = HeaderString::formatFixed6(factor);
    auto standsFor = [&](double f) {
        return f > 0.0 && f < 1.0 && HeaderString::formatFixed6(static_cast<float>(f)) == written;
    };
    auto sizeAt = [&](double f) { return Point16{i16(W * f), i16(H * f)}; };
    const Point16 frame = puz.savedFrame;
    if (frame.x > 0 && frame.y > 0) {
        const PictureScale made = scalePicture(W, H, frame.x, frame.y, puz.options & Puz::ImgFull, 1.0f);
        if (standsFor(made.factor))
            return {i16(made.width), i16(made.height)};
    }
    for (int side : {W, H}) {
        const int near = static_cast<int>(std::floor(side * double(factor)));
        for (int n = near - 1; n <= near + 2; ++n) {
            if (n > 0 && standsFor(double(n) / side))
                return sizeAt(double(n) / side);
        }
    }
    return {};
}

}  // namespace

Point16 SavedPictureSize(const Puz& puz, int W, int H)
{
    if (W <= 0 || H <= 0)
        return {};
    // A shared cut is scaled to the size its pieces were cut from.
    if (puz.cutRecipe && !(puz.state & Puz::FromSaved))
        return puz.cutRecipe->picture;
    if (!(puz.state & Puz::FromSaved))
        return {};
    // Our own key counts only for the picture it was written for: a puzzle
    // made again from another picture falls back to the factor.
    if (puz.savedPictureSize.x > 0 && puz.savedPictureFull == Point16{i16(W), i16(H)})
        return puz.savedPictureSize;
    return inferredSize(puz, W, H);
}

PictureScale ScaleDocumentPicture(const Puz& puz, int W, int H, int TW, int TH)
{
    const bool full = puz.options & Puz::ImgFull;
    const Point16 saved = SavedPictureSize(puz, W, H);
    if (saved.x > 0 && saved.y > 0) {
        PictureScale room = scalePicture(W, H, TW, TH, full, 1.0f);
        if (room.width >= saved.x && room.height >= saved.y) {
            room.width = saved.x;
            room.height = saved.y;
            // The factor read stands for this size; it is written back unchanged.
            if (puz.pictureScale < 1.0f)
                room.factor = puz.pictureScale;
            else if (saved.x < W || saved.y < H)
                room.factor = std::max(double(saved.x) / W, double(saved.y) / H);
            room.scatterFull = double(room.width) * room.height >= 0.7 * TW * TH;
            return room;
        }
    }
    return scalePicture(W, H, TW, TH, full, puz.pictureScale);
}

void SetPictureScale(Puz& puz, const PictureScale& sc, int W, int H)
{
    puz.pictureRect = {0, 0, i16(sc.width), i16(sc.height)};
    puz.pictureFull = {i16(W), i16(H)};
    puz.pictureScale = static_cast<float>(sc.factor);
    if (sc.scatterFull)
        puz.options |= Puz::ScatterFull;
}

}  // namespace qv
