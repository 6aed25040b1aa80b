#pragma once
#include <QCoreApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/Display.h"
#include "framework/Options.h"
#include "framework/qt/WBkg.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/PictureSteps.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/GameSounds.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/WPuz.h"
#include "tests/support/TempDir.h"

namespace playtest {

class QuietShell : public qv::PlayShell {
public:
    std::string text(int) const override { return {}; }
    std::string caption(int, int) const override { return {}; }
    int message(int, unsigned, const std::string&) override { return 1; }
    void autosave(bool) override {}
    void openDropped(const std::filesystem::path&) override {}
};

// A small texture every test can recognise: textures are read through this
// reader, which knows only the names below.
inline fw::Bitmap sampleTexture()
{
    fw::Bitmap t(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            t.setPixel(x, y, static_cast<uint32_t>(((x * 36) << 16) | ((y * 60) << 8) | ((x + y) * 20)));
    return t;
}

inline fw::Status readSampleTexture(const std::filesystem::path& file, fw::Bitmap& out)
{
    const std::string name = file.filename().string();
    if (name != "felt.jpg" && name != "my-own%pic.jpg")
        return fw::Status(20, file.string());
    out = sampleTexture();
    return fw::Status();
}

// A 6 x 4 puzzle opened on a 900 x 700 table in a real play window, its
// pieces piled in the top-left corner so the rest of the table is bare
// (or left where the scatter put them). picture: a JPEG to cut instead of
// the made-up one.
struct PlayTable {
    struct Setup {
        std::filesystem::path saved;
        std::filesystem::path picture;
        bool pile = true;
    };
    static constexpr int W = 900, H = 700;
    qvtest::TempDir dir;
    qv::HeadlessUser user;
    qv::PictureSteps steps;
    qv::Puz puz;
    qv::SteadyTickClock clock;
    qv::ScoreKeeper score{clock};
    fw::Options options;
    qv::GameSounds sounds{dir.path(), [](const std::string&) {}};
    QuietShell shell;
    qv::PlayContext context{puz, score, options, sounds, shell};
    std::unique_ptr<qv::WPuz> window;

    explicit PlayTable(const std::filesystem::path& saved = {}) : PlayTable(Setup{saved, {}, true}) {}
    explicit PlayTable(const Setup& setup) : m_pile(setup.pile)
    {
        context.readPicture = readSampleTexture;
        user.screen = user.frame = {W, H};
        steps.picture.display.width = W;
        steps.picture.display.height = H;
        puz.setUser(&user);
        puz.setSteps(&steps);
        if (setup.saved.empty()) {
            makePuzzle(dir / "table.puz", setup.picture);
            open(dir / "table.puz");
        } else {
            open(setup.saved);
        }
    }

    void open(const std::filesystem::path& file)
    {
        if (!puz.Open(file, 0, 0).ok() || puz.pieceCount() != 24)
            throw std::runtime_error("the test puzzle does not open");
        options.word = fw::opt::Mute | fw::opt::NoAnimations;
        puz.gameOptions = fw::gameopt::HidePreview;
        window = std::make_unique<qv::WPuz>(context);
        window->resize(W, H);
        window->show();
        window->puzzleOpened();
        for (int p = 0; m_pile && p < puz.pieceCount(); ++p)
            window->rules().MoveGroup(p, {4, 4});
        QCoreApplication::processEvents();
    }

    static void makePuzzle(const std::filesystem::path& path, const std::filesystem::path& jpeg)
    {
        fw::Bitmap picture(360, 240);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, static_cast<uint32_t>((x / 2) << 16 | y << 8 | 0x40));
        qv::Puz maker;
        maker.edit = qv::Puz::Making;
        maker.rows[0] = 4;
        maker.columns[0] = 6;
        maker.stockSizeCount = 1;
        maker.options |= qv::Puz::NoRotable;
        maker.entry.title = "Table";
        qv::PictureSource source;
        source.bitmap = picture;
        source.jpegFile = jpeg;
        if (!qv::WritePuzzleFile(maker, path, source, {}, fw::Display()).ok())
            throw std::runtime_error("the test puzzle cannot be written");
    }

    // The ground of the whole window as the table paints it.
    fw::Bitmap ground(qv::WSPuz& surface)
    {
        fw::Bitmap out(surface.width(), surface.height());
        surface.paintGround(out, surface.origin());
        return out;
    }

private:
    bool m_pile;
};

}  // namespace playtest
