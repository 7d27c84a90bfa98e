#pragma once

#include <filesystem>
#include <memory>

#include "document/DocumentUi.h"
#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"

// Reading a replay's head and driver table the way the program reads them for a lap or a report:
// a failure is told to the user and gives nothing.

// The head; a failure shows the reader's message and then the file's path.
std::unique_ptr<ReplayHeader> readHeaderTelling(const std::filesystem::path& path, DocumentUi& ui);
// The driver table; a failure, or a table that was not read whole, shows its message.
std::unique_ptr<DriverTable> readDriversTelling(const std::filesystem::path& path, DocumentUi& ui);
