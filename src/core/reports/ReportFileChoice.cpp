#include "reports/ReportFileChoice.h"

#include "document/ReplayDocument.h"

std::vector<int> loadedSlots(const ReplayDocument& document) {
    std::vector<int> slots;
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot) {
        if (document.slots()[static_cast<std::size_t>(slot)].inUse) slots.push_back(slot);
    }
    return slots;
}

std::string reportFileLabel(const ReplayHeader& header) {
    return "\"" + header.fileName.stem().string() + "\" - " + header.ownerFirstName + " " +
           header.ownerLastName;
}
