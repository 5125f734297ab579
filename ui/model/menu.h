// A window's system menu: the standard entries and what the program appends.
#pragma once

#include <string>
#include <vector>

namespace ui::model {

struct MenuItem {
    bool separator = false;
    unsigned command = 0; // WM_SYSCOMMAND value; 0 for a separator
    std::string text;     // '&' marks the mnemonic; "&&" is a literal ampersand
    bool enabled = true;
    friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

class Menu {
public:
    const std::vector<MenuItem>& items() const { return m_items; }
    void append(MenuItem item) { m_items.push_back(std::move(item)); }
    void clear() { m_items.clear(); }
    MenuItem* find(unsigned command);
    // The enabled item with this command, or null.
    const MenuItem* find_enabled(unsigned command) const;

private:
    std::vector<MenuItem> m_items;
};

// The label without mnemonic marks ("&About" -> "About", "&&" -> "&").
std::string strip_mnemonic(const std::string& text);
// Index in strip_mnemonic(text) of the mnemonic character, or -1.
int mnemonic_index(const std::string& text);

} // namespace ui::model
