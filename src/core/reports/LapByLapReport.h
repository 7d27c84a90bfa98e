#pragma once

#include <string>

#include "reports/ReportText.h"

// The lap-by-lap report: the race told lap by lap: non-starters, the polesitter, off-track
// moments (when asked for), overtakes, lead changes, retirements, the fastest lap and the podium.
std::string lapByLapReport(const ReportInput& input);
