// Opening a puzzle (decode, scale, cut, render, scatter) on a 1920 x 1080
// table at about 100, 500, 1000 and 2000 pieces, beside the bare JPEG decode
// of the same picture. Goal: opening within 3 x the bare decode at 1000.
#include <benchmark/benchmark.h>

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

void BM_Open(benchmark::State& state) { open(state, false); }
void BM_OpenCached(benchmark::State& state) { open(state, true); }
BENCHMARK(BM_Open)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenCached)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace
