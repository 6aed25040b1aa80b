#pragma once

namespace mf::cmd {

// Menu and tool-bar command numbers of the frame window.
constexpr int New = 11846;
constexpr int BestTimes = 11848;
constexpr int Exit = 24310;
constexpr int ShapeSquare = 11850;
constexpr int ShapeDiamond = 11859;
constexpr int ShapeBrick = 11860;
constexpr int ShapeTriangle = 11861;
constexpr int ShapeShifted = 11863;
constexpr int ShapeHexagon = 11849;
constexpr int LevelBeginner = 11841;  // to 11845 Expert
constexpr int LevelExpert = 11845;
constexpr int BackgroundColor = 11854;
constexpr int Texture1 = 11852;
constexpr int Texture2 = 11853;
constexpr int Texture3 = 11858;
constexpr int Texture4 = 11857;
constexpr int LoadTexture = 11856;
constexpr int NoTexture = 11855;
constexpr int Sound = 11851;
constexpr int HelpContents = 11878;
constexpr int HomePage = 11862;
constexpr int About = 11847;
// Play options of our own.
constexpr int LeftChord = 11880;
constexpr int Marks = 11881;
constexpr int SafeStart = 11882;
constexpr int NoGuess = 11883;
// Commands of our own.
constexpr int Statistics = 11890;
constexpr int Replay = 11891;
constexpr int Pause = 11892;
constexpr int LevelCustom = 11893;
constexpr int ZoomIn = 11894;
constexpr int ZoomOut = 11895;
constexpr int ZoomActual = 11896;
constexpr int ZoomFirst = 11900;  // one per zoom step, smallest first
constexpr int LanguageFirst = 11920;  // one per language, in the order of AllLanguages

constexpr int ClockTimer = 0x404;

}  // namespace mf::cmd
