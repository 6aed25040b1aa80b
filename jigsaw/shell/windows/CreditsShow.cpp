#include "jigsaw/shell/windows/CreditsShow.h"

#include <QImage>

#include "framework/Bmp.h"
#include "framework/FileStream.h"
#include "framework/qt/WCredits.h"
#include "jigsaw/play/windows/PlayCursors.h"
#include "framework/Options.h"
#include "framework/SoundPlayer.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/shell/CreditsText.h"
#include "jigsaw/shell/ProgramName.h"

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

std::string CreditsShow::textOf(const Facts& facts)
{
    const bool thumbnail = !thumbnailOf(facts.puz).isNull();
    constexpr int v = program::Version;
    const std::string version =
        "Version " + std::to_string(v / 100) + "." + std::to_string(v % 100 / 10) + std::to_string(v % 10);
    return CreditsText::build(facts.puz, facts.text, version, facts.programDir.string(), thumbnail);
}

std::map<int, QPixmap> CreditsShow::picturesOf(const Puz& puz)
{
    std::map<int, QPixmap> pictures;
    const QPixmap thumbnail = thumbnailOf(puz);
    if (!thumbnail.isNull())
        pictures[CreditsText::Thumbnail] = thumbnail;
    pictures[CreditsText::Icon] = PlayCursors::icon().scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pictures[CreditsText::Icon2] = pictures[CreditsText::Icon];
    return pictures;
}

void CreditsShow::run(const Facts& facts, QWidget* over, const fw::Options& options, fw::SoundPlayer& player)
{
    const std::filesystem::path dir = facts.programDir;
    auto play = [&options, &player, dir](const std::string& name) {
        std::error_code ec;
        const std::filesystem::path file = dir / name;
        if (!(options.word & fw::opt::Mute) && std::filesystem::exists(file, ec))
            player.play(file.string());
    };
    fw::WCredits roll(textOf(facts), picturesOf(facts.puz), over, play, [&player] { player.stop(); });
    roll.exec();
}

}  // namespace qv
