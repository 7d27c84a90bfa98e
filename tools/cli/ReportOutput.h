#pragma once

#include <ostream>
#include <string>

// A report's Windows-1252 text as UTF-8 with the platform's line ends, as its export file holds it.
std::string reportFileText(const std::string& reportText);
// The same, printed with a final line end.
void printReport(std::ostream& out, const std::string& reportText);
