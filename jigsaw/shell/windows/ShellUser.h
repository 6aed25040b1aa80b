#pragma once
#include <functional>

#include "jigsaw/document/PuzzleUser.h"

class QWidget;

namespace qv {

// The document's questions asked with real message boxes, and the real
// screen and play frame.
class ShellUser : public PuzzleUser {
public:
    using Remember = std::function<void(const std::filesystem::path&)>;

    ShellUser(QWidget* const& playWindow, Remember remember) : m_window(playWindow), m_remember(std::move(remember)) {}

    bool confirmLargerFrame(const Puz& puz, Point16 savedFrame) override;
    std::optional<std::string> askCustomSize(const Puz& puz) override;
    Point16 screenSize() const override;
    Point16 playFrameSize() const override;
    uint32_t today() const override;
    void rememberLastPuzzle(const std::filesystem::path& path) override;
    void reportInconsistency(std::string_view text) override;

private:
    QWidget* const& m_window;  // the play window once it exists
    Remember m_remember;
};

}  // namespace qv
