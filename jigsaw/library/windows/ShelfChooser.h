#pragma once
#include <optional>
#include <string>

class QWidget;

namespace qv {

class Shelves;

// The library's shelf chooser: a list of the shelves (the main shelf
// first) with the current one selected; the chosen name, or nullopt when
// cancelled.
std::optional<std::string> ChooseShelf(QWidget* parent, const Shelves& shelves, const std::string& current);

}  // namespace qv
