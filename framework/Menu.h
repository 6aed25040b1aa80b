#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw {

// A menu described by numbered commands, free of any toolkit so that the
// rules can say what a menu offers. The window layer turns it into a real
// menu: entry texts come from the translation texts by number, and as the
// menu opens the command target is asked for each entry's hint and state
// (MenuHintEvent).
class Menu {
public:
    struct Item {
        enum Kind : uint8_t { Command, Separator, Submenu };
        Kind kind = Command;
        uint32_t command = 0;
        uint32_t argument = 0;
        int textId = 0;    // translation text number; 0: use text
        std::string text;  // Windows-1252; '&' marks the access key
        std::shared_ptr<const Menu> submenu;
    };

    Menu& add(uint32_t command, int textId, uint32_t argument = 0);
    Menu& addText(uint32_t command, std::string text, uint32_t argument = 0);
    Menu& separator();
    Menu& submenu(int textId, Menu menu);
    Menu& submenuText(std::string text, Menu menu);

    const std::vector<Item>& items() const { return m_items; }
    bool empty() const { return m_items.empty(); }

private:
    std::vector<Item> m_items;
};

}  // namespace fw
