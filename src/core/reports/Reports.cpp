#include "reports/Reports.h"

#include "reports/FlagReport.h"
#include "reports/LapByLapReport.h"
#include "reports/LapChart.h"
#include "reports/RaceReport.h"
#include "reports/RaceSettingsReport.h"
#include "reports/SessionReport.h"

namespace {

// Race settings, then the session reports, the race report, the lap chart and the lap-by-lap
// report, each after a blank line; a missing session gives its one-line "does not contain" text.
std::string completeReport(const ReportInput& in) {
    const std::string parts[] = {raceSettingsReport(in),
                                 sessionReport(ReportType::Practice, in),
                                 sessionReport(ReportType::Qualifying, in),
                                 sessionReport(ReportType::Warmup, in),
                                 raceReport(in),
                                 lapChart(in),
                                 lapByLapReport(in)};
    std::size_t size = 0;
    for (const std::string& part : parts)
        size += part.size() + 4;
    std::string text;
    text.reserve(size);
    for (const std::string& part : parts) {
        if (!text.empty()) text.append("\r\n\r\n");
        text.append(part);
    }
    return text;
}

}  // namespace

std::string generateReport(ReportType type, const ReportInput& input) {
    switch (type) {
        case ReportType::Practice:
        case ReportType::Qualifying:
        case ReportType::Warmup:
            return sessionReport(type, input);
        case ReportType::Race:
            return raceReport(input);
        case ReportType::RaceSettings:
            return raceSettingsReport(input);
        case ReportType::LapChart:
            return lapChart(input);
        case ReportType::LapByLap:
            return lapByLapReport(input);
        case ReportType::Flags:
            return flagReportText(input.drivers);
        case ReportType::Complete:
            return completeReport(input);
        default:
            return "";
    }
}
