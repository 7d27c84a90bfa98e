#include "reports/ReportRegistry.h"

#include <algorithm>

#include "common/PathText.h"
#include "replay/ReplayFormat.h"
#include "reports/FlagReport.h"
#include "reports/LapByLapReport.h"
#include "reports/LapChart.h"
#include "reports/RaceReport.h"
#include "reports/RaceSettingsReport.h"
#include "reports/SectorTimesReport.h"
#include "reports/SessionReport.h"

namespace {

// A report made whole, handed on in one piece.
template <std::string (*make)(const ReportInput&)>
bool whole(const ReportInput& input, const ReportSink& sink) {
    return sink(make(input));
}

std::string practiceReport(const ReportInput& in) {
    return sessionReport(kPractice, in);
}
std::string qualifyingReport(const ReportInput& in) {
    return sessionReport(kQualifying, in);
}
std::string warmupReport(const ReportInput& in) {
    return sessionReport(kWarmup, in);
}

// Race settings, then the session reports, the race report, the lap chart and the lap-by-lap
// report, each after a blank line; a missing session gives its one-line "does not contain" text.
std::string completeReport(const ReportInput& in) {
    const std::string parts[] = {raceSettingsReport(in),
                                 sessionReport(kPractice, in),
                                 sessionReport(kQualifying, in),
                                 sessionReport(kWarmup, in),
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

bool flags(const ReportInput& input, const ReportSink& sink) {
    return flagReport(*input.drivers, sink);
}
bool sectorTimes(const ReportInput& input, const ReportSink& sink) {
    return sectorTimesReport(*input.loadedLaps, sink);
}

}  // namespace

const std::vector<ReportKind>& reportKinds() {
    using T = ReportType;
    static const std::vector<ReportKind> kKinds = {
        {T::RaceSettings, "settings", "Race Settings Etc", "_MiscInfo", false, whole<raceSettingsReport>},
        {T::Practice, "practice", "Practice Report", "_Practice", false, whole<practiceReport>},
        {T::Qualifying, "qualifying", "Qualifying Report", "_Qualify", false, whole<qualifyingReport>},
        {T::Warmup, "warmup", "Warmup Report", "_Warmup", false, whole<warmupReport>},
        {T::Race, "race", "Race Report", "_Race", false, whole<raceReport>},
        {T::LapByLap, "lapbylap", "Lap By Lap report", "_LapByLap", false, whole<lapByLapReport>},
        {T::LapChart, "lapchart", "Lap Chart", "_LapChart", false, whole<lapChart>},
        {T::Complete, "complete", "Complete Report", "_Complete", false, whole<completeReport>},
        {T::Flags, "flags", "Flag report", "_Flags", true, flags},
        {T::SectorTimes, nullptr, "Sector Times", "SectorTimes", true, sectorTimes},
    };
    return kKinds;
}

const ReportKind& reportKind(ReportType type) {
    const auto& kinds = reportKinds();
    return *std::find_if(kinds.begin(), kinds.end(),
                         [type](const ReportKind& kind) { return kind.type == type; });
}

const ReportKind* reportKindByKey(std::string_view key) {
    const auto& kinds = reportKinds();
    const auto it = std::find_if(kinds.begin(), kinds.end(),
                                 [key](const ReportKind& kind) { return kind.key && kind.key == key; });
    return it == kinds.end() ? nullptr : &*it;
}

std::string generateReport(const ReportKind& kind, const ReportInput& input) {
    std::string text;
    kind.generate(input, [&](const std::string& piece) {
        text += piece;
        return true;
    });
    return text;
}

std::string generateReport(ReportType type, const ReportInput& input) {
    return generateReport(reportKind(type), input);
}

std::filesystem::path defaultExportName(ReportType type, const std::filesystem::path& replay) {
    const char* suffix = reportKind(type).exportSuffix;
    if (type == ReportType::SectorTimes) return std::string(suffix) + ".txt";
    const std::string path = pathString(replay);
    return pathFromString(path.substr(0, path.size() >= 4 ? path.size() - 4 : 0) + suffix + ".txt");
}
