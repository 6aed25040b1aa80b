#include "framework/qt/MenuBuilder.h"

#include <QAction>
#include <QMenu>

#include "framework/EventHandler.h"
#include "framework/Events.h"
#include "framework/qt/Text.h"
#include "framework/qt/UiText.h"

namespace fw {

namespace {

QString labelOf(const Menu::Item& item)
{
    return item.textId ? UiText::text(4, item.textId) : toQString(item.text);
}

void fill(QMenu* qmenu, const Menu& menu, EventHandler* hintTarget, const MenuBuilder::IconSource& icons)
{
    for (const Menu::Item& item : menu.items()) {
        if (item.kind == Menu::Item::Separator) {
            qmenu->addSeparator();
            continue;
        }
        if (item.kind == Menu::Item::Submenu) {
            QMenu* sub = qmenu->addMenu(labelOf(item));
            if (item.submenu)
                fill(sub, *item.submenu, hintTarget, icons);
            continue;
        }
        MenuHintEvent hint(item.command, item.argument);
        if (hintTarget)
            Dispatch(hint, *hintTarget);
        QString label = labelOf(item);
        if (!hint.hint.empty())
            label += '\t' + toQString(hint.hint);
        QAction* action = qmenu->addAction(label);
        action->setData(QVariant::fromValue((static_cast<qulonglong>(item.argument) << 32) | item.command));
        action->setEnabled(hint.enabled);
        if (hint.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        if (hint.icon && icons)
            action->setIcon(icons(hint.icon));
    }
}

}  // namespace

QMenu* MenuBuilder::build(const Menu& menu, EventHandler* hintTarget, QWidget* parent, const IconSource& icons)
{
    auto* qmenu = new QMenu(parent);
    fill(qmenu, menu, hintTarget, icons);
    return qmenu;
}

std::optional<MenuBuilder::Choice> MenuBuilder::choiceOf(const QAction* action)
{
    if (!action || !action->data().isValid())
        return std::nullopt;
    const qulonglong v = action->data().toULongLong();
    return Choice{static_cast<uint32_t>(v & 0xFFFFFFFFu), static_cast<uint32_t>(v >> 32)};
}

}  // namespace fw
