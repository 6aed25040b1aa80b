#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "framework/Options.h"
#include "framework/Random.h"
#include "framework/Status.h"

namespace fw {
class Bitmap;
struct Display;
}

namespace qv {

class Puz;
class ScoreKeeper;
class GameSounds;
class AnimationClock;

// What the play and box windows ask of the program around them: texts,
// questions, saving and opening. The shell implements it; tests may too.
class PlayShell {
public:
    virtual ~PlayShell() = default;
    virtual std::string text(int id) const = 0;
    // A menu entry's or button's caption (kind 4), variant 1 = its other state.
    virtual std::string caption(int id, int variant = 0) const = 0;
    // The key of a command with this argument as its menu entry shows it
    // ("Ctrl+R"), in the player's language; empty when it has none.
    virtual std::string keyHint(uint32_t command, uint32_t argument = 0) const
    {
        (void)command;
        (void)argument;
        return {};
    }
    // The modifiers' names ahead of a mouse button's: "Ctrl+", "Strg+Alt+".
    virtual std::string modifiers(unsigned modifiers) const
    {
        (void)modifiers;
        return {};
    }
    // A message box over the play window; style and result as mb:: in
    // framework/Markup.h. insert fills the text's "%s".
    virtual int message(int textId, unsigned style, const std::string& insert = {}) = 0;
    // After a drop or a Ctrl+click rotation: the autosave rule. joined tells
    // whether the joined-sides count changed meanwhile.
    virtual void autosave(bool joined) = 0;
    // A file dropped on the play window.
    virtual void openDropped(const std::filesystem::path& file) = 0;
    // The hint about double clicking after a plain click on the table; empty
    // once it has been shown often enough.
    virtual std::string clickHint() { return {}; }
    // The play window is asked to close; true keeps it open (the program's
    // exit sequence runs first and closes it itself).
    virtual bool keepOpenOnClose() { return false; }
};

// Everything the windows of play share: the document and its score, the
// user's options and the sounds. The objects outlive every window.
struct PlayContext {
    Puz& puz;
    ScoreKeeper& score;
    fw::Options& options;
    GameSounds& sounds;
    PlayShell& shell;
    // What the animations are timed by and where the sparkles' colours and
    // the celebration's places come from; null: the play window's own (a
    // timer of the event loop, a generator seeded from the tick count and
    // one left at its first state).
    AnimationClock* animationClock = nullptr;
    fw::Random* sparkleColours = nullptr;
    fw::Random* sparklePlaces = nullptr;
    // How the table's texture pictures are decoded; null: the window
    // system's reader.
    std::function<fw::Status(const std::filesystem::path&, fw::Bitmap&)> readPicture = nullptr;
    // The screen played on; null: a true-colour one.
    const fw::Display* display = nullptr;

    void playSound(int number) const;
};

}  // namespace qv
