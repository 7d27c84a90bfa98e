#pragma once

#include <string>

#include "reports/ReportText.h"

// The text of a report that is made at once from a replay's head and driver table: practice,
// qualifying, warmup, race, race settings and the complete report. (Reports made from the loaded
// laps or the telemetry have their own generators.)
std::string generateReport(ReportType type, const ReportInput& input);
