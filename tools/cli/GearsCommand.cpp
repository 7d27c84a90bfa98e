#include "CliArgs.h"
#include "Commands.h"
#include "DocumentLoading.h"
#include "JsonText.h"
#include "common/Text1252.h"
#include "graphs/GearChanges.h"

namespace {

using json = nlohmann::ordered_json;

constexpr const char* kUpshiftKinds[] = {"1->2", "2->3", "3->4", "4->5", "5->6"};
constexpr const char* kColumns[] = {"Gearchange", "Meter ", "Revs ", "Revs-", "Speed-", "Time"};

// The gear-change analyser's findings for one lap, as the dialog shows them.
int gears(const CliArgs& args, CliContext& context) {
    if (args.operands.size() != 1) return usageError(context.err, "gears takes one lap");
    CommandLineDocument loaded(context.err, context.settings);
    if (const int status = loaded.load(args.operands, "gears"); status != kExitOk) return status;
    const ReplayDocument::Slot& lap = loaded.document().slots().front();  // the one lap, loaded

    const GearAnalysis analysis = analyseGearChanges(*lap.lapData);
    json result;
    result["lap"] = win1252ToUtf8(lapCaption(lap));
    json changes = json::array();
    for (const GearChangeRow& row : analysis.rows)
        changes.push_back(json(row));
    result["changes"] = changes;
    result["changeCount"] = std::to_string(analysis.changeCount);
    result["neutralUpshift"] = analysis.neutralUpshiftTime();
    result["neutralDownshift"] = analysis.neutralDownshiftTime();
    result["summary"] = analysis.summary();
    json statistics = json::object();
    for (std::size_t kind = 0; kind < analysis.upshifts.size(); ++kind) {
        const auto& averages = analysis.upshifts[kind];
        statistics[kUpshiftKinds[kind]] =
            averages ? json{std::to_string(averages->startRevs), std::to_string(averages->revsLost),
                            std::to_string(averages->speedLost)}
                     : json(nullptr);
    }
    result["statistics"] = statistics;

    printDocument(args, context, result, [&](std::ostream& out) {
        out << result["lap"].get<std::string>() << "\n";
        for (const char* column : kColumns)
            out << column << "\t";
        out << "\n";
        for (const GearChangeRow& row : analysis.rows) {
            for (const std::string& cell : row)
                out << cell << "\t";
            out << "\n";
        }
        out << "No of gearchanges: " << analysis.changeCount << "\n"
            << "Time spent in neutral -during upshift: " << analysis.neutralUpshiftTime()
            << "  -during downshift: " << analysis.neutralDownshiftTime() << "\n"
            << "\tAvg Revs\tAvg Revs dropped\tAvg Speed dropped\n";
        for (std::size_t kind = 0; kind < analysis.upshifts.size(); ++kind) {
            out << kUpshiftKinds[kind];
            if (const auto& averages = analysis.upshifts[kind])
                out << "\t" << averages->startRevs << "\t" << averages->revsLost << "\t"
                    << averages->speedLost;
            out << "\n";
        }
        out << analysis.summary() << "\n";
    });
    return kExitOk;
}

}  // namespace

void registerGearsCommand(CliApp& app) {
    app.add({"gears",
             "FILE:DRIVER:SESSION:LAP",
             "load a lap as the desktop program does and list its gear changes, the time in neutral, the "
             "averages of each upshift kind and how many upshifts were speedshifts",
             {kJsonOption},
             gears});
}
