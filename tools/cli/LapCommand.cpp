#include <cstdio>

#include "CliArgs.h"
#include "Commands.h"
#include "JsonText.h"
#include "ReplayLoading.h"
#include "common/PathText.h"
#include "common/Text1252.h"
#include "common/TimeText.h"
#include "replay/ReplayMessages.h"

namespace {

using json = nlohmann::ordered_json;

constexpr const char* kCheckAgrees = "The stored lap time agrees with the telemetry.";

// With the track, the map channels follow the others.
void printCsv(std::ostream& out, const LapTelemetry& lap, bool mapChannels) {
    out << "sample,distance,lateral,gear,revs,orientation,roll,pitch,steering,aux1,aux2,distanceM,lateralM,"
           "speed"
        << (mapChannels ? ",heading,slip,slipMinusSteering\n" : "\n");
    char converted[96];
    for (std::size_t sample = 0; sample < static_cast<std::size_t>(lap.sampleCount); ++sample) {
        std::snprintf(converted, sizeof converted, "%.4f,%.4f,%.3f", lap.distanceM[sample],
                      lap.lateralM[sample], lap.speed[sample]);
        out << sampleNumber(static_cast<int>(sample)) << ',' << lap.distance[sample] << ','
            << lap.lateral[sample] << ',' << lap.gear[sample] << ',' << lap.revs[sample] << ','
            << lap.orientation[sample] << ',' << lap.roll[sample] << ',' << lap.pitch[sample] << ','
            << lap.steering[sample] << ',' << lap.aux1[sample] << ',' << lap.aux2[sample] << ',' << converted;
        if (mapChannels)
            out << ',' << lap.heading[sample] << ',' << lap.slip[sample] << ','
                << lap.slipMinusSteering[sample];
        out << '\n';
    }
}

json summary(const LapTelemetry& lap, bool withTrack) {
    json fields = {{"sampleCount", lap.sampleCount},
                   {"filledSamples", lap.filledSamples},
                   {"missingSamples", lap.missingSamples},
                   {"longestGap", lap.longestGap},
                   {"startFrame", lap.startFrame},
                   {"endFrame", lap.endFrame},
                   {"lapStartIndex", lap.lapStartIndex},
                   {"lapEndIndex", lap.lapEndIndex},
                   {"frameLapTime", lap.frameLapTime},
                   {"stepAtStart", lap.stepAtStart},
                   {"stepAtEnd", lap.stepAtEnd}};
    if (withTrack) {
        fields["splitTime1"] = formatSplitTime(static_cast<std::uint32_t>(lap.splitTime1));
        fields["splitTime2"] = formatSplitTime(static_cast<std::uint32_t>(lap.splitTime2));
        fields["splitTime3"] = formatSplitTime(static_cast<std::uint32_t>(lap.splitTime3));
    }
    return fields;
}

void printText(std::ostream& out, const json& fields, const LapLoad& load, bool withTrack) {
    printJsonAsText(out, fields);
    out << "\nQuality report:\n" << win1252ToUtf8(load.qualityReport) << "\n";
    if (withTrack) {
        out << "\nLap time check:\n" << load.lapTimeCheck.value_or(kCheckAgrees) << "\n";
    } else {
        out << "\nNo track in the simulator folder: no map channels, split times or lap time check.\n";
    }
}

int lap(const CliArgs& args, CliContext& context) {
    if (args.operands.size() != 1) return usageError(context.err, "lap takes one replay file");
    const std::string* driverText = args.value("--driver");
    const std::string* sessionText = args.value("--session");
    const std::string* slotText = args.value("--lap");
    if (!driverText || !sessionText || !slotText) {
        return usageError(context.err, "lap needs --driver, --session and --lap");
    }
    const auto driver = parseInt(*driverText);
    const auto session = sessionFromKey(*sessionText);
    const auto slot = parseInt(*slotText);
    if (!driver) return usageError(context.err, "--driver takes a driver index");
    if (!session) return usageError(context.err, "--session takes practice, qualifying, warmup or race");
    if (!slot) return usageError(context.err, "--lap takes a lap slot number");
    if (args.has("--csv") && args.has(kJsonOption.name))
        return usageError(context.err, "give --csv or --json, not both");

    const auto replay = loadReplayFile(pathFromString(args.operands.front()), context.err);
    if (!replay) return kExitFailure;
    // With the track of the simulator folder: the map channels, split times and lap-time check.
    std::unique_ptr<LoadedTrack> track;
    const std::string& simulator = context.settings.simulatorDirectory();
    if (!simulator.empty()) {
        auto loaded = loadReplayTrack(context.settings.simulatorFolder(), replay->header->trackName);
        if (loaded) track = std::move(loaded).value();
    }
    const LapLoad load = loadLap(*replay->drivers, {*driver, *session, *slot}, track.get());
    if (!load.ok()) {
        const LapReadError error = load.read ? *load.processing.error() : *load.read.error();
        context.err << "vxra: " << load.failureMessage() << "\n";
        return failure(context.err, failureReason(error));
    }

    const LapTelemetry& telemetry = *load.telemetry;
    if (args.has("--csv")) {
        printCsv(context.out, telemetry, track != nullptr);
        return kExitOk;
    }
    const json fields = summary(telemetry, track != nullptr);
    if (!args.has(kJsonOption.name)) {
        printText(context.out, fields, load, track != nullptr);
        return kExitOk;
    }
    const auto writer = jsonWriter(context.out);
    writer->beginObject();
    for (const auto& field : fields.items())
        writer->field(field.key(), field.value());
    writer->field("qualityReport", win1252ToUtf8(load.qualityReport));
    if (track) writer->field("lapTimeCheck", load.lapTimeCheck.value_or(kCheckAgrees));
    writer->end();
    return kExitOk;
}

}  // namespace

void registerLapCommand(CliApp& app) {
    app.add({"lap",
             "FILE",
             "read and process one lap: its summary with the quality report and, with the track, the split "
             "times and the lap-time check; or one row per sample (with the map channels when the track is "
             "found)",
             {{"--driver", "N", "the driver's index in the driver table (see info)", true},
              {"--session", "SESSION", "practice, qualifying, warmup or race", true},
              {"--lap", "SLOT", "the lap's slot in the driver's row", true},
              {"--csv", "", "print one CSV row per sample"},
              kJsonOption},
             lap});
}
