#pragma once

#include <string>

#include "reports/ReportText.h"

class DriverTable;

// The flag report: replays the telemetry of a replay file to find the race leader's line
// crossings and the flags shown (green, yellow, white, chequered), and sums up the yellow periods.
// Made piece by piece: each piece goes to `sink` as soon as it is known; a sink that returns false
// stops the scan. Returns false when it was stopped so.
bool flagReport(const DriverTable& drivers, const ReportSink& sink);
