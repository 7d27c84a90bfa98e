#include "reports/ReportFileChoice.h"

#include <algorithm>

#include "common/PathText.h"
#include "document/ReplayDocument.h"

std::vector<int> reportFileSlots(const ReplayDocument& document) {
    std::vector<int> slots;
    std::vector<std::filesystem::path> files;
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot) {
        const ReplayDocument::Slot& lap = document.slots()[static_cast<std::size_t>(slot)];
        if (!lap.inUse) continue;
        const std::filesystem::path file = lap.header->fileName.lexically_normal();
        if (std::find(files.begin(), files.end(), file) != files.end()) continue;
        files.push_back(file);
        slots.push_back(slot);
    }
    return slots;
}

std::string reportFileLabel(const ReplayHeader& header) {
    return "\"" + pathString(header.fileName.stem()) + "\" - " + header.ownerFirstName + " " +
           header.ownerLastName;
}
