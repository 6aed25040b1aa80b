#pragma once
#include <QPoint>
#include <QPointer>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/Menu.h"
#include "framework/Random.h"
#include "jigsaw/play/PlayPorts.h"
#include "jigsaw/play/PlayRules.h"
#include "jigsaw/play/PlaySession.h"
#include "jigsaw/play/ScoreKeeperScore.h"
#include "jigsaw/play/LoupeReason.h"
#include "jigsaw/play/windows/Marker.h"
#include "jigsaw/play/windows/PlayAnimations.h"
#include "jigsaw/play/windows/PlayHost.h"
#include "jigsaw/play/windows/WSPuz.h"

namespace qv {

class Loupe;
class MultiSPuzs;
class SurfaceMouse;
class WBox;
class WMuestra;

// The play window: the table covering the screen, the owner of the box
// windows, the loupe, the preview, the marker and the sparkles, and of the
// play session (the rules and what a game in progress holds). It shows the
// session's reports and plays their animations on the event loop. Its
// one-second timer keeps the score clock shown; the keys and menu commands
// go on to the document's command handler (the shell).
class WPuz : public WSPuz, public PlayWindows, public PlayHost {
    Q_OBJECT

public:
    static constexpr const char* ProgramName = "Quorvane";
    static constexpr int EmptyTableFontSize = 42;
    static constexpr int CoverText = 4740;  // the table hidden while a competition game is paused

    explicit WPuz(PlayContext& context);
    ~WPuz() override;

    PlayHost& host() override { return *this; }
    WSPuz& table() override { return *this; }
    PlayRules& rules() override { return m_session.rules(); }
    PlaySession& session() override { return m_session; }
    // Shows what an operation of the session changed.
    void present(PlayReport&& report) override;

    // Covers the screen the window is on.
    void showOnScreen();

    // A puzzle was opened (or closed: no pieces): box windows, marker and
    // preview follow the document.
    void puzzleOpened();
    void puzzleClosed();

    // --- operations other parts call
    void PlaySound(int number) override;
    void HideLoupeFor(int reason, bool pauseClock) override;
    void ShowLoupeAfter(int reason, bool resumeClock) override;
    bool TogglePreview();
    void SetPreviewHidden(bool hidden);
    bool previewShown() const;
    void OpenLoupe() override;
    void CloseLoupe();
    // The pointer is on a window's frame (a box's border, a box being
    // moved, the system's frames): loupe hide reason 1.
    void setPointerOnFrame(bool on) override;
    bool loupeHiddenFor(int reason) const { return m_session.loupeHiddenFor(reason); }
    Loupe* loupe() const override { return m_loupe.get(); }
    // Keys of the open loupe; false when there is none or the key is not its.
    bool loupeKey(unsigned kind, unsigned key) override;
    void Sparkle(WSPuz& surface, int x, int y);

    // Sends the held group, or the group under the pointer, to a box
    // (SPuz::OnTable: back to the table). False when nothing was sent.
    bool sendToBox(uint8_t box);
    // The same for the group of a piece that is not held, as if the pointer
    // were at (play-window coordinates): the piece menu's sending. A marked
    // group stays.
    bool sendGroupToBox(int piece, uint8_t box, QPoint at);
    // Brings the groups hidden below the one under the pointer into view.
    void uncoverAtPointer();
    // The piece under the pointer and the surface it lies on; -1 when none.
    int pieceAtPointer(WSPuz** surface = nullptr) const;
    // Rotates the piece's group with the command form (about the remembered
    // command point, or the cell's centre); counts one move.
    // True when the joined sides changed meanwhile (for the autosave).
    bool rotateByCommand(int piece, int k, const QPoint* surfacePoint);

    // Marks (with this piece as marker piece) or unmarks the piece's group,
    // the marker flying between its dock and the piece.
    void markGroup(WSPuz& surface, int piece, bool mark) override;
    // Unmarks the group marked last; the marker flies home.
    void unmarkLast() override;
    // Posts a rotation command (PieceTurnRight k = 1, PieceTurnLeft k = 3) for the piece about
    // the point (surface coordinates), to run after the click.
    void postRotation(WSPuz& surface, int piece, int k, QPoint at) override;
    void uncoverAt(WSPuz& surface, QPoint at) override;
    // The finished picture with its border, in window coordinates.
    QRect completionBorder() const override;

    // --- the table's background
    // The table's background as the game chose it ("BkClr:" and our texture
    // key); the boxes derive theirs from it. Changed through it (the
    // background window), it must be handed back with backgroundChosen().
    fw::Background& tableBackground() override;
    // Keeps what the background now holds with the game and repaints every
    // surface.
    void backgroundChosen();
    // Counts the changes of the table's background, so boxes know when to
    // derive theirs again.
    unsigned backgroundStamp() const override { return m_backgroundStamp; }
    // Where the program's own textures lie: a texture from there is kept
    // with the game by its file name alone.
    static std::filesystem::path texturesFolder();
    // How a texture file is kept with the game (its name when it is one of
    // ours, else its full path) and where a kept name is found again.
    static std::string textureName(const std::filesystem::path& file);
    static std::filesystem::path textureFile(const std::string& name);

    // --- boxes
    const std::vector<fw::WindowPtr<WBox>>& boxes() const override { return m_boxes; }
    WBox* box(int index) const;
    void setBoxesHidden(bool hidden);
    void addBox();
    // Removes the last box when it is empty.
    bool removeBox();
    // The box window opened or activated last, or null.
    WBox* topmostOpenBox() const;
    void boxActivated(WBox* box) override;
    // Keeps the document's record of every box window's place.
    void storeBoxPlaces() override;
    // A box window was moved or resized by the player.
    void boxWindowMoved(int box) override;
    // The context menu of a piece.
    fw::Menu pieceMenu(int piece) const override;

    // --- the view of the table
    // The zoom levels run from the whole table in the window to MaxZoom.
    static constexpr double MaxZoom = 4.0;
    // The table's game area (the screen-sized area the game is laid out on)
    // with every piece on the table, in table coordinates.
    Rect16 wholeTable() const;
    // The table the window covers at 100 % from the view's corner: the
    // area a game is laid out and kept on, whatever the zoom.
    Rect16 tableArea() const;
    // The zoom at which the whole table fits the window (at most 1).
    double minZoom() const;
    // Zooms to the level (clamped to the levels above) keeping the table
    // point under the window point where it is.
    void zoomAt(double zoom, QPoint windowPoint);
    // Steps up (positive) or down the levels of the ladder about the window point.
    void zoomSteps(int steps, QPoint windowPoint);
    void zoomToWhole();
    // 100 % about the middle of what is shown.
    void zoomToActual();
    // Where the keys zoom about: the pointer, or the middle when it is away.
    QPoint zoomPoint() const;
    void panTable(QPoint windowDistance) override;

    // --- areas of the table
    // Where the picture's area lies on the table (surface coordinates): the
    // middle of the screen, kept free when pieces are spread.
    Rect16 pictureArea() const;
    QRect markerDock() const override;
    const Marker& marker() const override { return m_marker; }

    // Whether a group is being dragged.
    bool holding() const override { return m_session.heldPiece() != PlayRules::NoPiece; }
    // The last pointer position seen, in play-window coordinates.
    QPoint pointer() const;
    double mmPerPixel() const override { return m_mmPerPixel; }

    // The short animation when the program closes from the play window. It
    // runs on the event loop; a close asked for meanwhile waits for its end.
    void runExitAnimation();
    bool exiting() const { return m_exitShowing; }
    // The animations running now (turns, marker flights, hints, the exit).
    AnimationPlayer& animations() { return m_player; }
    // Esc's minimising: a frame shrinks over the window for ms milliseconds,
    // then the window is minimised. A second call meanwhile does nothing.
    void MinimiseAnimated(int ms = 250);
    bool minimising() const { return m_minimising != nullptr; }
    bool celebrating() const { return m_celebration > 0; }

    // --- called by the surfaces
    bool surfaceMouse(WSPuz& surface, const fw::MouseEvent& event) override;
    bool surfaceCommand(WSPuz& surface, const fw::CommandEvent& event) override;
    bool surfaceMenuHint(WSPuz& surface, fw::MenuHintEvent& event) override;
    WSPuz* surfaceOf(uint8_t container) const;
    WSPuz* surfaceAtGlobal(QPoint global) const override;
    void paintBandOn(QPainter& painter, WSPuz& surface) override;
    SurfaceMouse& mouse() override { return *m_mouse; }

    // --- PlayWindows: what the session asks of the windows, and how a
    // report's repaints, turns and hints are shown
    void invalidate(uint8_t container, const Rect16& area) override;
    bool showTurn(const TurnAnimation& turn) override;
    bool showsTurns() const override;
    void finishTurn() override;
    Rect16 visibleTable() const override { return visibleArea(); }
    void scrollTable(int dx, int dy) override;
    bool boxWindowOpen(uint8_t box) const override;
    void openBoxWindow(uint8_t box) override;
    bool loupeExists() const override { return m_loupe != nullptr; }
    void showHint(const HintAnimation& hint) override;
    void celebrate(int sparkles) override;
    ScatterArea scatterArea(uint8_t container) const override;

protected:
    bool OnTimer(const fw::TimerEvent& event) override;
    bool OnActivate(const fw::ActivateEvent& event) override;
    bool OnDropFiles(const fw::DropFilesEvent& event) override;
    bool OnCloseRequest() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintOverlay(QPainter& painter, const QRect& area) override;
    void resizeEvent(QResizeEvent* event) override;
    fw::Background& ground() override { return m_table; }
    void prepareGround() override;
    void paintGroundMarks(fw::Bitmap& out, QPoint at) override;
    void viewChanged() override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Sends the group of a piece (held no longer) to a box or the table at (play-window coordinates).
    bool sendGroup(int piece, uint8_t box, QPoint at);
    void createBoxes();
    void syncBoxWindows();
    void flyMarker(const MarkerMove& move);
    void showLoupeChange(const PlayReport& report);
    void celebrationTick();
    void paintEmptyTable(QPainter& painter);
    void paintCover(QPainter& painter);
    bool partOfPlay(const QWidget* window) const;
    void playDeactivated();
    void companionActivation(bool active);
    void placeDefaultBoxes();
    // The origin that keeps the view inside the whole table (or the whole
    // table in the middle of a larger view).
    QPointF clampedOrigin(double zoom, QPointF origin) const;
    void showView(double zoom, QPointF origin);

    // The clock and generators come first: the rules and the player use them
    // and the player ends its shows (telling the rules) when it goes.
    std::unique_ptr<AnimationClock> m_ownClock;
    fw::Random m_ownColours, m_ownPlaces;
    fw::Random& m_sparkleColours;
    fw::Random& m_sparklePlaces;
    PlaySession m_session;
    PlayRules& m_rules;
    AnimationPlayer m_player;
    bool m_exitShowing = false;
    bool m_closeAfterExit = false;
    // Box windows and the preview go when a puzzle closes, often from inside
    // one of their own events: they are disposed of later, not deleted.
    std::vector<fw::WindowPtr<WBox>> m_boxes;
    QPointer<WBox> m_topBox;
    std::unique_ptr<Loupe> m_loupe;
    fw::WindowPtr<WMuestra> m_preview;
    std::unique_ptr<SurfaceMouse> m_mouse;
    Marker m_marker;
    int m_commandPiece = -1;    // what a posted rotation command turns
    QPoint m_commandPoint;
    bool m_commandFromClick = false;
    double m_mmPerPixel = 0.25;
    int m_celebration = 0;
    bool m_boxesHidden = false;
    bool m_pointerOnFrame = false;
    QPoint m_wheel;  // wheel turns short of a step
    QPointer<QWidget> m_minimising;
    fw::Background m_table;
    struct TableChoice {
        std::string colours, texture;
        uint8_t frameOff = 0;
    } m_tableChoice;  // the document's choice the table now shows
    unsigned m_backgroundStamp = 0;
};

}  // namespace qv
