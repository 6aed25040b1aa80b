#pragma once
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "framework/Status.h"

class QProgressDialog;

namespace qv {

// The progress display while the pieces of a puzzle are cut (text 501).
// Most puzzles are cut in a blink, and a window that flashes for that long
// only distracts: it shows itself once a cut has run for a while and still
// has a good part to go, and closes when the cut is over.
class CuttingProgress {
public:
    // showAfterMs: how long a cut runs before the display comes.
    CuttingProgress(QWidget* parent, std::string text, int showAfterMs = DefaultShowAfterMs);
    ~CuttingProgress();
    CuttingProgress(const CuttingProgress&) = delete;
    CuttingProgress& operator=(const CuttingProgress&) = delete;

    using Progress = std::function<void(int percent)>;

    // Runs the cut on a thread of its own and returns its result (an
    // exception it throws is thrown here). Meanwhile the display paints and
    // the window system is answered, but the game's windows neither take
    // input nor paint, and a request to close one waits for the end of the
    // cut: nothing may look at the document while the cut writes it.
    fw::Status run(const std::function<fw::Status(const Progress&)>& cut);

    // percent: 0..100 of the pieces rendered.
    void step(int percent);
    bool shown() const { return m_dialog != nullptr; }

    static constexpr int DefaultShowAfterMs = 300;
    static constexpr int PollMs = 15;  // how often the display follows the cut

private:
    class Hold;

    QPointer<QWidget> m_parent;
    std::string m_text;
    int m_showAfterMs;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};

}  // namespace qv
