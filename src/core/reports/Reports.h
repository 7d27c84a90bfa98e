#pragma once

#include <string>

#include "reports/ReportText.h"

// The whole text of a report made from one replay: practice, qualifying, warmup, race, lap chart,
// lap by lap, flags, race settings and the complete report. (Sector times come from the loaded laps:
// see SectorTimesReport.h; the flag report can also be made piece by piece: FlagReport.h.)
std::string generateReport(ReportType type, const ReportInput& input);
