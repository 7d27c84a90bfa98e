#pragma once

#include <string>

#include "reports/ReportText.h"

// The lap chart: every lap of every session of every driver with its time and incident flags.
std::string lapChart(const ReportInput& input);
// The incident names of a lap word's flags, in the chart's order: "Off the track, Black flag".
std::string lapFlagNames(std::uint32_t word);
