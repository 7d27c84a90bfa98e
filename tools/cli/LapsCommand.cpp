#include "CliArgs.h"
#include "Commands.h"
#include "ReplayLoading.h"
#include "common/Text1252.h"
#include "replay/LapCatalogue.h"

namespace {

// The lap dialog's tree, indented, with "*" before the laps that can be loaded, then the replay's
// description.
int laps(const std::vector<std::string>& args, CliContext& context) {
    const auto parsed = parseCliArgs(args, {"--selectable"}, {}, context.err);
    if (!parsed) return kExitUsage;
    if (parsed->positional.size() != 1) return usageError(context.err, "laps takes one replay file");
    const auto replay = loadReplay(parsed->positional.front(), context.err);
    if (!replay) return kExitFailure;

    std::ostream& out = context.out;
    for (const DriverItem& driver : buildLapTree(*replay->drivers, parsed->has("--selectable"))) {
        out << win1252ToUtf8(driver.title) << "\n";
        for (const SessionItem& session : driver.sessions) {
            out << "  " << session.title << "\n";
            for (const LapItem& lap : session.laps)
                out << (lap.selectable ? "  * " : "    ") << lap.label << "\n";
        }
    }
    out << "\n";
    for (const auto& [label, value] : describeReplay(replay->header, *replay->drivers)) {
        out << label << " " << win1252ToUtf8(value) << "\n";
    }
    return kExitOk;
}

}  // namespace

void registerLapsCommand(CliApp& app) {
    app.add(
        {"laps", "FILE [--selectable]",
         "list every driver's laps per session as the lap dialog does (* = can be loaded; --selectable: only "
         "those), then the replay's description",
         laps});
}
