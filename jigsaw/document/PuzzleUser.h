#pragma once
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;

// What opening and saving a puzzle needs from the user and the screen. The
// shell implements it with message boxes and the play window; tests and
// tools use HeadlessUser.
class PuzzleUser {
public:
    virtual ~PuzzleUser() = default;
    // Question 1001: the game was saved in a larger play frame (its size
    // given); true = go on anyway.
    virtual bool confirmLargerFrame(const Puz& puz, Point16 savedFrame) = 0;
    // The custom-size prompt (texts 500 and 857, up to 7 characters);
    // nullopt = cancelled.
    virtual std::optional<std::string> askCustomSize(const Puz& puz) = 0;
    virtual Point16 screenSize() const = 0;     // pixels, for "MinRes:"
    virtual Point16 playFrameSize() const = 0;  // client size of the play frame, for "SZW:"
    // Today as year * 10000 + month * 100 + day.
    virtual uint32_t today() const = 0;
    // A saved game (not a temporary one) was written: remember it as the last puzzle.
    virtual void rememberLastPuzzle(const std::filesystem::path&) {}
    // An internal consistency check failed; the program goes on.
    virtual void reportInconsistency(std::string_view) {}
};

// Today's local date as year * 10000 + month * 100 + day.
inline uint32_t localToday()
{
    std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return static_cast<uint32_t>((t.tm_year + 1900) * 10000 + (t.tm_mon + 1) * 100 + t.tm_mday);
}

// A user who answers without asking: everything is settable.
class HeadlessUser : public PuzzleUser {
public:
    bool confirmLargerFrame(const Puz&, Point16) override { ++frameQuestions; return confirm; }
    std::optional<std::string> askCustomSize(const Puz&) override { return customSize; }
    Point16 screenSize() const override { return screen; }
    Point16 playFrameSize() const override { return frame; }
    uint32_t today() const override { return date ? date : localToday(); }
    void reportInconsistency(std::string_view text) override { inconsistency = text; }

    bool confirm = true;
    int frameQuestions = 0;
    std::optional<std::string> customSize;
    Point16 screen{1920, 1080};
    Point16 frame{1920, 1040};
    uint32_t date = 0;  // 0 = the real local date
    std::string inconsistency;
};

}  // namespace qv
