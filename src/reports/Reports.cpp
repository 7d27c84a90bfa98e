#include "reports/Reports.h"

#include "reports/RaceReport.h"
#include "reports/RaceSettingsReport.h"
#include "reports/SessionReport.h"

namespace {

// Race settings, then the session reports and the race report, each after a blank line; a missing
// session gives its one-line "does not contain" text.
std::string completeReport(const ReportInput& in) {
    std::string text = raceSettingsReport(in);
    for (ReportType part : {ReportType::Practice, ReportType::Qualifying, ReportType::Warmup}) {
        text += "\r\n\r\n" + sessionReport(part, in);
    }
    return text + "\r\n\r\n" + raceReport(in);
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
        case ReportType::Complete:
            return completeReport(input);
        default:
            return "";
    }
}
