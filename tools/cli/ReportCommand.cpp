#include "CliArgs.h"
#include "Commands.h"
#include "ReplayLoading.h"
#include "ReportOutput.h"
#include "common/PathText.h"
#include "reports/ReportRegistry.h"

namespace {

// The TYPE words, in menu order: "settings, practice, ... or flags".
std::string reportKeys() {
    std::vector<std::string> keys;
    for (const ReportKind& kind : reportKinds()) {
        if (kind.key) keys.push_back(kind.key);
    }
    std::string text;
    for (std::size_t i = 0; i < keys.size(); ++i)
        text += (i == 0 ? "" : i + 1 == keys.size() ? " or " : ", ") + keys[i];
    return text;
}

// The report as the report window shows it, in UTF-8 with the platform's line ends; with -o the
// export file.
int report(const CliArgs& args, CliContext& context) {
    if (args.operands.size() != 2)
        return usageError(context.err, "report takes a report type and a replay file");
    const ReportKind* kind = reportKindByKey(args.operands[0]);
    if (!kind) {
        return usageError(context.err, "unknown report type '" + args.operands[0] + "': " + reportKeys());
    }
    if (args.has("--mph") && args.has("--kph"))
        return usageError(context.err, "give --mph or --kph, not both");
    const std::filesystem::path file = pathFromString(args.operands[1]);
    const auto replay = loadReplayFile(file, context.err);
    if (!replay) return kExitFailure;

    const Settings& settings = context.settings;
    const TrackLength length = readTrackLength(settings.simulatorFolder(), replay->header->trackName);
    if (!length.message.empty()) context.err << "vxra: " << length.message << "\n";
    const bool mph = args.has("--mph") || (!args.has("--kph") && settings.speedInMph());
    const ReportInput input{replay->header.get(), replay->drivers.get(), length.metres, mph,
                            settings.offTheTrackInRaceReport()};
    const std::string text = generateReport(kind->type, input);

    const std::string* out = args.value("-o");
    if (!out) {
        printReport(context.out, text);
        return kExitOk;
    }
    std::filesystem::path target = pathFromString(*out);
    std::error_code error;  // a name the system refuses (too long, ...) is no folder: writing it fails
    if (std::filesystem::is_directory(target, error)) {
        target /= defaultExportName(kind->type, file).filename();
    } else {
        target = withTxtExtension(target);
    }
    if (!writeReportFile(target, reportFileText(text))) return failure(context.err, "Error creating file!");
    context.out << pathString(target) << "\n";
    return kExitOk;
}

}  // namespace

void registerReportCommand(CliApp& app) {
    app.add({"report",
             "TYPE FILE",
             "print a report of a replay (TYPE: " + reportKeys() + ") as the report window shows it",
             {{"-o", "OUT", "write the export file instead (OUT a folder: the default name)"},
              {"--mph", "", "speeds in miles per hour"},
              {"--kph", "", "speeds in kilometres per hour"}},
             report});
}
