// How long the play window takes to follow one pointer move of a held
// group (the move itself and the repaint of the area it left and entered)
// on a table of 1000 pieces, for a group of 1 piece and one of 50, and of
// 50 on a textured table; and on a 3840 x 2160 table of 10,000 pieces, a
// group of 500 and one full repaint of the table zoomed to fit, at 100 %
// and at 200 %.
// Reports the median per move or repaint in milliseconds (counter median_ms).
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

#include "framework/Display.h"
#include "framework/Events.h"
#include "framework/Options.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/PictureSteps.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/GameSounds.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/WPuz.h"

namespace {

// The table's size and its grid of pieces.
struct Layout {
    int width, height;
    int columns, rows;
    int pictureWidth, pictureHeight;
};
constexpr Layout FullHd{1920, 1080, 40, 25, 960, 600};          // 1000 pieces
constexpr Layout Large{3840, 2160, 125, 80, 3000, 1920};       // 10,000 pieces

QApplication& application()
{
    static int argc = 1;
    static char name[] = "drag_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

class QuietShell : public qv::PlayShell {
public:
    std::string text(int) const override { return {}; }
    std::string caption(int, int) const override { return {}; }
    int message(int, unsigned, const std::string&) override { return 1; }
    void autosave(bool) override {}
    void openDropped(const std::filesystem::path&) override {}
};

// A game on a table of the layout's size in a real play window.
struct Table {
    Layout layout;
    qv::HeadlessUser user;
    qv::PictureSteps steps;
    qv::Puz puz;
    qv::SteadyTickClock clock;
    qv::ScoreKeeper score{clock};
    fw::Options options;
    qv::GameSounds sounds{std::filesystem::temp_directory_path(), [](const std::string&) {}};
    QuietShell shell;
    qv::PlayContext context{puz, score, options, sounds, shell};
    std::unique_ptr<qv::WPuz> window;

    explicit Table(Layout l = FullHd) : layout(l)
    {
        application();
        const std::filesystem::path file =
            std::filesystem::temp_directory_path() / ("drag-bench-" + std::to_string(::getpid()) + ".puz");
        makePuzzle(file, layout);
        user.screen = {static_cast<int16_t>(layout.width), static_cast<int16_t>(layout.height)};
        user.frame = user.screen;
        steps.picture.display.width = layout.width;
        steps.picture.display.height = layout.height;
        puz.setUser(&user);
        puz.setSteps(&steps);
        const fw::Status st = puz.Open(file, 0, 0);
        std::filesystem::remove(file);
        if (!st.ok() || puz.pieceCount() != layout.columns * layout.rows)
            std::abort();
        options.word = fw::opt::Mute | fw::opt::NoAnimations;
        window = std::make_unique<qv::WPuz>(context);
        window->resize(layout.width, layout.height);
        window->show();
        window->puzzleOpened();
        QCoreApplication::processEvents();
    }

    static void makePuzzle(const std::filesystem::path& path, const Layout& l)
    {
        fw::Bitmap picture(l.pictureWidth, l.pictureHeight);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y,
                                 static_cast<uint32_t>((x * 255 / l.pictureWidth) << 16 |
                                                       (y * 255 / l.pictureHeight) << 8 | ((x ^ y) & 0xFF)));
        qv::Puz maker;
        maker.edit = qv::Puz::Making;
        maker.rows[0] = static_cast<int16_t>(l.rows);
        maker.columns[0] = static_cast<int16_t>(l.columns);
        maker.stockSizeCount = 1;
        maker.options |= qv::Puz::NoRotable | qv::Puz::ImgFull;
        maker.entry.title = "Bench";
        qv::PictureSource source;
        source.bitmap = picture;
        if (!qv::WritePuzzleFile(maker, path, source, {}, fw::Display()).ok())
            std::abort();
    }

    // Joins the top-left block of size pieces (10 x 5 for 50) into one group.
    int makeGroup(int width, int height)
    {
        const int columns = layout.columns;
        for (int r = 0; r < height; ++r)
            for (int c = 0; c < width; ++c) {
                qv::SPuz& p = puz.pieces[r * columns + c];
                if (c + 1 < width) {
                    p.joined |= 1 << qv::SideRight;
                    puz.pieces[r * columns + c + 1].joined |= 1 << qv::SideLeft;
                }
                if (r + 1 < height) {
                    p.joined |= 1 << qv::SideBottom;
                    puz.pieces[(r + 1) * columns + c].joined |= 1 << qv::SideTop;
                }
            }
        window->rules().MoveGroup(0, {200, 200});
        window->rules().SnapGroup(0);
        window->rules().BringToLevel(0, 0);
        return 0;
    }
};

void dispatchMouse(qv::WPuz& w, fw::MouseEvent::Action action, QPoint at)
{
    fw::MouseEvent e(action, action == fw::MouseEvent::Move ? fw::MouseEvent::NoButton : fw::MouseEvent::Left, at.x(),
                     at.y(), 0, fw::MouseEvent::Left);
    fw::Dispatch(e, w);
}

// A texture tinted between two colours, as the background window makes it.
void useTexturedTable(qv::WPuz& w)
{
    fw::Bitmap texture(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            texture.setPixel(x, y, static_cast<uint32_t>(((x ^ y) & 0xFF) * 0x010101));
    fw::Background& b = w.tableBackground();
    b.Set(0x4070A0, 0x102030, 0);
    b.setTexture(std::move(texture), "bench.jpg");
    w.backgroundChosen();
}

void dragBench(benchmark::State& state, int groupWidth, int groupHeight, bool textured = false, Layout layout = FullHd)
{
    Table table(layout);
    if (textured)
        useTexturedTable(*table.window);
    qv::WPuz& w = *table.window;
    int piece = 0;
    if (groupWidth * groupHeight > 1)
        piece = table.makeGroup(groupWidth, groupHeight);
    else
        table.window->rules().MoveGroup(piece, {300, 300});
    table.window->rules().BringToLevel(piece, 0);
    const qv::SPuz& p = table.puz.pieces[piece];
    const QPoint grab(p.tableCell.x + p.tableCell.w / 2, p.tableCell.y + p.tableCell.h / 2);
    dispatchMouse(w, fw::MouseEvent::Down, grab);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    std::vector<double> times;
    int step = 0;
    QElapsedTimer t;
    for (auto _ : state) {
        // Back and forth across 40 pixels, 4 pixels a move.
        const int phase = step++ % 20;
        const int dx = phase < 10 ? phase * 4 : (20 - phase) * 4;
        t.start();
        dispatchMouse(w, fw::MouseEvent::Drag, grab + QPoint(dx, dx / 2));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    dispatchMouse(w, fw::MouseEvent::Up, grab);
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times.empty() ? 0 : times[times.size() / 2];
    state.counters["pieces_held"] = groupWidth * groupHeight;
}

// One full repaint of the large table at the zoom (0: the whole table fits).
void repaintBench(benchmark::State& state, double zoom)
{
    Table table(Large);
    qv::WPuz& w = *table.window;
    const QPoint middle(w.width() / 2, w.height() / 2);
    if (zoom == 0)
        w.zoomToWhole();
    else
        w.zoomAt(zoom, middle);
    std::vector<double> times;
    QElapsedTimer t;
    for (auto _ : state) {
        t.start();
        w.repaint();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times.empty() ? 0 : times[times.size() / 2];
    state.counters["zoom_percent"] = zoom == 0 ? w.minZoom() * 100 : zoom * 100;
}

void BM_DragOnePiece(benchmark::State& state) { dragBench(state, 1, 1); }
void BM_DragFiftyPieces(benchmark::State& state) { dragBench(state, 10, 5); }
void BM_DragFiftyOnTexture(benchmark::State& state) { dragBench(state, 10, 5, true); }
void BM_DragFiveHundredLarge(benchmark::State& state) { dragBench(state, 25, 20, false, Large); }
void BM_RepaintLargeFit(benchmark::State& state) { repaintBench(state, 0); }
void BM_RepaintLarge100(benchmark::State& state) { repaintBench(state, 1.0); }
void BM_RepaintLarge200(benchmark::State& state) { repaintBench(state, 2.0); }

}  // namespace

BENCHMARK(BM_DragOnePiece)->Unit(benchmark::kMillisecond)->Iterations(400);
BENCHMARK(BM_DragFiftyPieces)->Unit(benchmark::kMillisecond)->Iterations(400);
BENCHMARK(BM_DragFiftyOnTexture)->Unit(benchmark::kMillisecond)->Iterations(400);
BENCHMARK(BM_DragFiveHundredLarge)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_RepaintLargeFit)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_RepaintLarge100)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_RepaintLarge200)->Unit(benchmark::kMillisecond)->Iterations(40);
