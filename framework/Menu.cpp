#include "framework/Menu.h"

namespace fw {

Menu& Menu::add(uint32_t command, int textId, uint32_t argument)
{
    Item item;
    item.command = command;
    item.argument = argument;
    item.textId = textId;
    m_items.push_back(std::move(item));
    return *this;
}

Menu& Menu::addText(uint32_t command, std::string text, uint32_t argument)
{
    Item item;
    item.command = command;
    item.argument = argument;
    item.text = std::move(text);
    m_items.push_back(std::move(item));
    return *this;
}

Menu& Menu::separator()
{
    Item item;
    item.kind = Item::Separator;
    m_items.push_back(std::move(item));
    return *this;
}

Menu& Menu::submenu(int textId, Menu menu)
{
    Item item;
    item.kind = Item::Submenu;
    item.textId = textId;
    item.submenu = std::make_shared<const Menu>(std::move(menu));
    m_items.push_back(std::move(item));
    return *this;
}

Menu& Menu::submenuText(std::string text, Menu menu)
{
    submenu(0, std::move(menu));
    m_items.back().text = std::move(text);
    return *this;
}

}  // namespace fw
