#pragma once

#include <string>

#include "reports/ReportText.h"

// The race settings report: the weekend's rules, weather, car set and session format, in two
// columns.
std::string raceSettingsReport(const ReportInput& input);
