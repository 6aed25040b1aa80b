#include "framework/qt/WBkgCache.h"

#include "framework/AtomicFile.h"
#include "framework/Background.h"
#include "framework/Bmp.h"
#include "framework/FileStream.h"

namespace fw {

namespace {
constexpr const char* kSection = "PicClr";
constexpr const char* kFile = "picclr.bmp";

bool loadCached(const std::filesystem::path& file, int width, int height, Bitmap& out)
{
    FileStream in;
    if (!in.open(file, FileStream::Mode::Read))
        return false;
    Bitmap bmp;
    if (!readBmp(in, bmp).ok() || bmp.width() != width || bmp.height() != height)
        return false;
    out = std::move(bmp);
    return true;
}
}  // namespace

Bitmap ComputeColourField(int width, int height)
{
    Bitmap field(width, height);
    for (int y = 0; y < field.height(); ++y) {
        uint32_t* row = field.row(y);
        for (int x = 0; x < field.width(); ++x)
            row[x] = pixelFromColorRef(Background::FieldColour(width, height, x, y));
    }
    return field;
}

Bitmap LoadColourField(Profile& profile, const std::filesystem::path& folder, int width, int height,
                       int resolution, bool* computed)
{
    const std::filesystem::path file = folder / kFile;
    Bitmap field;
    const bool same = profile.getInt(kSection, "sx") == width && profile.getInt(kSection, "sy") == height &&
                      profile.getInt(kSection, "res") == resolution;
    if (same && loadCached(file, width, height, field)) {
        if (computed)
            *computed = false;
        return field;
    }
    field = ComputeColourField(width, height);
    if (computed)
        *computed = true;
    // The keys describe the file, so they are written only once it is there.
    if (replaceFile(file, [&](Stream& out) { return writeBmp(out, field); })) {
        profile.setInt(kSection, "sx", width);
        profile.setInt(kSection, "sy", height);
        profile.setInt(kSection, "res", resolution);
    }
    return field;
}

}  // namespace fw
