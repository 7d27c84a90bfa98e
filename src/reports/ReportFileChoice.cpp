#include "reports/ReportFileChoice.h"

#include "replay/CRpyGraphDoc.h"

std::vector<int> loadedSlots(const CRpyGraphDoc& document) {
    std::vector<int> slots;
    for (int slot = 0; slot < CRpyGraphDoc::maxLaps; ++slot) {
        if (document.slots()[static_cast<std::size_t>(slot)].inUse) slots.push_back(slot);
    }
    return slots;
}

std::string reportFileLabel(const HeaderClass& header) {
    return "\"" + header.fileName.stem().string() + "\" - " + header.ownerFirstName + " " +
           header.ownerLastName;
}
