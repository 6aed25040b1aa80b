// Opening a puzzle (decode, scale, cut, render, scatter) on a 1920 x 1080
// table at about 100, 500, 1000 and 2000 pieces, beside the bare JPEG decode
// of the same picture. Goal: opening within 3 x the bare decode at 1000.
//
// The large pair: a 12-megapixel photograph cut into about 10,000 pieces on
// a 3840 x 2160 table (BM_OpenLarge/0 without the picture cache, /1 with it,
// which after its first open reads the table-sized picture the cache keeps)
// beside the bare full-size decode of the same photograph
// (BM_BareDecodeLarge). Goal: the open within 2 x the bare decode.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "framework/FileStream.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/GridFromCount.h"
#include "jigsaw/document/Jpeg.h"
#include "jigsaw/document/PicturePalette.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/PictureSteps.h"
#include "jigsaw/document/Puz.h"

namespace {

const std::filesystem::path kPicture =
    std::filesystem::path(__FILE__).parent_path().parent_path() / "jigsaw/resources/pictures/hubble_deep_field.jpg";
const int kCounts[] = {100, 500, 1000, 2000};

// One puzzle file with the four sizes, made once.
const std::filesystem::path& puzzle()
{
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / "qv_open_bench.puz";
        fw::Bitmap pic;
        if (!qv::readPictureFile(kPicture, pic).ok())
            return std::filesystem::path();
        qv::Puz maker;
        maker.edit = qv::Puz::Making;
        for (int i = 0; i < 4; ++i) {
            qv::Grid g = qv::GridFromCount(pic.width(), pic.height(), std::to_string(kCounts[i]));
            maker.rows[i] = static_cast<int16_t>(g.rows);
            maker.columns[i] = static_cast<int16_t>(g.columns);
        }
        qv::PictureSource src;
        src.jpegFile = kPicture;
        if (!qv::WritePuzzleFile(maker, p, src, {}, {}).ok())
            return std::filesystem::path();
        return p;
    }();
    return path;
}

void BM_BareDecode(benchmark::State& state)
{
    qv::Entry e;
    if (puzzle().empty() || !e.readFile(puzzle()).ok()) {
        state.SkipWithError("no puzzle");
        return;
    }
    for (auto _ : state) {
        fw::FileStream f(puzzle(), fw::FileStream::Mode::Read);
        qv::JpegDecodeRequest req;
        req.length = e.directory.pictureLength;
        qv::JpegPicture pic;
        qv::decodeJpeg(f, e.directory.pictureOffset + qv::kPaletteBlockSize, req, pic);
        benchmark::DoNotOptimize(pic.rgb.bits());
    }
}
BENCHMARK(BM_BareDecode)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void open(benchmark::State& state, bool cache)
{
    if (puzzle().empty()) {
        state.SkipWithError("no puzzle");
        return;
    }
    qv::HeadlessUser user;
    user.frame = {1920, 1080};
    qv::PictureSteps steps;
    steps.picture.cacheEnabled = cache;
    steps.picture.display.width = 1920;
    steps.picture.display.height = 1080;
    qv::Puz puz;
    puz.setUser(&user);
    puz.setSteps(&steps);
    puz.setGenerator(nullptr);
    for (auto _ : state) {
        fw::Status s = puz.OpenPuzzle(puzzle(), static_cast<int>(state.range(0)), 0);
        if (!s.ok()) {
            state.SkipWithError("open failed");
            return;
        }
        benchmark::DoNotOptimize(puz.pieceSheet.bits());
    }
    state.counters["pieces"] = puz.pieceCount();
}


// --- the large pair

const std::filesystem::path kPhoto =
    std::filesystem::path(__FILE__).parent_path().parent_path() / "jigsaw/resources/pictures/picosdeeuropa_by_Aitzol_Berasategi.jpg";
constexpr int kLargeWidth = 4240, kLargeHeight = 2832;  // 12.0 megapixels
constexpr int kTableWidth = 3840, kTableHeight = 2160;

// The photograph enlarged to 12 megapixels, bilinearly, so that it stays a
// photograph to the coder (no blocks of repeated pixels).
fw::Bitmap enlarged(const fw::Bitmap& src, int width, int height)
{
    fw::Bitmap out(width, height);
    const double sx = static_cast<double>(src.width() - 1) / (width - 1);
    const double sy = static_cast<double>(src.height() - 1) / (height - 1);
    for (int y = 0; y < height; ++y) {
        const double fy = y * sy;
        const int y0 = static_cast<int>(fy), y1 = std::min(y0 + 1, src.height() - 1);
        const double wy = fy - y0;
        for (int x = 0; x < width; ++x) {
            const double fx = x * sx;
            const int x0 = static_cast<int>(fx), x1 = std::min(x0 + 1, src.width() - 1);
            const double wx = fx - x0;
            const uint32_t a = src.pixel(x0, y0), b = src.pixel(x1, y0), c = src.pixel(x0, y1), d = src.pixel(x1, y1);
            uint32_t v = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const double top = ((a >> shift) & 0xFF) * (1 - wx) + ((b >> shift) & 0xFF) * wx;
                const double bottom = ((c >> shift) & 0xFF) * (1 - wx) + ((d >> shift) & 0xFF) * wx;
                v |= static_cast<uint32_t>(top * (1 - wy) + bottom * wy + 0.5) << shift;
            }
            out.setPixel(x, y, v);
        }
    }
    return out;
}

std::filesystem::path failed(const char* what, const fw::Status& st)
{
    std::fprintf(stderr, "open_bench: %s failed: %d %s\n", what, st.id, st.text.c_str());
    return {};
}

// The large puzzle, made at the first run into the temporary folder and
// kept there, so that a run measuring the memory of one open (a filter run
// under /usr/bin/time -v) does not count the making.
const std::filesystem::path& largePuzzle()
{
    static const std::filesystem::path path = [] {
        const auto p = std::filesystem::temp_directory_path() / "qv_open_bench_12mp.puz";
        qv::Entry known;
        if (std::filesystem::exists(p) && known.readFile(p).ok())
            return p;
        fw::Bitmap photo;
        if (const fw::Status st = qv::readPictureFile(kPhoto, photo); !st.ok())
            return failed("reading the photograph", st);
        qv::Puz maker;
        maker.edit = qv::Puz::Making;
        const qv::Grid g = qv::GridFromCount(kLargeWidth, kLargeHeight, "10000");
        if (!g.status.ok())
            return failed("choosing the grid", g.status);
        for (int i = 0; i < 4; ++i) {
            maker.rows[i] = static_cast<int16_t>(g.rows);
            maker.columns[i] = static_cast<int16_t>(g.columns);
        }
        qv::PictureSource src;
        src.bitmap = enlarged(photo, kLargeWidth, kLargeHeight);
        const auto part = p.string() + ".part";
        if (const fw::Status st = qv::WritePuzzleFile(maker, part, src, {}, {}); !st.ok())
            return failed("writing the puzzle", st);
        std::filesystem::rename(part, p);
        return p;
    }();
    return path;
}

// The open with the picture cache writes the cache into the file it opens:
// a copy of its own, so that the open without it always decodes.
const std::filesystem::path& largeCachedPuzzle()
{
    static const std::filesystem::path path = [] {
        if (largePuzzle().empty())
            return std::filesystem::path();
        const auto p = std::filesystem::temp_directory_path() / "qv_open_bench_12mp_cached.puz";
        std::error_code ec;
        std::filesystem::copy_file(largePuzzle(), p, std::filesystem::copy_options::overwrite_existing, ec);
        return ec ? std::filesystem::path() : p;
    }();
    return path;
}

void BM_BareDecodeLarge(benchmark::State& state)
{
    qv::Entry e;
    if (largePuzzle().empty() || !e.readFile(largePuzzle()).ok()) {
        state.SkipWithError("no puzzle");
        return;
    }
    int width = 0, height = 0;
    for (auto _ : state) {
        fw::FileStream f(largePuzzle(), fw::FileStream::Mode::Read);
        qv::JpegDecodeRequest req;
        req.length = e.directory.pictureLength;
        qv::JpegPicture pic;
        qv::decodeJpeg(f, e.directory.pictureOffset + qv::kPaletteBlockSize, req, pic);
        benchmark::DoNotOptimize(pic.rgb.bits());
        width = pic.rgb.width();
        height = pic.rgb.height();
    }
    state.counters["megapixels"] = width * static_cast<double>(height) / 1e6;
}
BENCHMARK(BM_BareDecodeLarge)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// The opening steps timed one by one, so that a slow open says where its
// time goes: decode and scale, cut (between the steps), sheets, scatter.
class TimedSteps : public qv::PictureSteps {
public:
    using Clock = std::chrono::steady_clock;
    double loadMs = 0, sheetsMs = 0, scatterMs = 0;
    Clock::time_point loaded{};
    double cutMs = 0;

    fw::Status loadPicture(qv::Puz& puz) override
    {
        const auto t = Clock::now();
        fw::Status s = PictureSteps::loadPicture(puz);
        loaded = Clock::now();
        loadMs += ms(t, loaded);
        return s;
    }
    fw::Status renderSheets(qv::Puz& puz) override
    {
        const auto t = Clock::now();
        cutMs += ms(loaded, t);
        fw::Status s = PictureSteps::renderSheets(puz);
        sheetsMs += ms(t, Clock::now());
        return s;
    }
    void scatter(qv::Puz& puz) override
    {
        const auto t = Clock::now();
        PictureSteps::scatter(puz);
        scatterMs += ms(t, Clock::now());
    }

private:
    static double ms(Clock::time_point a, Clock::time_point b)
    {
        return std::chrono::duration<double, std::milli>(b - a).count();
    }
};

void BM_OpenLarge(benchmark::State& state)
{
    const bool cache = state.range(0) != 0;
    const std::filesystem::path& file = cache ? largeCachedPuzzle() : largePuzzle();
    if (file.empty()) {
        state.SkipWithError("no puzzle");
        return;
    }
    qv::HeadlessUser user;
    user.screen = user.frame = {kTableWidth, kTableHeight};
    TimedSteps steps;
    steps.picture.cacheEnabled = cache;
    steps.picture.display.width = kTableWidth;
    steps.picture.display.height = kTableHeight;
    qv::Puz puz;
    puz.setUser(&user);
    puz.setSteps(&steps);
    puz.setGenerator(nullptr);
    for (auto _ : state) {
        fw::Status s = puz.OpenPuzzle(file, 0, 0);
        if (!s.ok()) {
            state.SkipWithError("open failed");
            return;
        }
        benchmark::DoNotOptimize(puz.pieceSheet.bits());
    }
    state.counters["pieces"] = puz.pieceCount();
    state.counters["picture_w"] = puz.picture.width();
    state.counters["picture_h"] = puz.picture.height();
    const double n = static_cast<double>(state.iterations());
    state.counters["load_ms"] = steps.loadMs / n;
    state.counters["cut_ms"] = steps.cutMs / n;
    state.counters["sheets_ms"] = steps.sheetsMs / n;
    state.counters["scatter_ms"] = steps.scatterMs / n;
}
BENCHMARK(BM_OpenLarge)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_Open(benchmark::State& state) { open(state, false); }
void BM_OpenCached(benchmark::State& state) { open(state, true); }
BENCHMARK(BM_Open)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenCached)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace
