#include "desktop/app/CommandTable.h"

#include <algorithm>

const Command* CommandTable::find(int id) const {
    const auto it =
        std::find_if(commands_.begin(), commands_.end(), [id](const Command& c) { return c.id == id; });
    return it == commands_.end() ? nullptr : &*it;
}
