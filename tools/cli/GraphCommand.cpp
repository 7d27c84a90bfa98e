#include <cmath>

#include "CliArgs.h"
#include "Commands.h"
#include "DocumentLoading.h"
#include "JsonText.h"
#include "common/PathText.h"
#include "common/Text1252.h"
#include "common/WholeFile.h"
#include "graphs/LapGraphs.h"

namespace {

void writePoints(DocumentWriter& writer, const PlotCurve* curve) {
    writer.beginArray();
    if (curve) {
        for (const PlotPoint& point : curve->points.points())
            writer.value({point.x, point.y});
    }
    writer.end();
}

// The graph window's curves for every loaded lap, checked in order, as JSON or as a picture.
int graph(const CliArgs& args, CliContext& context, const PlotImageEncoder& encodeImage) {
    const std::string* channelName = args.value("--channel");
    const std::optional<GraphChannel> channel = channelName ? channelFromKey(*channelName) : std::nullopt;
    if (!channel) return usageError(context.err, "--channel takes speed, time, gear, revs or slip");
    const std::string* out = args.value("-o");
    if (out && args.has("--json")) return usageError(context.err, "give --json or -o, not both");
    std::pair<int, int> size{1200, 700};
    if (const std::string* sizeText = args.value("--size")) {
        const auto parsed = parsePictureSize(*sizeText);
        if (!parsed) return usageError(context.err, kPictureSizeError);
        size = *parsed;
    }
    if (out && !encodeImage) return usageError(context.err, kNoPicturesInThisBuild);
    if (args.has("--difference") && args.operands.size() != 2)
        return usageError(context.err, "--difference takes exactly two laps");
    CommandLineDocument loaded(context.err, context.settings);
    if (const int status = loaded.load(args.operands, "graph"); status != kExitOk) return status;
    const ReplayDocument& document = loaded.document();

    PlotModel plot;
    PlotRange view{0, 10, 0, 10};
    std::vector<GraphLap> laps;
    std::vector<std::string> captions;
    const auto& colours = ReplayDocument::colourTable();
    for (int index = 0; index < ReplayDocument::maxLaps; ++index) {
        const ReplayDocument::Slot& slot = document.slots()[static_cast<std::size_t>(index)];
        if (!slot.inUse || !slot.lapData) continue;
        const std::size_t colour = static_cast<std::size_t>(document.lapColourIndex(index));
        laps.push_back({slot.lapData.get(), slot.lapEntry(), colours[colour].packed()});
        captions.push_back(win1252ToUtf8(lapCaption(slot)));
    }
    LapGraphs graphs(
        plot, [&view](const PlotRange& range) { view = range; }, laps,
        colours[ReplayDocument::differenceColourIndex].packed());
    plot.setAxis("Meter", "Meter", 0, true, false);
    graphs.selectChannel(*channel, document.speedUnitMph());
    for (int lap = 0; lap < static_cast<int>(laps.size()); ++lap)
        graphs.setLapChecked(lap, true);
    if (args.has("--difference")) graphs.setDifferenceChecked(true);

    if (out) {
        const std::filesystem::path target = pathFromString(*out);
        const std::string png = encodeImage(plot, view, size.first, size.second);
        if (png.empty() || !writeWholeFile(target, png, std::ios::binary))
            return failure(context.err, "Error creating file!");
        context.out << pathString(target) << "\n";
        return kExitOk;
    }

    const AxisInfo& xAxis = plot.axis(true);
    const AxisInfo& yAxis = plot.axis(false);
    // As it is produced: a curve holds a point per sample of its lap.
    const auto writer = documentWriter(args, context.out);
    writer->beginObject();
    writer->field("channel", channelKey(*channel));
    writer->field("xAxis", {xAxis.title(), xAxis.unit()});
    writer->field("yAxis", {yAxis.title(), yAxis.unit()});
    writer->field("yRange", {graphs.view().y1, graphs.view().y2});
    writer->key("curves");
    writer->beginArray();
    for (int lap = 0; lap < static_cast<int>(laps.size()); ++lap) {
        writer->beginObject();
        writer->field("lap", captions[static_cast<std::size_t>(lap)]);
        writer->key("points");
        writePoints(*writer, plot.curve(graphs.curveOf(lap)));
        writer->end();
    }
    writer->end();
    if (args.has("--difference")) {
        const DifferenceTexts& texts = graphs.texts();
        writer->key("difference");
        writer->beginObject();
        writer->key("points");
        writePoints(*writer, plot.curve(graphs.differenceCurve()));
        writer->key("zeroLine");
        writePoints(*writer, plot.curve(graphs.zeroLineCurve()));
        writer->field("atFinishLine", texts.atFinishLine);
        writer->field("maxAhead", texts.maxAhead);
        writer->field("maxBehind", texts.maxBehind);
        writer->field("spread", texts.spread);
        writer->end();
    }
    writer->end();
    return kExitOk;
}

}  // namespace

void registerGraphCommand(CliApp& app, PlotImageEncoder encodeImage) {
    app.add({"graph",
             "FILE:DRIVER:SESSION:LAP ...",
             "load up to five laps as the desktop program does and give the graph window's curves of a "
             "channel against the distance, every lap checked in order, with the time difference of two laps",
             {{"--channel", "CHANNEL", "speed, time, gear, revs or slip", true},
              {"--difference", "", "also the time difference of exactly two laps, its zero line and texts"},
              kJsonOption,
              {"-o", "GRAPH.png", "draw the graph (rulers, grid, curves) into a PNG picture instead"},
              {"--size", "WxH", "the picture's size in pixels (default 1200x700)"}},
             [encodeImage](const CliArgs& args, CliContext& context) {
                 return graph(args, context, encodeImage);
             }});
}
