#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "document/LoadPipeline.h"

// Tells the messages of a failed load step of `path` on `err`, each after "vxra: ". The message
// that names the file gets the system's reason when the file cannot be opened.
void tellLoadFailure(std::ostream& err, const LoadMessages& messages, const std::filesystem::path& path);

// Reads a replay's head and driver table as the desktop program does; on failure tells why.
std::optional<ReplayFile> loadReplayFile(const std::filesystem::path& path, std::ostream& err);
