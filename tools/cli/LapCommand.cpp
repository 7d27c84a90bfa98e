#include <cstdio>
#include <nlohmann/json.hpp>

#include "CliArgs.h"
#include "Commands.h"
#include "JsonText.h"
#include "ReplayLoading.h"
#include "settings/Settings.h"
#include "common/Text1252.h"
#include "common/TimeText.h"
#include "track/TrackFileError.h"
#include "replay/LapCatalogue.h"
#include "replay/LapTimeCheck.h"
#include "replay/ReplayMessages.h"
#include "replay/LapTelemetry.h"
#include "document/DrivingLine.h"
#include "track/LoadedTrack.h"

namespace {

// With the track, the map channels follow the others.
void printCsv(std::ostream& out, const LapTelemetry& lap, bool mapChannels) {
    out << "sample,distance,lateral,gear,revs,orientation,roll,pitch,steering,aux1,aux2,distanceM,lateralM,"
           "speed"
        << (mapChannels ? ",heading,slip,slipMinusSteering\n" : "\n");
    char converted[96];
    for (std::size_t k = 1; k <= static_cast<std::size_t>(lap.sampleCount); ++k) {
        std::snprintf(converted, sizeof converted, "%.4f,%.4f,%.3f", lap.distanceM[k], lap.lateralM[k],
                      lap.speed[k]);
        out << k << ',' << lap.distance[k] << ',' << lap.lateral[k] << ',' << lap.gear[k] << ','
            << lap.revs[k] << ',' << lap.orientation[k] << ',' << lap.roll[k] << ',' << lap.pitch[k] << ','
            << lap.steering[k] << ',' << lap.aux1[k] << ',' << lap.aux2[k] << ',' << converted;
        if (mapChannels)
            out << ',' << lap.heading[k] << ',' << lap.slip[k] << ',' << lap.slipMinusSteering[k];
        out << '\n';
    }
}

nlohmann::ordered_json summary(const LapTelemetry& lap) {
    return {{"sampleCount", lap.sampleCount},
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
}

int lap(const std::vector<std::string>& args, CliContext& context) {
    const auto parsed = parseCliArgs(args, {"--csv"}, {"--driver", "--session", "--lap"}, context.err);
    if (!parsed) return kExitUsage;
    if (parsed->positional.size() != 1) return usageError(context.err, "lap takes one replay file");
    const std::string* driverText = parsed->value("--driver");
    const std::string* sessionText = parsed->value("--session");
    const std::string* slotText = parsed->value("--lap");
    if (!driverText || !sessionText || !slotText) {
        return usageError(context.err, "lap needs --driver, --session and --lap");
    }
    const auto driver = parseInt(*driverText);
    const auto session = sessionFromKey(*sessionText);
    const auto slot = parseInt(*slotText);
    if (!driver) return usageError(context.err, "--driver takes a driver index");
    if (!session) return usageError(context.err, "--session takes practice, qualifying, warmup or race");
    if (!slot) return usageError(context.err, "--lap takes a lap slot number");

    const auto replay = loadReplay(parsed->positional.front(), context.err);
    if (!replay) return kExitFailure;
    LapTelemetry data;
    int status = data.read(*replay->drivers, *driver, *slot, *session);
    const std::uint32_t entry =
        status == LapTelemetry::kOk
            ? replay->drivers->laps[static_cast<std::size_t>(*session)][static_cast<std::size_t>(*driver)]
                                   [static_cast<std::size_t>(*slot)]
            : 0;
    const std::string quality = qualityReport(data, entry, QualityReportForm::LoadSequence);
    if (status == LapTelemetry::kOk) status = data.process(1);
    if (status != LapTelemetry::kOk) {
        context.err << kLapDataReadError << "\nstatus " << status << ": " << LapTelemetry::statusText(status)
                    << "\n";
        return kExitFailure;
    }

    // With the track of the simulator folder: the map channels, split times and lap-time check.
    std::optional<LoadedTrack> track;
    const std::string& simulator = Settings::instance().simulatorDirectory();
    if (!simulator.empty()) {
        try {
            track = loadTrack(simulator, replay->header.trackName);
            computeMapChannels(data, *track->model, track->length.metres);
        } catch (const TrackFileError&) {
            track.reset();
        }
    }
    if (parsed->has("--csv")) {
        printCsv(context.out, data, track.has_value());
        return kExitOk;
    }
    auto fields = summary(data);
    if (track) {
        fields["splitTime1"] = formatSplitTime(static_cast<std::uint32_t>(data.splitTime1));
        fields["splitTime2"] = formatSplitTime(static_cast<std::uint32_t>(data.splitTime2));
        fields["splitTime3"] = formatSplitTime(static_cast<std::uint32_t>(data.splitTime3));
    }
    printJsonAsText(context.out, fields);
    context.out << "\nQuality report:\n" << win1252ToUtf8(quality) << "\n";
    if (track) {
        const auto check = lapTimeCheckMessage(data, lapDuration(entry), track->length.metres);
        context.out << "\nLap time check:\n"
                    << (check ? *check : std::string("The stored lap time agrees with the telemetry."))
                    << "\n";
    } else {
        context.out
            << "\nNo track in the simulator folder: no map channels, split times or lap time check.\n";
    }
    return kExitOk;
}

}  // namespace

void registerLapCommand(CliApp& app) {
    app.add({"lap", "FILE --driver N --session practice|qualifying|warmup|race --lap SLOT [--csv]",
             "read and process one lap: its summary with the quality report and, with the track, the split "
             "times and the lap-time check; or with --csv one row per sample (with the map channels when the "
             "track is found)",
             lap});
}
