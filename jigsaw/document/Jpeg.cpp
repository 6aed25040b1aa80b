#include "jigsaw/document/Jpeg.h"

#include <algorithm>
#include <cstring>

#include "framework/Bmp.h"
#include "jigsaw/document/JpegStream.h"
#include "jigsaw/document/PicturePalette.h"

namespace qv {

// The library reports fatal errors by jumping back to the caller (its error
// exit). Each coder below keeps everything with a destructor in its members,
// so the jump never skips one, and makes every library call from run().

namespace {

constexpr int kMaxSide = 32767;
constexpr uint64_t kMaxPixels = 1ull << 27;

fw::Status bad(const char* why) { return fw::Status(fw::msg::BadPicture, why); }

struct ProgressHook {
    jpeg_progress_mgr pub;
    const Progress* progress = nullptr;
    int last = -1;

    static void monitor(j_common_ptr cinfo)
    {
        auto* self = reinterpret_cast<ProgressHook*>(cinfo->progress);
        const jpeg_progress_mgr& p = self->pub;
        if (p.total_passes <= 0 || p.pass_limit <= 0)
            return;
        int percent = static_cast<int>((p.completed_passes + static_cast<double>(p.pass_counter) / p.pass_limit) *
                                       100.0 / p.total_passes);
        percent = std::clamp(percent, 0, 100);
        if (percent != self->last) {
            self->last = percent;
            (*self->progress)(percent);
        }
    }
};

// A picture in printers' colours: the library gives C, M, Y, K (stored
// inverted by the programs that write them); make it red, green, blue.
void cmykToRgb(fw::Bitmap& bmp)
{
    for (int y = 0; y < bmp.height(); ++y) {
        uint8_t* p = reinterpret_cast<uint8_t*>(bmp.row(y));
        for (int x = 0; x < bmp.width(); ++x, p += 4) {
            uint32_t c = p[0], m = p[1], ye = p[2], k = p[3];
            uint32_t r = c * k / 255, g = m * k / 255, b = ye * k / 255;
            bmp.row(y)[x] = (r << 16) | (g << 8) | b;
        }
    }
}

void clearUnusedByte(fw::Bitmap& bmp)
{
    uint32_t* p = bmp.bits();
    const size_t n = static_cast<size_t>(bmp.width()) * bmp.height();
    for (size_t i = 0; i < n; ++i)
        p[i] &= 0x00FFFFFF;
}

// A 6 x 6 x 6 colour cube, for the rare picture the library cannot quantise.
std::vector<uint32_t> colourCube()
{
    std::vector<uint32_t> cube;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                cube.push_back(static_cast<uint32_t>((r * 51) << 16 | (g * 51) << 8 | b * 51));
    return cube;
}

class Decoder {
public:
    Decoder(fw::Stream& source, uint64_t offset, const JpegDecodeRequest& request, JpegPicture& out)
        : m_src(source, offset, request.length), m_request(request), m_out(out)
    {
        std::memset(&m_cinfo, 0, sizeof m_cinfo);
        m_progress.progress = &request.progress;
        m_progress.pub = {};
        m_progress.pub.progress_monitor = ProgressHook::monitor;
    }

    fw::Status run(bool headerOnly = false)
    {
        if (!m_src.ok())
            return bad("picture offset past the end of the file");
        m_err.attach(reinterpret_cast<j_common_ptr>(&m_cinfo));
        if (setjmp(m_err.jump)) {
            jpeg_destroy_decompress(&m_cinfo);
            m_out = JpegPicture();
            return fw::Status(fw::msg::BadPicture, m_err.message);
        }
        jpeg_create_decompress(&m_cinfo);
        m_src.attach(&m_cinfo);
        if (m_request.progress)
            m_cinfo.progress = &m_progress.pub;
        jpeg_read_header(&m_cinfo, TRUE);
        m_out.fullWidth = static_cast<int>(m_cinfo.image_width);
        m_out.fullHeight = static_cast<int>(m_cinfo.image_height);
        if (headerOnly || !sizeAllowed()) {
            jpeg_destroy_decompress(&m_cinfo);
            return headerOnly ? fw::Status() : bad("picture too large");
        }
        configure();
        jpeg_start_decompress(&m_cinfo);
        if (m_request.paletteOnly) {
            takeColormap();
            jpeg_abort_decompress(&m_cinfo);
            jpeg_destroy_decompress(&m_cinfo);
            return {};
        }
        allocate();
        while (m_cinfo.output_scanline < m_cinfo.output_height) {
            JDIMENSION y = m_cinfo.output_scanline;
            jpeg_read_scanlines(&m_cinfo, m_rows.data() + y, m_cinfo.output_height - y);
        }
        if (m_libraryMaps)
            takeColormap();
        jpeg_finish_decompress(&m_cinfo);
        jpeg_destroy_decompress(&m_cinfo);
        finish();
        return {};
    }

private:
    bool sizeAllowed() const
    {
        uint64_t w = m_cinfo.image_width, h = m_cinfo.image_height;
        return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
    }

    bool isCmyk() const { return m_cinfo.jpeg_color_space == JCS_CMYK || m_cinfo.jpeg_color_space == JCS_YCCK; }

    void configure()
    {
        const auto* palette = m_request.palette;
        const bool ownMapping = m_request.colours == 16 || isCmyk() ||
                                (m_request.colours == 256 && palette && !palette->empty() && palette->size() <= 20);
        if (m_request.colours == 256 && !ownMapping) {
            m_libraryMaps = true;
            m_cinfo.out_color_space = JCS_RGB;
            m_cinfo.quantize_colors = TRUE;
            m_cinfo.dither_mode = JDITHER_FS;
            if (palette && !palette->empty())
                useColormap(*palette);
            else {
                m_cinfo.desired_number_of_colors = kPaletteBlockEntries;
                m_cinfo.two_pass_quantize = TRUE;
            }
            return;
        }
        m_cinfo.out_color_space = isCmyk() ? JCS_CMYK : JCS_EXT_BGRX;
        if (m_request.colours == 0 && m_request.atLeastWidth > 0 && m_request.atLeastHeight > 0)
            chooseScale();
    }

    // The smallest M/8 the library decodes to that still covers the size asked for.
    void chooseScale()
    {
        const uint64_t w = m_cinfo.image_width, h = m_cinfo.image_height;
        for (unsigned m = 1; m < 8; ++m) {
            if ((w * m + 7) / 8 >= static_cast<uint64_t>(m_request.atLeastWidth) &&
                (h * m + 7) / 8 >= static_cast<uint64_t>(m_request.atLeastHeight)) {
                m_cinfo.scale_num = m;
                m_cinfo.scale_denom = 8;
                jpeg_calc_output_dimensions(&m_cinfo);
                if (m_cinfo.output_width >= static_cast<JDIMENSION>(m_request.atLeastWidth) &&
                    m_cinfo.output_height >= static_cast<JDIMENSION>(m_request.atLeastHeight))
                    return;
                break;
            }
        }
        m_cinfo.scale_num = m_cinfo.scale_denom = 1;
    }

    void useColormap(const std::vector<uint32_t>& palette)
    {
        const int n = static_cast<int>(std::min<size_t>(palette.size(), 256));
        m_cinfo.colormap = (*m_cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&m_cinfo), JPOOL_IMAGE,
                                                         static_cast<JDIMENSION>(n), 3);
        for (int i = 0; i < n; ++i) {
            m_cinfo.colormap[0][i] = static_cast<JSAMPLE>(palette[i] >> 16);
            m_cinfo.colormap[1][i] = static_cast<JSAMPLE>(palette[i] >> 8);
            m_cinfo.colormap[2][i] = static_cast<JSAMPLE>(palette[i]);
        }
        m_cinfo.actual_number_of_colors = n;
    }

    void takeColormap()
    {
        auto& pal = m_out.indexed.palette;
        pal.resize(static_cast<size_t>(std::max(m_cinfo.actual_number_of_colors, 0)));
        const bool grey = m_cinfo.out_color_components == 1;
        for (size_t i = 0; i < pal.size(); ++i) {
            uint32_t r = m_cinfo.colormap[0][i];
            uint32_t g = grey ? r : m_cinfo.colormap[1][i], b = grey ? r : m_cinfo.colormap[2][i];
            pal[i] = (r << 16) | (g << 8) | b;
        }
    }

    void allocate()
    {
        const int w = static_cast<int>(m_cinfo.output_width), h = static_cast<int>(m_cinfo.output_height);
        m_rows.resize(h);
        if (m_libraryMaps) {
            m_out.indexed.width = w;
            m_out.indexed.height = h;
            m_out.indexed.indices.assign(static_cast<size_t>(w) * h, 0);
            for (int y = 0; y < h; ++y)
                m_rows[y] = m_out.indexed.row(y);
            return;
        }
        m_out.rgb = fw::Bitmap(w, h);
        for (int y = 0; y < h; ++y)
            m_rows[y] = reinterpret_cast<JSAMPROW>(m_out.rgb.row(y));
    }

    // Work after the library is done: nothing here can jump.
    void finish()
    {
        if (m_libraryMaps)
            return;
        if (m_cinfo.out_color_space == JCS_CMYK)
            cmykToRgb(m_out.rgb);
        else
            clearUnusedByte(m_out.rgb);
        if (m_request.colours == 0)
            return;
        std::vector<uint32_t> palette;
        if (m_request.colours == 16)
            palette.assign(systemColours().begin(), systemColours().end());
        else if (m_request.palette && !m_request.palette->empty())
            palette = *m_request.palette;
        else
            palette = colourCube();
        m_out.indexed = mapToPalette(m_out.rgb, palette, true);
        m_out.rgb = fw::Bitmap();
    }

    jpeg_decompress_struct m_cinfo;
    JpegError m_err;
    JpegSource m_src;
    ProgressHook m_progress;
    const JpegDecodeRequest& m_request;
    JpegPicture& m_out;
    std::vector<JSAMPROW> m_rows;
    bool m_libraryMaps = false;
};

class Encoder {
public:
    Encoder(fw::Stream& target, uint64_t offset, const Progress& progress) : m_dst(target, offset)
    {
        std::memset(&m_cinfo, 0, sizeof m_cinfo);
        m_progress.progress = &progress;
        m_progress.pub = {};
        m_progress.pub.progress_monitor = ProgressHook::monitor;
    }

    // rows: width x height pixels of 4 bytes (blue, green, red, unused).
    fw::Status run(const std::vector<const uint8_t*>& rows, int width, int quality, int options)
    {
        if (!m_dst.ok())
            return fw::Status(fw::msg::BadPicture, "cannot write the picture");
        m_err.attach(reinterpret_cast<j_common_ptr>(&m_cinfo));
        if (setjmp(m_err.jump)) {
            jpeg_destroy_compress(&m_cinfo);
            return fw::Status(fw::msg::BadPicture, m_err.message);
        }
        jpeg_create_compress(&m_cinfo);
        m_dst.attach(&m_cinfo);
        if (*m_progress.progress)
            m_cinfo.progress = &m_progress.pub;
        m_cinfo.image_width = static_cast<JDIMENSION>(width);
        m_cinfo.image_height = static_cast<JDIMENSION>(rows.size());
        m_cinfo.input_components = 4;
        m_cinfo.in_color_space = JCS_EXT_BGRX;
        jpeg_set_defaults(&m_cinfo);
        jpeg_set_quality(&m_cinfo, quality, TRUE);
        m_cinfo.optimize_coding = (options & kJpegOptimise) ? TRUE : FALSE;
        jpeg_start_compress(&m_cinfo, TRUE);
        while (m_cinfo.next_scanline < m_cinfo.image_height) {
            JSAMPROW row = const_cast<JSAMPROW>(rows[m_cinfo.next_scanline]);
            jpeg_write_scanlines(&m_cinfo, &row, 1);
        }
        jpeg_finish_compress(&m_cinfo);
        jpeg_destroy_compress(&m_cinfo);
        return {};
    }

    uint64_t written() const { return m_dst.written; }

private:
    jpeg_compress_struct m_cinfo;
    JpegError m_err;
    JpegDestination m_dst;
    ProgressHook m_progress;
};

bool clipRegion(JpegRegion& r, int width, int height)
{
    if (r.width <= 0 || r.height <= 0)
        r = {0, 0, width, height};
    int x1 = std::min(width, r.x + r.width), y1 = std::min(height, r.y + r.height);
    r.x = std::max(0, r.x);
    r.y = std::max(0, r.y);
    r.width = x1 - r.x;
    r.height = y1 - r.y;
    return r.width > 0 && r.height > 0;
}

}  // namespace

fw::Status decodeJpeg(fw::Stream& source, uint64_t offset, const JpegDecodeRequest& request, JpegPicture& out)
{
    out = JpegPicture();
    Decoder decoder(source, offset, request, out);
    return decoder.run();
}

fw::Status readJpegSize(fw::Stream& source, uint64_t offset, int& width, int& height)
{
    JpegDecodeRequest request;
    JpegPicture pic;
    Decoder decoder(source, offset, request, pic);
    fw::Status s = decoder.run(true);
    width = pic.fullWidth;
    height = pic.fullHeight;
    return s;
}

fw::Status DecodeJpeg(fw::Stream& source, uint64_t sourceOffset, fw::Stream& target, uint64_t targetOffset,
                      int colours, const std::vector<uint32_t>* palette, const Progress& progress)
{
    JpegDecodeRequest request;
    request.colours = colours;
    request.palette = palette;
    request.progress = progress;
    JpegPicture pic;
    fw::Status s = decodeJpeg(source, sourceOffset, request, pic);
    if (!s.ok())
        return s;
    if (!target.seek(targetOffset))
        return fw::Status(fw::msg::BadPicture, "cannot write the picture");
    bool ok = pic.isIndexed() ? fw::writeBmp(target, pic.indexed) : fw::writeBmp(target, pic.rgb);
    return ok ? fw::Status() : fw::Status(fw::msg::BadPicture, "cannot write the picture");
}

fw::Status EncodeJpeg(const fw::Bitmap& bitmap, JpegRegion region, fw::Stream& target, uint64_t offset, int quality,
                      int options, uint64_t* written, const Progress& progress)
{
    if (!clipRegion(region, bitmap.width(), bitmap.height()))
        return bad("empty picture");
    std::vector<const uint8_t*> rows(region.height);
    for (int y = 0; y < region.height; ++y)
        rows[y] = reinterpret_cast<const uint8_t*>(bitmap.row(region.y + y) + region.x);
    Encoder encoder(target, offset, progress);
    fw::Status s = encoder.run(rows, region.width, quality, options);
    if (written)
        *written = encoder.written();
    return s;
}

fw::Status EncodeJpeg(const fw::IndexedBitmap& bitmap, JpegRegion region, fw::Stream& target, uint64_t offset,
                      int quality, int options, uint64_t* written, const Progress& progress)
{
    if (!clipRegion(region, bitmap.width, bitmap.height))
        return bad("empty picture");
    fw::Bitmap rgb(region.width, region.height);
    for (int y = 0; y < region.height; ++y) {
        const uint8_t* src = bitmap.row(region.y + y) + region.x;
        for (int x = 0; x < region.width; ++x)
            rgb.setPixel(x, y, src[x] < bitmap.palette.size() ? bitmap.palette[src[x]] : 0);
    }
    return EncodeJpeg(rgb, {}, target, offset, quality, options, written, progress);
}

}  // namespace qv
