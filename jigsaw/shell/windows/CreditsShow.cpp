#include "jigsaw/shell/windows/CreditsShow.h"

#include <QImage>

#include "framework/Bmp.h"
#include "framework/FileStream.h"
#include "framework/qt/WCredits.h"
#include "jigsaw/play/windows/PlayCursors.h"
#include "jigsaw/play/windows/WPuz.h"
#include "jigsaw/shell/windows/App.h"
#include "jigsaw/shell/CreditsText.h"

namespace qv {

namespace {

// The thumbnail stored in the puzzle file; null when it has none.
QPixmap thumbnailOf(const Puz& puz)
{
    const uint32_t offset = puz.entry.directory.thumbnailOffset;
    if (offset == 0 || puz.puzzlePath.empty())
        return {};
    fw::FileStream file(puz.puzzlePath, fw::FileStream::Mode::Read);
    fw::Bitmap bmp;
    if (!file.isOpen() || !file.seek(offset) || !fw::readBmp(file, bmp).ok() || bmp.isNull())
        return {};
    const QImage view(reinterpret_cast<const uchar*>(bmp.bits()), bmp.width(), bmp.height(), bmp.width() * 4,
                      QImage::Format_RGB32);
    return QPixmap::fromImage(view.copy());
}

}  // namespace

std::string CreditsShow::text(App& app)
{
    const bool thumbnail = !thumbnailOf(app.puz()).isNull();
    const std::string version = "Version " + std::to_string(App::ProgramVersion / 100) + "." +
                                std::to_string(App::ProgramVersion % 100 / 10) + std::to_string(App::ProgramVersion % 10);
    return CreditsText::build(app.puz(), [&](int id) { return app.text(id); }, version, app.programDir().string(),
                              thumbnail);
}

std::map<int, QPixmap> CreditsShow::pictures(App& app)
{
    std::map<int, QPixmap> pictures;
    const QPixmap thumbnail = thumbnailOf(app.puz());
    if (!thumbnail.isNull())
        pictures[CreditsText::Thumbnail] = thumbnail;
    pictures[CreditsText::Icon] = PlayCursors::icon().scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pictures[CreditsText::Icon2] = pictures[CreditsText::Icon];
    return pictures;
}

void CreditsShow::run(App& app)
{
    const std::filesystem::path dir = app.programDir();
    auto play = [&app, dir](const std::string& name) {
        std::error_code ec;
        const std::filesystem::path file = dir / name;
        if (!(app.options().word & fw::opt::Mute) && std::filesystem::exists(file, ec))
            app.soundPlayer().play(file.string());
    };
    fw::WCredits roll(text(app), pictures(app), &app.playWindow(), play, [&app] { app.soundPlayer().stop(); });
    roll.exec();
}

}  // namespace qv
