#pragma once
#include <QImage>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "framework/Bitmap.h"
#include "framework/Display.h"
#include "framework/Status.h"
#include "framework/qt/WBaseInfo.h"
#include "jigsaw/shell/NewPuzzleRules.h"

class QScrollArea;
class QScrollBar;

namespace qv {

class EdPuzView;
class Library;

// What the puzzle editor asks of the user; message boxes unless replaced.
class EditorUser {
public:
    virtual ~EditorUser() = default;
    // Question 812 (Yes, No): leave without making the puzzle?
    virtual bool confirmLeave() = 0;
    // The puzzle file exists on the chosen shelf: replace it?
    virtual bool confirmReplace(const std::filesystem::path& file) = 0;
    virtual void showStatus(const fw::Status& status) = 0;
    // The shelf chooser of button 6019; nullopt when cancelled.
    virtual std::optional<std::string> chooseShelf(const std::string& current) = 0;
};

// The puzzle editor: the picture with the grid of the chosen size and a
// cropping rectangle, and the panel that sets the puzzle up: five stock
// sizes (a piece count or "RxC", with live piece-count labels), the check
// boxes 6013 (offer a custom size), 6014 (no preview), 6015 (no help), our
// own no-rotation and rectangular-pieces choices, the title, the rights
// notice, the shelf (6019/6020, when there is more than one), the zoom
// (25..300 %) and the plain view (6016). OK checks the choices, writes the
// puzzle file into the shelf with progress, updates that shelf's cache and
// "LastPuz", and closes; the caller then sends command 1128, which opens it.
//
//   WEdPuz editor(playWindow, library, picture, pictureFile);
//   if (auto made = editor.Exec()) post command 1128;   // *made: the new puzzle file
class WEdPuz : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum : int {
        IdFirstSize = 6000,       // 6000..6004
        IdFirstCount = 110,       // 110..114
        IdCustom = 6013,
        IdNoPreview = 6014,
        IdNoHelp = 6015,
        IdPlain = 6016,
        IdZoomBar = 6017,
        IdZoom = 6018,
        IdChooseShelf = 6019,
        IdShelf = 6020,
        IdNoRotate = 6021,
        IdMosaic = 6022,
        IdRights = 6023,
        IdTitle = 6010,
        IdPictureSize = 100,
        IdFit = 170,
        HelpTopic = 153,
        PanelWidth = 250,
        ThumbnailWidth = 120,
        ThumbnailHeight = 90,
    };

    // picture: the loaded picture; pictureFile: where it came from (a JPEG
    // file is stored unchanged unless the picture is cropped).
    // display: the screen the program runs on (a 256-colour one shows the
    // picture in its palette; the puzzle file is written for it).
    WEdPuz(QWidget* parent, Library& library, fw::Bitmap picture, std::filesystem::path pictureFile,
           fw::Display display = {});
    ~WEdPuz() override;

    void setUser(EditorUser* user) { m_user = user; }
    void setHelp(std::function<void(int topic)> help) { m_help = std::move(help); }

    // Runs modally: the puzzle file written, or nullopt when left.
    std::optional<std::filesystem::path> Exec();
    const std::optional<std::filesystem::path>& made() const { return m_made; }

    // The panel's choices as they stand, and the part of the picture used.
    newpuzzle::EditorChoices choices() const;
    QRect area() const;
    void setCrop(QRect crop);
    int zoom() const;
    void setZoom(int percent);
    std::string shelf() const { return m_shelf; }
    EdPuzView& view() const { return *m_view; }
    // The size whose grid is drawn (0..4), -1 when none gives a grid.
    int shownSize() const { return m_shownSize; }

protected:
    bool OnCommand(const fw::CommandEvent& event) override;
    bool OnControl(const fw::ControlEvent& event) override;
    bool OnKey(const fw::KeyEvent& event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();
    int layOutSizes(int x, int y);
    int layOutChoices(int x, int y);
    int layOutZoom(int x, int y);
    void proposeSizes();
    void refreshCounts();
    void showGrid(int size);
    void setPlain(bool plain);
    void chooseShelf();
    void fitZoom();
    bool write();
    std::filesystem::path targetDirectory() const;

    Library& m_library;
    fw::Bitmap m_picture;
    std::filesystem::path m_pictureFile;
    fw::Display m_display;
    std::unique_ptr<EditorUser> m_boxes;
    EditorUser* m_user;
    std::function<void(int)> m_help;
    QScrollArea* m_scroll = nullptr;
    EdPuzView* m_view = nullptr;
    QScrollBar* m_zoomBar = nullptr;
    std::string m_shelf;
    int m_shownSize = -1;
    std::optional<std::filesystem::path> m_made;
};

// The picture as the editor shows it: on a 256-colour display reduced to
// the display's palette, as the puzzle will look there.
QImage EditorImage(const fw::Bitmap& picture, const fw::Display& display);

}  // namespace qv
