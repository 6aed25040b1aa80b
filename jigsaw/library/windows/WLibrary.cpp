#include "jigsaw/library/windows/WLibrary.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

#include "framework/Markup.h"
#include "framework/Profile.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/MessageBox.h"
#include "framework/qt/Text.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/library/FileNames.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/library/SavedGameHead.h"
#include "jigsaw/library/windows/LibraryTexts.h"
#include "jigsaw/library/windows/Thumbnails.h"
#include "jigsaw/library/windows/WPassw.h"
#include "jigsaw/scores/ScoreText.h"

namespace fs = std::filesystem;

namespace qv {

namespace {

constexpr int kWidth = 860;
constexpr int kHeight = 560;
constexpr int kMargin = 12;
constexpr int kShelvesWidth = 170;
constexpr int kDetailsWidth = 250;
constexpr int kNoRotation = 542;
constexpr int kRectangular = 543;
constexpr int kAskMove = 986;
constexpr int kReplacePuzzle = 525;
constexpr int kNewShelfEdit = 4643;

// The library's questions as message boxes over the window.
class BoxLibraryUser : public LibraryUser {
public:
    explicit BoxLibraryUser(QWidget* owner) : m_owner(owner) {}

    bool confirmReplacePuzzle(const std::string& fileName) override
    {
        return fw::ShowMessageId(m_owner, kReplacePuzzle, fileName, "Quorvane",
                                 fw::mb::OkCancel | fw::mb::IconExclamation) == fw::mb::IdOk;
    }
    bool confirmMove(const std::string& fileName, bool& dontAskAgain) override
    {
        const std::string check =
            "{LIN}{+12,+0}{check:" + libtext::text(libtext::DontAskAgain, "Do not ask again") + "/INI:0}";
        fw::MUBox box(m_owner, fw::MarkupMessage(fw::MessageText(kAskMove, fileName), "Quorvane",
                                                 fw::mb::OkCancel | fw::mb::IconQuestion, check));
        const bool ok = box.Execute() == fw::mb::IdOk;
        dontAskAgain = box.isChecked(fw::mubox::FirstField);
        return ok;
    }
    std::optional<std::string> password(const std::string& fileName) override
    {
        return PasswordPrompt(m_owner, fileName);
    }
    void wrongPassword() override
    {
        fw::ShowMessage(m_owner, libtext::text(libtext::WrongPassword, "The password is not right."), "Quorvane",
                        fw::mb::Ok | fw::mb::IconStop);
    }
    std::optional<std::string> newShelfName() override
    {
        fw::WBaseInfo w(m_owner, libtext::plain(libtext::text(4, libtext::NewShelf, "&New shelf...")));
        w.addText(0, QRect(12, 12, 260, 20), libtext::text(libtext::NewShelfName, "Name of the new shelf:"));
        w.addEdit(kNewShelfEdit, QRect(12, 36, 260, 24), {}, 64);
        w.addButton(fw::WBaseInfo::IdOk, QRect(92, 72, 86, 28), {}, true);
        w.addButton(fw::WBaseInfo::IdCancel, QRect(186, 72, 86, 28));
        w.setClientSize(284, 112);
        w.setFocusTo(kNewShelfEdit);
        if (w.RunModal() != fw::WBaseInfo::IdOk)
            return std::nullopt;
        return w.text(kNewShelfEdit);
    }
    bool confirmRemoveShelf(const std::string& name) override
    {
        const std::string text = libtext::fill(
            libtext::text(libtext::DeleteShelfQuestion,
                          "Remove the shelf %s?\nIts puzzles and saved games stay in its folder."),
            name);
        return fw::ShowMessage(m_owner, text, "Quorvane", fw::mb::YesNo | fw::mb::IconQuestion) == fw::mb::IdYes;
    }
    void showStatus(const fw::Status& status) override { fw::ShowStatus(m_owner, status); }

private:
    QWidget* m_owner;
};

std::string pieces(int count) { return std::to_string(count) + " " + libtext::text(500, "pieces"); }

std::string grid(int rows, int columns) { return formatGrid(columns, rows, libtext::text(500, "pieces")); }

// The filter's choices: the settings value of each entry of a list.
const std::vector<std::string> kLevelValues = {"*", "0", "1", "2", "3", "4", "5"};
const std::vector<std::string> kFlagValues = {"*", "0", "1"};

int indexOf(const std::vector<std::string>& values, const std::string& value)
{
    const std::string v = value.empty() ? "*" : value;
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i] == v)
            return static_cast<int>(i);
    }
    return 0;
}

QPixmap iconOf(const QPixmap& thumbnail, int width, int height)
{
    QPixmap icon(width, height);
    icon.fill(Qt::transparent);
    const QPixmap fitted = FitInto(thumbnail, width, height);
    if (!fitted.isNull()) {
        QPainter p(&icon);
        p.drawPixmap((width - fitted.width()) / 2, (height - fitted.height()) / 2, fitted);
    }
    return icon;
}

}  // namespace

std::string EntryHeadline(const ShelfEntry& e)
{
    if (e.kind == ShelfEntry::Kind::SavedGame || e.title.empty() || !e.status.ok())
        return fs::path(e.fileName).stem().string();
    return e.title;
}

std::string EntryDetails(const ShelfEntry& e)
{
    if (!e.status.ok())
        return fw::MessageText(e.status.id, e.status.text);
    std::string out;
    if (e.kind == ShelfEntry::Kind::SavedGame) {
        out = e.title + ", " + pieces(e.savedRows * e.savedColumns);
        if (!e.savedText.empty())
            out += ", " + e.savedText;
        out += ", " + (e.savedNumber & ShelfEntry::SavedComplete ? libtext::text(libtext::Completed, "Completed")
                                                                 : libtext::text(libtext::InProgress, "In progress"));
        if (e.savedNumber & ShelfEntry::SavedNoRotable)
            out += ", " + libtext::text(kNoRotation, "no rotation");
        if (e.savedNumber & ShelfEntry::SavedMosaic)
            out += ", " + libtext::text(kRectangular, "rectangular pieces");
        return out;
    }
    for (int i = 0; i < e.sizeCount && i < 5; ++i)
        out += (i ? ", " : "") + std::to_string(e.rows[i] * e.columns[i]);
    if (e.sizeCount > 0)
        out += " " + libtext::text(500, "pieces");
    if (e.optionFlags & ShelfEntry::NoRotable)
        out += ", " + libtext::text(kNoRotation, "no rotation");
    if (e.optionFlags & ShelfEntry::Mosaic)
        out += ", " + libtext::text(kRectangular, "rectangular pieces");
    return out;
}

WLibrary::WLibrary(QWidget* parent, Library& library)
    : WBaseInfo(parent), m_library(library), m_boxes(std::make_unique<BoxLibraryUser>(this)), m_user(m_boxes.get()),
      m_filter(SavedGamesFilter::Load(library.settings()))
{
    setTitle(libtext::text(101, "Open"));
    layOut();
    fillShelves();
    listShelf();
}

WLibrary::~WLibrary() = default;

void WLibrary::layOut()
{
    int x = kMargin;
    addText(IdShelves, QRect(x, 8, kShelvesWidth, 20), libtext::text(libtext::Shelves, "Shelves"));
    m_shelves = new QListWidget(this);
    m_shelves->setGeometry(x, 30, kShelvesWidth, kHeight - 30 - 110);
    m_shelves->show();
    connect(m_shelves, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_filling || row < 0)
            return;
        const std::string name = fw::fromQString(m_shelves->item(row)->text());
        m_library.shelves().SelectShelf(name);
        listShelf();
    });
    addButton(IdNewShelf, QRect(x, kHeight - 72, kShelvesWidth, 28), libtext::text(4, IdNewShelf, "&New shelf..."));
    addButton(IdRemoveShelf, QRect(x, kHeight - 40, kShelvesWidth, 28),
              libtext::text(4, IdRemoveShelf, "&Remove shelf"));

    x += kShelvesWidth + kMargin;
    const int listWidth = kWidth - x - kDetailsWidth - 2 * kMargin;
    addText(IdEntries, QRect(x, 8, listWidth, 20), libtext::text(libtext::Entries, "Puzzles and saved games"));
    m_entries = new QListWidget(this);
    m_entries->setGeometry(x, 30, listWidth, kHeight - 30 - 110);
    m_entries->setIconSize(QSize(IconWidth, IconHeight));
    m_entries->setSpacing(2);
    m_entries->setWordWrap(true);
    m_entries->show();
    connect(m_entries, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    connect(m_entries, &QListWidget::itemActivated, this, [this] { sendCommand(IdOk); });
    layOutFilter(x, kHeight - 72, listWidth);

    layOutDetails(kWidth - kMargin - kDetailsWidth, 8, kDetailsWidth);
    setClientSize(kWidth, kHeight);
}

void WLibrary::layOutFilter(int x, int y, int width)
{
    addFrame(0, QRect(x, y - 26, width, 94), libtext::text(libtext::Filter, "Saved games shown"));
    const std::string any = libtext::text(libtext::Any, "Any");
    const int w = (width - 16 - 8) / 3;
    const auto list = [&](int id, int col, int row, const std::vector<std::string>& items, int selected) {
        addList(id, QRect(x + 8 + col * (w + 4), y + row * 30, w, 24), items, selected);
    };
    list(IdFilterLevel, 0, 0,
         {libtext::text(libtext::FilterLevel, "Size") + ": " + any, "1", "2", "3", "4", "5",
          libtext::plain(libtext::text(libtext::CustomSize, "Custom size..."))},
         indexOf(kLevelValues, m_filter.level));
    list(IdFilterStatus, 1, 0,
         {libtext::text(libtext::FilterStatus, "State") + ": " + any, libtext::text(libtext::InProgress, "In progress"),
          libtext::text(libtext::Completed, "Completed")},
         indexOf(kFlagValues, m_filter.status));
    addEdit(IdFilterPlayer, QRect(x + 8 + 2 * (w + 4), y, w, 24), m_filter.player == "*" ? "" : m_filter.player, 30);
    if (auto* e = qobject_cast<QLineEdit*>(control(IdFilterPlayer)))
        e->setPlaceholderText(fw::toQString(libtext::text(libtext::FilterPlayer, "Player") + ": " + any));
    list(IdFilterRotation, 0, 1,
         {libtext::text(libtext::FilterRotation, "Rotation") + ": " + any, libtext::text(libtext::Rotating, "Rotating"),
          libtext::text(kNoRotation, "no rotation")},
         indexOf(kFlagValues, m_filter.nonRotate));
    list(IdFilterPieces, 1, 1,
         {libtext::text(libtext::FilterPieces, "Pieces") + ": " + any, libtext::text(libtext::Shaped, "Shaped"),
          libtext::text(kRectangular, "rectangular pieces")},
         indexOf(kFlagValues, m_filter.mosaic));
}

void WLibrary::layOutDetails(int x, int y, int width)
{
    QLabel* picture = addText(IdPicture, QRect(x, y + 22, width, PictureHeight + 8), {}, true);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    y += PictureHeight + 38;
    QLabel* title = addText(IdTitle, QRect(x, y, width, 22), {});
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 1);
    title->setFont(bold);
    y += 24;
    addText(IdDetails, QRect(x, y, width, 52), {})->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    y += 58;
    addText(0, QRect(x, y, 60, 24), libtext::text(libtext::Size, "Size:"));
    addList(IdSize, QRect(x + 62, y, width - 62, 24), {});
    y += 30;
    addCheck(IdNoRotate, QRect(x, y, width, 22), libtext::text(4, IdNoRotate, "No &rotation"));
    y += 24;
    addCheck(IdMosaic, QRect(x, y, width, 22), libtext::text(4, IdMosaic, "&Rectangular pieces"));
    y += 32;
    if (m_library.shelves().CountShelves() > 1) {
        addText(0, QRect(x, y, width, 20), libtext::text(libtext::MoveToShelf, "Move to shelf:"));
        y += 22;
        std::vector<std::string> others;
        const std::string current = m_library.shelves().CurrentShelf();
        m_library.shelves().EnumerateShelves([&](const std::string& name, const fs::path&) {
            if (!files::equalIgnoringCase(name, current))
                others.push_back(name);
        });
        addList(IdMoveTarget, QRect(x, y, width - 94, 26), others);
        addButton(IdMove, QRect(x + width - 86, y, 86, 26), libtext::text(4, IdMove, "&Move"));
    }
    const int by = kHeight - 40;
    const int bw = (width - 2 * 8) / 3;
    addButton(IdOk, QRect(x, by, bw, 28), libtext::plain(libtext::text(4, 101, "&Open")), true);
    addButton(IdCancel, QRect(x + bw + 8, by, bw, 28));
    addButton(IdHelp, QRect(x + 2 * (bw + 8), by, bw, 28));
}

std::vector<std::string> WLibrary::shelfNames() const
{
    std::vector<std::string> names;
    for (int i = 0; i < m_shelves->count(); ++i)
        names.push_back(fw::fromQString(m_shelves->item(i)->text()));
    return names;
}

void WLibrary::fillShelves()
{
    m_filling = true;
    m_shelves->clear();
    const std::string current = m_library.shelves().CurrentShelf();
    m_library.shelves().EnumerateShelves([&](const std::string& name, const fs::path&) {
        m_shelves->addItem(fw::toQString(name));
        if (files::equalIgnoringCase(name, current))
            m_shelves->setCurrentRow(m_shelves->count() - 1);
    });
    m_filling = false;
    enableControl(IdRemoveShelf, !m_library.shelves().IsMainShelf(current));
}

void WLibrary::listShelf()
{
    m_listed = m_library.ListShelf(m_library.shelves().CurrentDirectory());
    enableControl(IdRemoveShelf, !m_library.shelves().IsMainShelf(m_library.shelves().CurrentShelf()));
    applyFilter();
}

void WLibrary::applyFilter()
{
    m_shown.clear();
    for (const ShelfEntry& e : m_listed) {
        if (m_filter.Matches(e))
            m_shown.push_back(e);
    }
    m_filling = true;
    m_entries->clear();
    for (const ShelfEntry& e : m_shown) {
        auto* item = new QListWidgetItem(QIcon(iconOf(thumbnail(e), IconWidth, IconHeight)),
                                         fw::toQString(EntryHeadline(e) + "\n" + EntryDetails(e)));
        item->setToolTip(fw::toQString(e.fileName));
        m_entries->addItem(item);
    }
    m_filling = false;
    if (!m_shown.empty())
        m_entries->setCurrentRow(0);
    showSelected();
}

QPixmap WLibrary::thumbnail(const ShelfEntry& e)
{
    if (!e.status.ok())
        return {};
    const fs::path puzzle = e.kind == ShelfEntry::Kind::SavedGame ? e.puzzlePath() : e.path;
    auto it = m_thumbnails.find(puzzle);
    if (it == m_thumbnails.end())
        it = m_thumbnails.emplace(puzzle, PuzzleThumbnail(puzzle)).first;
    return it->second;
}

const ShelfEntry* WLibrary::selected() const
{
    const int row = m_entries->currentRow();
    return row >= 0 && row < static_cast<int>(m_shown.size()) ? &m_shown[static_cast<size_t>(row)] : nullptr;
}

bool WLibrary::selectShelf(const std::string& name)
{
    for (int i = 0; i < m_shelves->count(); ++i) {
        if (files::equalIgnoringCase(fw::fromQString(m_shelves->item(i)->text()), name)) {
            m_shelves->setCurrentRow(i);
            return true;
        }
    }
    return false;
}

bool WLibrary::selectEntry(const std::string& fileName)
{
    for (size_t i = 0; i < m_shown.size(); ++i) {
        if (files::equalIgnoringCase(m_shown[i].fileName, fileName)) {
            m_entries->setCurrentRow(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

void WLibrary::showSelected()
{
    if (m_filling)
        return;
    auto* sizes = qobject_cast<QComboBox*>(control(IdSize));
    sizes->clear();
    m_sizeIndexes.clear();
    const ShelfEntry* e = selected();
    const QPixmap picture = e ? thumbnail(*e) : QPixmap();
    qobject_cast<QLabel*>(control(IdPicture))->setPixmap(FitInto(picture, PictureWidth, PictureHeight));
    setText(IdTitle, e ? EntryHeadline(*e) : std::string());
    setText(IdDetails, e ? e->fileName + "\n" + EntryDetails(*e) : std::string());
    const bool puzzle = e && e->kind == ShelfEntry::Kind::Puzzle && e->status.ok();
    if (puzzle)
        showPuzzle(*e);
    else if (e && e->status.ok())
        showSavedGame(*e);
    for (int id : {IdSize, IdNoRotate, IdMosaic, IdMove, IdMoveTarget})
        enableControl(id, puzzle);
    if (puzzle) {
        enableControl(IdNoRotate, !(e->optionFlags & ShelfEntry::NoRotable));
        enableControl(IdMosaic, !(e->optionFlags & ShelfEntry::Mosaic));
    }
    enableControl(IdOk, e && e->status.ok());
}

void WLibrary::showPuzzle(const ShelfEntry& e)
{
    auto* sizes = qobject_cast<QComboBox*>(control(IdSize));
    for (int i = 0; i < e.sizeCount && i < 5; ++i) {
        sizes->addItem(fw::toQString(grid(e.rows[i], e.columns[i])));
        m_sizeIndexes.push_back(i);
    }
    if (!e.noCustom && !e.tooNew()) {
        sizes->addItem(fw::toQString(libtext::text(libtext::CustomSize, "Custom size...")));
        m_sizeIndexes.push_back(Puz::CustomSize);
    }
    sizes->setCurrentIndex(0);
    setChecked(IdNoRotate, e.optionFlags & ShelfEntry::NoRotable);
    setChecked(IdMosaic, e.optionFlags & ShelfEntry::Mosaic);
}

void WLibrary::showSavedGame(const ShelfEntry& e)
{
    auto* sizes = qobject_cast<QComboBox*>(control(IdSize));
    sizes->addItem(fw::toQString(grid(e.savedRows, e.savedColumns)));
    setChecked(IdNoRotate, e.savedNumber & ShelfEntry::SavedNoRotable);
    setChecked(IdMosaic, e.savedNumber & ShelfEntry::SavedMosaic);
}

void WLibrary::readFilter()
{
    const auto value = [this](int id, const std::vector<std::string>& values) {
        const int i = selection(id);
        return i >= 0 && i < static_cast<int>(values.size()) ? values[static_cast<size_t>(i)] : std::string("*");
    };
    m_filter.level = value(IdFilterLevel, kLevelValues);
    m_filter.status = value(IdFilterStatus, kFlagValues);
    m_filter.nonRotate = value(IdFilterRotation, kFlagValues);
    m_filter.mosaic = value(IdFilterPieces, kFlagValues);
    const std::string player = text(IdFilterPlayer);
    m_filter.player = player.find_first_not_of(" \t") == std::string::npos ? "*" : player;
    m_filter.Save(m_library.settings());
}

void WLibrary::open()
{
    const ShelfEntry* e = selected();
    if (!e) {
        m_user->showStatus(fw::Status(libtext::NoPuzzleChosen));
        return;
    }
    if (!e->status.ok()) {
        m_user->showStatus(e->status);
        return;
    }
    if (e->tooNew()) {
        m_user->showStatus(fw::Status(msg::TooNew));
        return;
    }
    if (e->kind == ShelfEntry::Kind::SavedGame) {
        if (openSaved(*e))
            finish(IdOk);
        return;
    }
    OpenChoice c;
    c.path = e->path;
    const int pick = selection(IdSize);
    c.sizeIndex = pick >= 0 && pick < static_cast<int>(m_sizeIndexes.size()) ? m_sizeIndexes[static_cast<size_t>(pick)] : 0;
    if (isChecked(IdNoRotate))
        c.options |= Puz::NoRotable;
    if (isChecked(IdMosaic))
        c.options |= Puz::NoDeform;
    m_choice = c;
    finish(IdOk);
}

bool WLibrary::openSaved(const ShelfEntry& e)
{
    SavedGameHead head;
    if (fw::Status s = SavedGameHead::read(e.path, head); !s.ok()) {
        m_user->showStatus(s);
        return false;
    }
    if (!head.password.empty()) {
        std::optional<std::string> typed = m_user->password(e.fileName);
        if (!typed)
            return false;
        if (!PasswordMatches(head.password, *typed)) {
            m_user->wrongPassword();
            return false;
        }
    }
    OpenChoice c;
    c.path = e.path;
    c.kind = ShelfEntry::Kind::SavedGame;
    c.sizeIndex = head.sizeIndex;
    m_choice = c;
    return true;
}

void WLibrary::newShelf()
{
    std::optional<std::string> name = m_user->newShelfName();
    if (!name)
        return;
    const std::string trimmed = name->substr(0, name->find_last_not_of(" \t") + 1);
    if (!m_library.shelves().CreateShelf(trimmed)) {
        m_user->showStatus(fw::Status(libtext::ShelfNotMade, trimmed));
        return;
    }
    m_library.shelves().SelectShelf(trimmed);
    finish(IdAgain);
}

void WLibrary::removeShelf()
{
    const std::string current = m_library.shelves().CurrentShelf();
    if (m_library.shelves().IsMainShelf(current) || !m_user->confirmRemoveShelf(current))
        return;
    m_library.DeleteShelf(current);
    finish(IdAgain);
}

void WLibrary::move()
{
    const ShelfEntry* e = selected();
    const std::string target = text(IdMoveTarget);
    if (!e || e->kind != ShelfEntry::Kind::Puzzle || target.empty())
        return;
    const fw::Status s = m_library.MovePuzzle(e->path, target, *m_user);
    if (s.id == fw::msg::Cancelled)
        return;
    if (!s.ok()) {
        m_user->showStatus(s);
        listShelf();
        return;
    }
    finish(IdAgain);
}

void WLibrary::finish(int result)
{
    m_library.CloseCache();
    if (result != IdOk)
        m_choice.reset();
    m_ended = result;
    EndModal(result);
}

int WLibrary::Exec()
{
    m_choice.reset();
    m_ended = 0;
    const int result = RunModal();
    return result == IdOk && !m_choice ? IdCancel : result;
}

std::optional<OpenChoice> WLibrary::Run(QWidget* parent, Library& library, LibraryUser* user)
{
    for (;;) {
        WLibrary w(parent, library);
        if (user)
            w.setUser(user);
        const int result = w.Exec();
        if (result == IdAgain)
            continue;
        return result == IdOk ? w.choice() : std::nullopt;
    }
}

bool WLibrary::OnCommand(const fw::CommandEvent& event)
{
    switch (static_cast<int>(event.command())) {
    case IdOk: open(); return true;
    case IdCancel: finish(IdCancel); return true;
    case IdNewShelf: newShelf(); return true;
    case IdRemoveShelf: removeShelf(); return true;
    case IdMove: move(); return true;
    case IdHelp:
        if (m_help)
            m_help(HelpTopic);
        return true;
    default: return WBaseInfo::OnCommand(event);
    }
}

bool WLibrary::OnControl(const fw::ControlEvent& event)
{
    switch (event.id()) {
    case IdFilterLevel:
    case IdFilterStatus:
    case IdFilterRotation:
    case IdFilterPieces:
    case IdFilterPlayer:
        readFilter();
        applyFilter();
        return true;
    default: return false;
    }
}

}  // namespace qv
