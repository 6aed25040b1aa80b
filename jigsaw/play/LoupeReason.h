#pragma once

namespace qv {

// Why the loupe is hidden: the one list. The loupe shows again when the
// last reason ends. RuleRunning covers every rule that moves pieces on its
// own while the player watches: a turn (until its animation ends), tidying
// and the neighbour hint (until the hint ends).
namespace loupe {

enum Reason : int {
    Frame = 1,           // the pointer is on a window's frame
    Menu = 2,            // a menu is open
    Deactivated = 3,     // the play window lost the activation
    PreviewDragged = 4,  // the preview is being dragged
    RuleRunning = 5,     // a turn, tidying or the neighbour hint runs
    ExitQuestion = 7,    // the question before leaving a changed game
    Pause = 8,           // the completion message, pause, print, credits and other dialogs
    RubberBand = 9,      // a rubber band is out
};

}  // namespace loupe
}  // namespace qv
