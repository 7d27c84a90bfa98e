#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "reports/ReportText.h"

// Every text report, in one table that the report window and `vxra report` are built from. A new
// report is a generator and a row here (and, for the desktop program, its command's number, menu
// text and place in `kReportCommands`, src/desktop/app/MainWindowCommands.cpp).

// The report codes.
enum class ReportType : int {
    Qualifying = 1,
    Race = 2,
    LapChart = 3,
    LapByLap = 4,
    Complete = 5,
    SectorTimes = 10,
    Practice = 11,
    Warmup = 12,
    RaceSettings = 13,
    Flags = 14,
};

// Makes a report, handing it to `sink` whole or piece by piece; false when the sink stopped it.
using ReportGenerator = bool (*)(const ReportInput& input, const ReportSink& sink);

struct ReportKind {
    ReportType type;
    const char* key;    // the TYPE of `vxra report`; null for sector times, which `vxra sectors` makes
    const char* title;  // above the report in its window
    const char* exportSuffix;
    bool progressive;  // made on a worker, the text growing on screen as it is made
    ReportGenerator generate;
};
// In the order of the desktop program's Reports menu (sector times, which it puts in the Tools
// menu, last) and of `vxra report`'s list of types.
const std::vector<ReportKind>& reportKinds();
const ReportKind& reportKind(ReportType type);
// The report of a `vxra report` TYPE; null for an unknown word.
const ReportKind* reportKindByKey(std::string_view key);

// The whole text of a report.
std::string generateReport(const ReportKind& kind, const ReportInput& input);
std::string generateReport(ReportType type, const ReportInput& input);

// The export file proposed for a report of a replay: its path without ".rpy", the suffix and
// ".txt"; "SectorTimes.txt" for sector times.
std::filesystem::path defaultExportName(ReportType type, const std::filesystem::path& replay);
