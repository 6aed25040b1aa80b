#pragma once
#include <cstdint>

namespace qv::cmd {

// Every command of the game, by the number its menus and keys send: the
// document's, and the few the play and box windows handle themselves. A menu entry's number is also the number of its caption in the
// translation files; 1140 to 1156, 1170 to 1175 and 1180 to
// 1183 are our own.
enum : uint32_t {
    Minimize = 10,
    Maximize = 11,
    Exit = 13,
    Open = 101,
    Save = 102,
    SaveAs = 103,
    Exit2 = 111,
    Credits = 114,
    Help = 119,
    SelectPicture = 120,
    Pause = 170,
    NoHandler = 1001,
    HideBoxes = 1006,
    ShowBoxes = 1007,
    Options = 1008,
    Print = 1009,
    AutoHelp = 1102,
    Tidy = 1103,
    Preview = 1104,
    Info = 1106,
    ShowScore = 1107,
    HideScore = 1108,
    Advanced = 1112,
    BoxOptions = 1116,
    PreviewHidden = 1125,
    ReopenLast = 1128,
    MakePuzzle = 1300,
    HowToMake = 1301,
    Ranking = 3020,

    // The box window's own (its other entries are the document's).
    BoxOpenClose = 1119,
    // The piece menu's, which the play window handles itself.
    PieceMark = 1126,
    PieceUnmark = 1127,
    ShowNeighbour = 1203,
    PieceTurnLeft = 2000,
    PieceTurnRight = 2001,
    PieceUncover = 2002,

    // Our own: the boxes a game has, the table's background and
    // competition mode on or off for the open game.
    AddBox = 1140,
    RemoveBox = 1141,
    Background = 1142,
    Competition = 1143,

    // Our own, reached by keys only: no menu offers them.
    PasteScores = 1150,     // a certificate or ranking text from the clipboard
    PostNothing = 1151,     // posts NoHandler, which does nothing
    SendToBox = 1152,       // the held pieces to a box (argument) or the table (SPuz::OnTable)
    WindowMenu = 1153,      // the play window's menu at the pointer
    Uncover = 1154,         // what lies under the pointer
    MinimiseAnimated = 1155,
    OpenLoupe = 1156,

    // Our own aids to play: undo and redo, the edge pieces (gathered into
    // the box of the argument, or GatherIntoNewBox) and the ghost picture
    // (its strength in percent the argument, 0 off).
    Undo = 1170,
    Redo = 1171,
    GatherEdges = 1172,
    EdgeView = 1173,
    Ghost = 1174,
    // Our own: the open game's cut as a text on the clipboard, for friends
    // to play the same pieces (Ctrl+V of such a text offers them).
    ShareCut = 1175,
    // Our own: the progress line of games outside competition, on or off.
    ProgressLine = 1185,
    // Our own: the table's zoom, a step in or out about the pointer, 100 %
    // and the whole table in the window.
    ZoomIn = 1180,
    ZoomOut = 1181,
    ZoomActual = 1182,
    ZoomWhole = 1183,
};

constexpr uint32_t GatherIntoNewBox = 100;

}  // namespace qv::cmd
