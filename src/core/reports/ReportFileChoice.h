#pragma once

#include <string>
#include <vector>

class ReplayDocument;
class ReplayHeader;

// Which loaded lap's replay a report is based on.

// The slots in use, in slot order: the k-th choice of the file-choice dialog is the k-th of these.
std::vector<int> loadedSlots(const ReplayDocument& document);
// A choice's label: "\"race1\" - Anna Berg", the replay's name without folder and extension and
// the player who saved it (Windows-1252).
std::string reportFileLabel(const ReplayHeader& header);
