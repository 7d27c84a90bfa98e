#pragma once

#include <string>
#include <vector>

class ReplayDocument;
class ReplayHeader;

// Which loaded lap's replay a report is based on.

// The first slot in use of each replay file, in slot order: the k-th choice of the file-choice
// dialog is the k-th of these, so laps loaded from one file offer it once.
std::vector<int> reportFileSlots(const ReplayDocument& document);
// A choice's label: "\"race1\" - Anna Berg", the replay's name without folder and extension and
// the player who saved it (Windows-1252).
std::string reportFileLabel(const ReplayHeader& header);
