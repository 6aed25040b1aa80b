#include "jigsaw/shell/windows/WEdPuz.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QScreen>

#include "framework/Display.h"
#include "framework/FileStream.h"
#include "framework/Profile.h"
#include "framework/VirtualKey.h"
#include "framework/qt/Cursors.h"
#include "framework/qt/MessageBox.h"
#include "framework/qt/Text.h"
#include "jigsaw/document/GridFromCount.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/PicturePalette.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/Thumbnail.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/shell/windows/EdPuzView.h"
#include "jigsaw/library/windows/LibraryTexts.h"
#include "jigsaw/library/windows/ShelfChooser.h"

namespace fs = std::filesystem;

namespace qv {

namespace {

constexpr int kMargin = 10;
constexpr int kSizes = 5;
constexpr int kLeaveQuestion = 812;
constexpr int kWritingSteps = 250;
// Piece counts proposed for a new puzzle; those the picture cannot take
// (pieces under 12 pixels) are left out.
constexpr const char* kProposed[kSizes] = {"24", "60", "120", "240", "480"};

class BoxEditorUser : public EditorUser {
public:
    BoxEditorUser(QWidget* owner, Library& library) : m_owner(owner), m_library(library) {}

    bool confirmLeave() override
    {
        return fw::ShowMessageId(m_owner, kLeaveQuestion, {}, "Quorvane", fw::mb::YesNo | fw::mb::IconQuestion) ==
               fw::mb::IdYes;
    }
    bool confirmReplace(const fs::path& file) override
    {
        const std::string text = libtext::fill(
            libtext::text(libtext::ReplacePuzzle, "A puzzle file named %s is already on this shelf.\nReplace it?"),
            file.filename().string());
        return fw::ShowMessage(m_owner, text, "Quorvane", fw::mb::YesNo | fw::mb::IconQuestion) == fw::mb::IdYes;
    }
    void showStatus(const fw::Status& status) override { fw::ShowStatus(m_owner, status); }
    std::optional<std::string> chooseShelf(const std::string& current) override
    {
        return ChooseShelf(m_owner, m_library.shelves(), current);
    }

private:
    QWidget* m_owner;
    Library& m_library;
};

bool isJpegFile(const fs::path& file)
{
    fw::FileStream f(file, fw::FileStream::Mode::Read);
    uint8_t b[2] = {0, 0};
    return f.isOpen() && f.read(b, 2) == 2 && b[0] == 0xFF && b[1] == 0xD8;
}

fw::Bitmap cropBitmap(const fw::Bitmap& picture, QRect r)
{
    fw::Bitmap out(r.width(), r.height());
    for (int y = 0; y < r.height(); ++y)
        std::copy_n(picture.row(r.top() + y) + r.left(), r.width(), out.row(y));
    return out;
}

}  // namespace

QImage EditorImage(const fw::Bitmap& picture, const fw::Display& display)
{
    if (picture.isNull())
        return {};
    fw::Bitmap shown;
    const fw::Bitmap* source = &picture;
    if (display.isPalette256()) {
        fw::WaitCursor wait;
        shown = expandPalette(mapToPalette(picture, fw::Display::defaultPalette(), true));
        source = &shown;
    }
    const QImage view(reinterpret_cast<const uchar*>(source->bits()), source->width(), source->height(),
                      source->width() * 4, QImage::Format_RGB32);
    return view.copy();
}

WEdPuz::WEdPuz(QWidget* parent, Library& library, fw::Bitmap picture, fs::path pictureFile, fw::Display display)
    : WBaseInfo(parent), m_library(library), m_picture(std::move(picture)), m_pictureFile(std::move(pictureFile)),
      m_display(display),
      m_boxes(std::make_unique<BoxEditorUser>(this, library)), m_user(m_boxes.get()),
      m_shelf(library.shelves().CurrentShelf())
{
    setTitle(libtext::text(850, "Make a puzzle") + " - " + m_pictureFile.filename().string());
    layOut();
    proposeSizes();
}

WEdPuz::~WEdPuz() = default;

void WEdPuz::layOut()
{
    int y = layOutSizes(kMargin, 8);
    y = layOutChoices(kMargin, y);
    y = layOutZoom(kMargin, y);

    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_view = new EdPuzView(EditorImage(m_picture, m_display));
    m_scroll->setWidget(m_view);
    m_scroll->show();
    connect(m_view, &EdPuzView::cropChanged, this, [this] { refreshCounts(); });

    // As large as the picture asks, within bounds, and never larger than
    // the screen it opens on (frame and title included).
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QSize most = largestOnScreen(screen);
    setMinimumSize(std::min(PanelWidth + 320, most.width()), std::min(y, most.height()));
    const QSize picture(m_picture.width(), m_picture.height());
    const int wanted = std::clamp(PanelWidth + picture.width() + 24, PanelWidth + 420, PanelWidth + 960);
    const int high = std::clamp(picture.height() + 24, y, std::max(y, 720));
    resize(std::min(wanted, most.width()), std::min(high, most.height()));
}

int WEdPuz::layOutSizes(int x, int y)
{
    const int w = PanelWidth - 2 * kMargin;
    const QFontMetrics fm(font());
    const int editW = fm.horizontalAdvance("100X100") + 14;
    const int countW = fm.horizontalAdvance("(99999)") + 8;
    const int editX = x + 22;
    const int countX = editX + editW + 8;
    QLabel* heading = addText(537, QRect(x, y, countX - x - 4, 20), libtext::text(537, "Sizes offered"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    addText(500, QRect(countX, y, w - (countX - x), 20), libtext::text(500, "pieces"))->setWordWrap(false);
    y += 22;
    QLabel* header = addText(564, QRect(x, y, w, 18), libtext::text(564, "A number of pieces, or rows x columns"));
    header->setWordWrap(false);
    y += 20;
    for (int k = 0; k < kSizes; ++k) {
        addText(0, QRect(x, y, 18, 24), std::to_string(k + 1));
        addEdit(IdFirstSize + k, QRect(editX, y, editW, 24), {}, 9);
        addText(IdFirstCount + k, QRect(countX, y, countW, 24), {});
        y += 28;
    }
    return y + 4;
}

int WEdPuz::layOutChoices(int x, int y)
{
    const int w = PanelWidth - 2 * kMargin;
    const auto check = [&](int id, std::string_view fallback, bool on) {
        addCheck(id, QRect(x, y, w, 22), libtext::text(4, id, fallback), on);
        y += 24;
    };
    check(IdCustom, "Offer a &custom size", true);
    check(IdNoPreview, "No pre&view", false);
    check(IdNoHelp, "No &help", false);
    check(IdNoRotate, "No &rotation", false);
    check(IdMosaic, "Rectangular &pieces", false);
    y += 4;
    addText(855, QRect(x, y, w, 18), libtext::text(855, "Title:"));
    y += 20;
    addEdit(IdTitle, QRect(x, y, PanelWidth - 42, 24), newpuzzle::DefaultTitle(m_pictureFile), 80);
    y += 30;
    addText(libtext::Rights, QRect(x, y, w, 18), libtext::text(libtext::Rights, "Rights notice:"));
    y += 20;
    addEdit(IdRights, QRect(x, y, PanelWidth - 42, 24), {}, 120);
    y += 30;
    if (newpuzzle::OffersShelfChooser(m_library.shelves())) {
        addButton(IdChooseShelf, QRect(x, y, 80, 26), libtext::text(4, IdChooseShelf, "&Shelf..."));
        QLabel* shelf = addText(IdShelf, QRect(x + 86, y, w - 86, 26), m_shelf);
        shelf->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        y += 32;
    }
    return y;
}

int WEdPuz::layOutZoom(int x, int y)
{
    const int w = PanelWidth - 2 * kMargin;
    const QFontMetrics fm(font());
    QLabel* zoom = addText(IdZoom, QRect(x, y, 48, 22), "100%");
    zoom->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    zoom->setAlignment(Qt::AlignCenter);
    const int sizeW = fm.horizontalAdvance("0100x100") + 12;
    addText(563, QRect(x + 54, y, w - 54 - sizeW - 4, 22), libtext::text(563, "Picture size:"))->setWordWrap(false);
    QLabel* size = addText(IdPictureSize, QRect(x + w - sizeW, y, sizeW, 22), {});
    size->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    size->setAlignment(Qt::AlignCenter);
    y += 26;
    m_zoomBar = new QScrollBar(Qt::Horizontal, this);
    m_zoomBar->setRange(25, 300);
    m_zoomBar->setValue(100);
    m_zoomBar->setPageStep(25);
    m_zoomBar->setGeometry(x, y, w, 18);
    m_zoomBar->show();
    connect(m_zoomBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_view->setZoom(value);
        setText(IdZoom, std::to_string(value) + "%");
    });
    y += 26;
    addCheck(IdPlain, QRect(x, y, w, 22), libtext::text(4, IdPlain, "&Plain picture"));
    y += 30;
    const int bw = (w - 8) / 2;
    addButton(IdFit, QRect(x, y, bw, 28), libtext::text(4, libtext::FitZoom, "&Fit"));
    addButton(IdOk, QRect(x + bw + 8, y, bw, 28), {}, true);
    y += 34;
    addButton(IdCancel, QRect(x, y, bw, 28));
    addButton(IdHelp, QRect(x + bw + 8, y, bw, 28));
    return y + 38;
}

void WEdPuz::resizeEvent(QResizeEvent* event)
{
    WBaseInfo::resizeEvent(event);
    if (m_scroll)
        m_scroll->setGeometry(PanelWidth, 0, width() - PanelWidth, height());
}

void WEdPuz::proposeSizes()
{
    const QRect a = area();
    int k = 0;
    for (const char* count : kProposed) {
        if (GridFromCount(a.width(), a.height(), count).status.ok())
            setText(IdFirstSize + k++, count);
    }
    refreshCounts();
}

QRect WEdPuz::area() const { return m_view->area(); }

void WEdPuz::setCrop(QRect crop) { m_view->setCrop(crop); }

int WEdPuz::zoom() const { return m_view->zoom(); }

void WEdPuz::setZoom(int percent) { m_zoomBar->setValue(std::clamp(percent, 25, 300)); }

// The piece-count labels and the picture size follow the sizes and the
// part of the picture used; the grid shows the chosen size.
void WEdPuz::refreshCounts()
{
    const QRect a = area();
    setText(IdPictureSize, std::to_string(a.width()) + "x" + std::to_string(a.height()));
    for (int k = 0; k < kSizes; ++k)
        setText(IdFirstCount + k, newpuzzle::PieceCountLabel(a.width(), a.height(), text(IdFirstSize + k)));
    int shown = m_shownSize;
    if (shown < 0 || text(IdFirstCount + shown).empty()) {
        shown = -1;
        for (int k = 0; k < kSizes && shown < 0; ++k) {
            if (!text(IdFirstCount + k).empty())
                shown = k;
        }
    }
    showGrid(shown);
}

void WEdPuz::showGrid(int size)
{
    m_shownSize = size;
    if (size < 0) {
        m_view->setGrid(0, 0);
        return;
    }
    const QRect a = area();
    const Grid g = GridFromCount(a.width(), a.height(), text(IdFirstSize + size));
    if (g.status.ok())
        m_view->setGrid(g.rows, g.columns);
    else
        m_view->setGrid(0, 0);
}

newpuzzle::EditorChoices WEdPuz::choices() const
{
    newpuzzle::EditorChoices c;
    for (int k = 0; k < kSizes; ++k)
        c.sizes[k] = text(IdFirstSize + k);
    c.offerCustom = isChecked(IdCustom);
    c.noPreview = isChecked(IdNoPreview);
    c.noHelp = isChecked(IdNoHelp);
    c.noRotate = isChecked(IdNoRotate);
    c.mosaic = isChecked(IdMosaic);
    c.title = text(IdTitle);
    c.rights = text(IdRights);
    return c;
}

void WEdPuz::setPlain(bool plain)
{
    m_scroll->setWidgetResizable(plain);
    m_view->setPlain(plain);
    if (isChecked(IdPlain) != plain)
        setChecked(IdPlain, plain);
}

void WEdPuz::chooseShelf()
{
    std::optional<std::string> chosen = m_user->chooseShelf(m_shelf);
    if (!chosen || !m_library.shelves().IsShelf(*chosen))
        return;
    m_shelf = *chosen;
    setText(IdShelf, m_shelf);
}

void WEdPuz::fitZoom()
{
    const QSize room = m_scroll->viewport()->size();
    const QSize picture = m_view->pictureSize();
    if (picture.isEmpty())
        return;
    const int percent = std::min(room.width() * 100 / picture.width(), room.height() * 100 / picture.height());
    setZoom(percent);
}

fs::path WEdPuz::targetDirectory() const
{
    const Shelves& shelves = m_library.shelves();
    return shelves.ShelfDirectory(shelves.IsShelf(m_shelf) ? m_shelf : shelves.CurrentShelf());
}

bool WEdPuz::write()
{
    const QRect a = area();
    newpuzzle::EditorChoices c = choices();
    if (c.title.find_first_not_of(" \t") == std::string::npos)
        c.title = newpuzzle::DefaultTitle(m_pictureFile);
    Puz doc;
    const newpuzzle::EditorCheck check = newpuzzle::ApplyEditorChoices(doc, c, a.width(), a.height());
    if (!check.ok()) {
        m_user->showStatus(check.status);
        setFocusTo(check.control);
        return false;
    }
    const fs::path file = newpuzzle::NewPuzzlePath(targetDirectory(), doc.title());
    std::error_code ec;
    if (fs::exists(file, ec) && !m_user->confirmReplace(file))
        return false;

    const bool cropped = a != QRect(0, 0, m_picture.width(), m_picture.height());
    PictureSource source;
    fw::Bitmap used = cropped ? cropBitmap(m_picture, a) : m_picture;
    if (!cropped && isJpegFile(m_pictureFile))
        source.jpegFile = m_pictureFile;
    else
        source.bitmap = used;
    const fw::Bitmap thumbnail = shrinkForThumbnail(used, ThumbnailWidth, ThumbnailHeight);

    QProgressDialog progress(fw::toQString(libtext::text(801, "Saving the puzzle...")), QString(), 0, kWritingSteps,
                             this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const fw::Status st = WritePuzzleFile(doc, file, source, thumbnail, m_display, [&](int step) {
        progress.setValue(std::clamp(step, 0, kWritingSteps));
    });
    progress.setValue(kWritingSteps);
    if (!st.ok()) {
        m_user->showStatus(st);
        return false;
    }
    m_library.UpdateCache(file);
    m_library.settings().setString("Main", "LastPuz", file.string());
    m_made = file;
    return true;
}

std::optional<fs::path> WEdPuz::Exec()
{
    m_made.reset();
    RunModal();
    return m_made;
}

bool WEdPuz::OnCommand(const fw::CommandEvent& event)
{
    switch (static_cast<int>(event.command())) {
    case IdOk:
        if (write())
            EndModal(IdOk);
        return true;
    case IdCancel:
        if (m_user->confirmLeave())
            EndModal(IdCancel);
        return true;
    case IdPlain: setPlain(event.argument() != 0); return true;
    case IdChooseShelf: chooseShelf(); return true;
    case IdFit: fitZoom(); return true;
    case IdHelp:
        if (m_help)
            m_help(HelpTopic);
        return true;
    default: return WBaseInfo::OnCommand(event);
    }
}

bool WEdPuz::OnControl(const fw::ControlEvent& event)
{
    const int id = event.id();
    if (id >= IdFirstSize && id < IdFirstSize + kSizes) {
        m_shownSize = id - IdFirstSize;
        refreshCounts();
        return true;
    }
    if (id == IdPlain) {
        sendCommand(IdPlain, isChecked(IdPlain) ? 1 : 0);
        return true;
    }
    return false;
}

bool WEdPuz::OnKey(const fw::KeyEvent& event)
{
    if (event.kind() == fw::KeyEvent::Down && event.key() == fw::vk::Escape) {
        if (m_view->crop().isNull())
            return false;  // the owner's Esc
        m_view->setCrop(QRect());
        return true;
    }
    return WBaseInfo::OnKey(event);
}

}  // namespace qv
