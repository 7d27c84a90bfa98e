#pragma once

#include <string>

#include "reports/ReportText.h"

// The race report: the classification with gaps and average speeds, then fastest laps, leaders
// and lead changes, most laps led, highest climber, black-flag laps and on-track laps.
std::string raceReport(const ReportInput& input);
