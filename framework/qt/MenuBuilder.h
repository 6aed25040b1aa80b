#pragma once
#include <QIcon>
#include <functional>
#include <optional>

#include "framework/Menu.h"

class QAction;
class QMenu;
class QWidget;

namespace fw {

class EventHandler;

// Turns a Menu into a toolkit menu. Texts come from UiText (kind 1); each
// command entry's hint (shown right-aligned, as "Ctrl+O"), icon, enabled and
// checked state are asked of hintTarget with a MenuHintEvent. Hints are
// only shown: the keys themselves reach the command target as key events.
class MenuBuilder {
public:
    using IconSource = std::function<QIcon(int icon)>;
    struct Choice {
        uint32_t command;
        uint32_t argument;
    };

    // The menu belongs to parent (or to the caller when parent is null).
    // icons: the pictures of the entries whose hint names one (none: no icons).
    static QMenu* build(const Menu& menu, EventHandler* hintTarget, QWidget* parent, const IconSource& icons = {});
    // The command behind an entry of a built menu.
    static std::optional<Choice> choiceOf(const QAction* action);
};

}  // namespace fw
