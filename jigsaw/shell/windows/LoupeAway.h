#pragma once

#include "jigsaw/play/LoupeReason.h"
#include "jigsaw/play/windows/WPuz.h"

namespace qv {

// The loupe hides while one of our windows is over the table, and comes
// back after it (repaint: the table is drawn anew first).
class LoupeAway {
public:
    LoupeAway(WPuz& window, bool repaint) : m_window(window), m_repaint(repaint)
    {
        m_window.HideLoupeFor(loupe::Pause, m_repaint);
    }
    ~LoupeAway() { m_window.ShowLoupeAfter(loupe::Pause, m_repaint); }
    LoupeAway(const LoupeAway&) = delete;
    LoupeAway& operator=(const LoupeAway&) = delete;

private:
    WPuz& m_window;
    bool m_repaint;
};

}  // namespace qv
