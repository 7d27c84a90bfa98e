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
    std::string text = raceSettingsReport(in);
    for (ReportType part : {ReportType::Practice, ReportType::Qualifying, ReportType::Warmup}) {
        text += "\r\n\r\n" + sessionReport(part, in);
    }
    return text + "\r\n\r\n" + raceReport(in) + "\r\n\r\n" + lapChart(in) + "\r\n\r\n" + lapByLapReport(in);
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
