#include "CliArgs.h"
#include "Commands.h"
#include "JsonText.h"
#include "ReplayLoading.h"
#include "common/PathText.h"
#include "common/Text1252.h"
#include "replay/LapCatalogue.h"

namespace {

using json = nlohmann::ordered_json;

// The lap dialog's tree, indented, with "*" before the laps that can be loaded, then the replay's
// description.
void printTree(std::ostream& out, const std::vector<DriverItem>& tree,
               const std::vector<std::pair<std::string, std::string>>& description) {
    for (const DriverItem& driver : tree) {
        out << win1252ToUtf8(driver.title) << "\n";
        for (const SessionItem& session : driver.sessions) {
            out << "  " << session.title << "\n";
            for (const LapItem& lap : session.laps)
                out << (lap.selectable ? "  * " : "    ") << lap.label << "\n";
        }
    }
    out << "\n";
    for (const auto& [label, value] : description)
        out << label << " " << win1252ToUtf8(value) << "\n";
}

json treeJson(const std::vector<DriverItem>& tree) {
    json drivers = json::array();
    for (const DriverItem& driver : tree) {
        json sessions = json::array();
        for (const SessionItem& session : driver.sessions) {
            json laps = json::array();
            for (const LapItem& lap : session.laps)
                laps.push_back({{"slot", lap.slot}, {"label", lap.label}, {"selectable", lap.selectable}});
            sessions.push_back(
                {{"session", sessionKey(session.session)}, {"title", session.title}, {"laps", laps}});
        }
        drivers.push_back(
            {{"index", driver.driver}, {"title", win1252ToUtf8(driver.title)}, {"sessions", sessions}});
    }
    return drivers;
}

int laps(const CliArgs& args, CliContext& context) {
    if (args.operands.size() != 1) return usageError(context.err, "laps takes one replay file");
    const auto replay = loadReplayFile(pathFromString(args.operands.front()), context.err);
    if (!replay) return kExitFailure;

    const auto tree = buildLapTree(*replay->drivers, args.has("--selectable"));
    const auto description = describeReplay(*replay->header, *replay->drivers);
    json fields = json::array();
    for (const auto& [label, value] : description)
        fields.push_back({{"label", label}, {"value", win1252ToUtf8(value)}});
    printDocument(args, context, {{"drivers", treeJson(tree)}, {"description", fields}},
                  [&](std::ostream& out) { printTree(out, tree, description); });
    return kExitOk;
}

}  // namespace

void registerLapsCommand(CliApp& app) {
    app.add({"laps",
             "FILE",
             "list every driver's laps per session as the lap dialog does (* = can be loaded), then the "
             "replay's description",
             {{"--selectable", "", "only the laps that can be loaded"}, kJsonOption},
             laps});
}
