#include <cstdio>
#include <nlohmann/json.hpp>

#include "CliArgs.h"
#include "Commands.h"
#include "JsonText.h"
#include "ReplayLoading.h"
#include "replay/ReplayMessages.h"
#include "replay/RpyDataClass.h"

namespace {

void printCsv(std::ostream& out, const RpyDataClass& lap) {
    out << "sample,distance,lateral,gear,revs,orientation,roll,pitch,steering,aux1,aux2,distanceM,lateralM,"
           "speed\n";
    char converted[96];
    for (int k = 1; k <= lap.sampleCount; ++k) {
        std::snprintf(converted, sizeof converted, "%.4f,%.4f,%.3f", lap.distanceM[k], lap.lateralM[k],
                      lap.speed[k]);
        out << k << ',' << lap.distance[k] << ',' << lap.lateral[k] << ',' << lap.gear[k] << ','
            << lap.revs[k] << ',' << lap.orientation[k] << ',' << lap.roll[k] << ',' << lap.pitch[k] << ','
            << lap.steering[k] << ',' << lap.aux1[k] << ',' << lap.aux2[k] << ',' << converted << '\n';
    }
}

nlohmann::ordered_json summary(const RpyDataClass& lap) {
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
    RpyDataClass data;
    int status = data.Read(*replay->drivers, *driver, *slot, *session);
    if (status == RpyDataClass::kOk) status = data.Process(1);
    if (status != RpyDataClass::kOk) {
        context.err << kLapDataReadError << "\nstatus " << status << ": " << RpyDataClass::statusText(status)
                    << "\n";
        return kExitFailure;
    }
    if (parsed->has("--csv")) {
        printCsv(context.out, data);
    } else {
        printJsonAsText(context.out, summary(data));
    }
    return kExitOk;
}

}  // namespace

void registerLapCommand(CliApp& app) {
    app.add({"lap", "FILE --driver N --session practice|qualifying|warmup|race --lap SLOT [--csv]",
             "read and process one lap: its summary, or with --csv one row per sample", lap});
}
