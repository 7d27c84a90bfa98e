#include "CliArgs.h"
#include "Commands.h"
#include "JsonText.h"
#include "ReplayLoading.h"
#include "common/PathText.h"
#include "common/Text1252.h"
#include "common/WholeFile.h"
#include "map/TrackMapBitmap.h"
#include "racechart/RaceChartPalette.h"

namespace {

using json = nlohmann::ordered_json;

json chartJson(const RaceChartLayout& chart) {
    json labels = json::array();
    for (const std::string& label : chart.rowLabels)
        labels.push_back(win1252ToUtf8(label));
    json columns = json::array();
    for (const RaceChartColumn& column : chart.columns) {
        json lines = json::array();
        for (const RaceChartLine& line : column.lines)
            lines.push_back({line.driver, line.fromRow, line.toRow});
        columns.push_back({{"lap", column.lap},
                           {"rows", column.rows},
                           {"leadLap", column.carsOnLeadLap},
                           {"shadedFrom", column.shadedFrom ? json(*column.shadedFrom) : json(nullptr)},
                           {"lines", lines}});
    }
    return {{"width", chart.width},
            {"height", chart.height},
            {"laps", chart.laps},
            {"drivers", chart.drivers},
            {"startQuestionMarks", chart.startQuestionMarks},
            {"start", chart.start},
            {"rowLabels", labels},
            {"columns", columns}};
}

// The graphical race report's chart of a replay: its layout, or the bitmap the window exports.
int raceChart(const CliArgs& args, CliContext& context, const RaceChartDrawer& draw) {
    if (args.operands.size() != 1) return usageError(context.err, "racechart takes one replay file");
    const std::string* out = args.value("-o");
    if (out && args.has("--json")) return usageError(context.err, "give --json or -o, not both");
    if (out && !draw) return usageError(context.err, kNoPicturesInThisBuild);
    const auto replay = loadReplayFile(pathFromString(args.operands.front()), context.err);
    if (!replay) return kExitFailure;
    if (!replay->drivers->sessionPresent[kRace])
        return failure(context.err, "This replay file does not contain race info!");
    const RaceChartLayout chart = layoutRaceChart(*replay->drivers);
    if (out) {
        const std::filesystem::path target = withBmpEnding(pathFromString(*out));
        const std::vector<std::uint8_t> pixels = draw(chart);
        if (pixels.empty()) return failure(context.err, "the chart is too large to draw");
        const std::string bitmap = encodeBitmap8(chart.width, chart.height, racechart::palette(), pixels);
        if (!writeWholeFile(target, bitmap, std::ios::binary))
            return failure(context.err, "cannot write " + pathString(target));
        return kExitOk;
    }
    printDocument(args, context, chartJson(chart));
    return kExitOk;
}

}  // namespace

void registerRaceChartCommand(CliApp& app, RaceChartDrawer draw) {
    app.add({"racechart",
             "FILE",
             "the graphical race report's chart of a replay's race: the start order, each lap's running "
             "order, the cars on the lead lap and every driver's line, or the chart as an 8-bit bitmap",
             {kJsonOption,
              {"-o", "CHART.bmp",
               "write the chart as the window exports it (\".bmp\" added unless the name ends with it)"}},
             [draw](const CliArgs& args, CliContext& context) { return raceChart(args, context, draw); }});
}
