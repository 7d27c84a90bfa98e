#include <iostream>
#include <map>

#include "CliArgs.h"
#include "Commands.h"
#include "ReplayLoading.h"
#include "ReportOutput.h"
#include "settings/Settings.h"
#include "reports/Reports.h"
#include "track/TrackModel.h"

namespace {

const std::map<std::string, ReportType>& reportTypes() {
    static const std::map<std::string, ReportType> kTypes = {
        {"practice", ReportType::Practice},     {"qualifying", ReportType::Qualifying},
        {"warmup", ReportType::Warmup},         {"race", ReportType::Race},
        {"settings", ReportType::RaceSettings}, {"complete", ReportType::Complete},
        {"lapchart", ReportType::LapChart},     {"lapbylap", ReportType::LapByLap},
        {"flags", ReportType::Flags},
    };
    return kTypes;
}

// The report as the report window shows it, in UTF-8 with the platform's line ends; with -o the
// export file.
int report(const std::vector<std::string>& args, CliContext& context) {
    const auto parsed = parseCliArgs(args, {"--mph", "--kph"}, {"-o"}, context.err);
    if (!parsed) return kExitUsage;
    if (parsed->positional.size() != 2)
        return usageError(context.err, "report takes a report type and a replay file");
    const auto type = reportTypes().find(parsed->positional[0]);
    if (type == reportTypes().end()) {
        return usageError(
            context.err,
            "unknown report type '" + parsed->positional[0] +
                "': practice, qualifying, warmup, race, lapchart, lapbylap, flags, settings or complete");
    }
    if (parsed->has("--mph") && parsed->has("--kph"))
        return usageError(context.err, "give --mph or --kph, not both");
    const std::filesystem::path file = parsed->positional[1];
    const auto replay = loadReplay(file, context.err);
    if (!replay) return kExitFailure;

    const TrackLength length =
        readTrackLength(Settings::instance().simulatorDirectory(), replay->header.trackName);
    if (!length.message.empty()) context.err << length.message << "\n";
    const bool mph = parsed->has("--mph") || (!parsed->has("--kph") && Settings::instance().speedUnit() == 1);
    const ReportInput input{replay->header, *replay->drivers, length.metres, mph,
                            Settings::instance().offTheTrackInRaceReport() == 1};
    const std::string text = generateReport(type->second, input);

    const std::string* out = parsed->value("-o");
    if (!out) {
        printReport(context.out, text);
        return kExitOk;
    }
    std::filesystem::path target = *out;
    if (std::filesystem::is_directory(target)) {
        target /= defaultExportName(type->second, file).filename();
    } else {
        target = withTxtExtension(target);
    }
    if (!writeReportFile(target, reportFileText(text))) {
        context.err << "Error creating file!\n";
        return kExitFailure;
    }
    context.out << target.string() << "\n";
    return kExitOk;
}

}  // namespace

void registerReportCommand(CliApp& app) {
    app.add(
        {"report", "TYPE FILE [-o OUT] [--mph|--kph]",
         "print a report of a replay (TYPE: practice, qualifying, warmup, race, lapchart, lapbylap, flags, "
         "settings, complete) as the "
         "report window shows it; with -o write the export file (OUT a folder: the default name)",
         report});
}
