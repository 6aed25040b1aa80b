#include "jigsaw/library/windows/ShelfChooser.h"

#include <vector>

#include "framework/qt/WBaseInfo.h"
#include "jigsaw/library/FileNames.h"
#include "jigsaw/library/Shelves.h"
#include "jigsaw/library/windows/LibraryTexts.h"

namespace qv {

std::optional<std::string> ChooseShelf(QWidget* parent, const Shelves& shelves, const std::string& current)
{
    std::vector<std::string> names;
    int selected = 0;
    shelves.EnumerateShelves([&](const std::string& name, const std::filesystem::path&) {
        if (files::equalIgnoringCase(name, current))
            selected = static_cast<int>(names.size());
        names.push_back(name);
    });
    constexpr int kList = 4634;
    fw::WBaseInfo w(parent, libtext::text(libtext::ChooseShelf, "Choose a shelf"));
    w.addText(0, QRect(12, 12, 60, 24), libtext::text(libtext::Shelf, "Shelf:"));
    w.addList(kList, QRect(76, 12, 200, 24), names, selected);
    w.addButton(fw::WBaseInfo::IdOk, QRect(96, 50, 86, 28), {}, true);
    w.addButton(fw::WBaseInfo::IdCancel, QRect(190, 50, 86, 28));
    w.setClientSize(288, 90);
    if (w.RunModal() != fw::WBaseInfo::IdOk)
        return std::nullopt;
    const int index = w.selection(kList);
    if (index < 0 || index >= static_cast<int>(names.size()))
        return std::nullopt;
    return names[static_cast<size_t>(index)];
}

}  // namespace qv
