// How long the play window takes to follow one pointer move of a held
// group (the move itself and the repaint of the area it left and entered)
// on a table of 1000 pieces, for a group of 1 piece and one of 50, and of
// 50 on a textured table.
// Reports the median per move in milliseconds (counter median_ms).
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

constexpr int TableW = 1920, TableH = 1080;
constexpr int Columns = 40, Rows = 25;  // 1000 pieces

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

// A 1000-piece game on a full-HD table in a real play window.
struct Table {
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

    Table()
    {
        application();
        const std::filesystem::path file =
            std::filesystem::temp_directory_path() / ("drag-bench-" + std::to_string(::getpid()) + ".puz");
        makePuzzle(file);
        user.screen = {TableW, TableH};
        user.frame = {TableW, TableH};
        steps.picture.display.width = TableW;
        steps.picture.display.height = TableH;
        puz.setUser(&user);
        puz.setSteps(&steps);
        const fw::Status st = puz.Open(file, 0, 0);
        std::filesystem::remove(file);
        if (!st.ok() || puz.pieceCount() != Columns * Rows)
            std::abort();
        options.word = fw::opt::Mute | fw::opt::NoAnimations;
        window = std::make_unique<qv::WPuz>(context);
        window->resize(TableW, TableH);
        window->show();
        window->puzzleOpened();
        QCoreApplication::processEvents();
    }

    static void makePuzzle(const std::filesystem::path& path)
    {
        fw::Bitmap picture(960, 600);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, static_cast<uint32_t>((x * 255 / 960) << 16 | (y * 255 / 600) << 8 | ((x ^ y) & 0xFF)));
        qv::Puz maker;
        maker.edit = qv::Puz::Making;
        maker.rows[0] = Rows;
        maker.columns[0] = Columns;
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
        for (int r = 0; r < height; ++r)
            for (int c = 0; c < width; ++c) {
                qv::SPuz& p = puz.pieces[r * Columns + c];
                if (c + 1 < width) {
                    p.joined |= 1 << qv::SideRight;
                    puz.pieces[r * Columns + c + 1].joined |= 1 << qv::SideLeft;
                }
                if (r + 1 < height) {
                    p.joined |= 1 << qv::SideBottom;
                    puz.pieces[(r + 1) * Columns + c].joined |= 1 << qv::SideTop;
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

void dragBench(benchmark::State& state, int groupWidth, int groupHeight, bool textured = false)
{
    Table table;
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

void BM_DragOnePiece(benchmark::State& state) { dragBench(state, 1, 1); }
void BM_DragFiftyPieces(benchmark::State& state) { dragBench(state, 10, 5); }
void BM_DragFiftyOnTexture(benchmark::State& state) { dragBench(state, 10, 5, true); }

}  // namespace

BENCHMARK(BM_DragOnePiece)->Unit(benchmark::kMillisecond)->Iterations(400);
BENCHMARK(BM_DragFiftyPieces)->Unit(benchmark::kMillisecond)->Iterations(400);
BENCHMARK(BM_DragFiftyOnTexture)->Unit(benchmark::kMillisecond)->Iterations(400);
