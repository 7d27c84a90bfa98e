#include "desktop/app/CommandTable.h"

#include <algorithm>

const Command* CommandTable::find(int id) const {
    const auto it = std::find_if(commands_.begin(), commands_.end(),
                                 [id](const Command& command) { return command.id == id; });
    return it == commands_.end() ? nullptr : &*it;
}

std::vector<const Command*> CommandTable::inMenu(Menu menu) const {
    std::vector<const Command*> entries;
    for (const Command& command : commands_) {
        if (command.menu.menu == menu) entries.push_back(&command);
    }
    return entries;
}

std::vector<const Command*> CommandTable::onBar(Bar bar) const {
    std::vector<const Command*> entries;
    for (const Command& command : commands_) {
        if (command.bar.bar == bar) entries.push_back(&command);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Command* a, const Command* b) { return a->bar.position < b->bar.position; });
    return entries;
}
