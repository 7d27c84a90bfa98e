#include <nlohmann/json.hpp>

#include "CliArgs.h"
#include "Commands.h"
#include "JsonText.h"
#include "ReplayLoading.h"
#include "common/PathText.h"
#include "common/Text1252.h"

namespace {

using json = nlohmann::ordered_json;

// These switches have always been printed as 1 and 0, which scripts read.
int asNumber(bool flag) {
    return flag ? 1 : 0;
}

json headerJson(const ReplayHeader& h) {
    return {
        {"fileName", pathText(h.fileName)},
        {"formatVersion", h.formatVersion},
        {"fileLength", h.fileLength},
        {"frameCount", h.frameCount},
        {"sessionInProgress", sessionKey(h.sessionInProgress)},
        {"ownerFirstName", win1252ToUtf8(h.ownerFirstName)},
        {"ownerLastName", win1252ToUtf8(h.ownerLastName)},
        {"trackName", win1252ToUtf8(h.trackName)},
        {"carSet", win1252ToUtf8(h.carSet)},
        {"aiCars", h.aiCars},
        {"quickRace", asNumber(h.quickRace)},
        {"raceLaps", h.raceLaps},
        {"qualifyingLaps", h.qualifyingLaps},
        {"raceDistancePercent", h.raceDistancePercent},
        {"practiceMinutes", h.practiceMinutes},
        {"warmupMinutes", h.warmupMinutes},
        {"aiStrength", h.aiStrength},
        {"cloudy", asNumber(h.cloudy)},
        {"windSpeed", h.windSpeed},
        {"windDirection", h.windDirection},
        {"temperature", h.temperature},
        {"manualWeather", h.manualWeather},
        {"arcadeMode", asNumber(h.arcadeMode)},
        {"fullPaceLap", asNumber(h.fullPaceLap)},
        {"doubleFileRestarts", asNumber(h.doubleFileRestarts)},
        {"yellowFlags", asNumber(h.yellowFlags)},
        {"damageLevel", h.damageLevel},
        {"fixedSetup", asNumber(h.fixedSetup)},
        {"forceInCarView", asNumber(h.forceInCarView)},
        {"forceSmoke", asNumber(h.forceSmoke)},
    };
}

json lapsJson(const DriverTable& d, int session, int driver) {
    json laps = json::array();
    for (int slot = 0; slot <= d.lapCount(session, driver); ++slot) {
        const std::uint32_t entry = d.lapEntry(session, driver, slot);
        laps.push_back({{"slot", slot},
                        {"lapEntry", entry},
                        {"duration", lapDuration(entry)},
                        {"flags", lapFlags(entry)},
                        {"selectable", d.selectable(session, driver, slot)}});
    }
    return laps;
}

json driversJson(const DriverTable& d) {
    static constexpr const char* kKinds[] = {"Human", "AI-car", "Non-competing"};
    json list = json::array();
    for (int i = 0; i < d.driverCount; ++i) {
        json sessions = json::object();
        for (int s = 0; s < kSessionCount; ++s) {
            if (d.sessionPresent[s])
                sessions[sessionKey(s)] = {{"lapCount", d.lapCount(s, i)}, {"laps", lapsJson(d, s, i)}};
        }
        list.push_back({{"index", i},
                        {"firstName", win1252ToUtf8(d.driver(i).firstName)},
                        {"lastName", win1252ToUtf8(d.driver(i).lastName)},
                        {"carNumber", d.driver(i).carNumber},
                        {"driverKind", kKinds[d.driver(i).kind]},
                        {"chatNick", win1252ToUtf8(d.driver(i).chatNick)},
                        {"carName", win1252ToUtf8(d.driver(i).carName)},
                        {"driverId", d.driver(i).driverId},
                        {"sessions", sessions}});
    }
    json windows = json::object();
    json present = json::array();
    for (int s = 0; s < kSessionCount; ++s) {
        if (d.sessionPresent[s]) present.push_back(sessionKey(s));
        windows[sessionKey(s)] = {{"windowStart", d.windowStart[s]}, {"windowEnd", d.windowEnd[s]}};
    }
    return {{"fileDate", d.fileDate},
            {"driverCount", d.driverCount},
            {"loadedCount", d.driverCount},  // a table is read whole or not at all
            {"ownerIndex", d.ownerIndex},
            {"ownerSearched", asNumber(d.ownerSearched)},
            {"quickRace", asNumber(d.quickRace)},
            {"onlineRace", asNumber(d.onlineRace)},
            {"lastFrameLength", d.lastFrameLength},
            {"telemetryOffset", d.telemetryOffset},
            {"sessionPresent", present},
            {"firstMarkerSession", sessionKey(d.firstMarkerSession)},
            {"lastMarkerSession", sessionKey(d.lastMarkerSession)},
            {"windows", windows},
            {"drivers", list}};
}

int info(const CliArgs& args, CliContext& context) {
    if (args.operands.size() != 1) return usageError(context.err, "info takes one replay file");
    const auto replay = loadReplayFile(args.operands.front(), context.err);
    if (!replay) return kExitFailure;
    printDocument(args, context,
                  {{"header", headerJson(*replay->header)}, {"driverTable", driversJson(*replay->drivers)}});
    return kExitOk;
}

}  // namespace

void registerInfoCommand(CliApp& app) {
    app.add({"info",
             "FILE",
             "show a replay's header, drivers, sessions and every lap slot",
             {kJsonOption},
             info});
}
