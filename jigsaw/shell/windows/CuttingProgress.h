#pragma once
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

class QProgressDialog;

namespace qv {

// The progress display while the pieces of a puzzle are cut (text 501).
// Most puzzles are cut in a blink, and a window that flashes for that long
// only distracts: it shows itself once a cut has run for a while and still
// has a good part to go, and closes when the cut is over.
class CuttingProgress {
public:
    CuttingProgress(QWidget* parent, std::string text);
    ~CuttingProgress();
    CuttingProgress(const CuttingProgress&) = delete;
    CuttingProgress& operator=(const CuttingProgress&) = delete;

    // percent: 0..100 of the pieces rendered.
    void step(int percent);
    bool shown() const { return m_dialog != nullptr; }

    // How long a cut runs before the display comes; tests lower it.
    static int showAfterMs;

private:
    QPointer<QWidget> m_parent;
    std::string m_text;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};

}  // namespace qv
