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

json headerJson(const ReplayHeader& header) {
    return {
        {"fileName", pathText(header.fileName)},
        {"formatVersion", header.formatVersion},
        {"fileLength", header.fileLength},
        {"frameCount", header.frameCount},
        {"sessionInProgress", sessionKey(header.sessionInProgress)},
        {"ownerFirstName", win1252ToUtf8(header.ownerFirstName)},
        {"ownerLastName", win1252ToUtf8(header.ownerLastName)},
        {"trackName", win1252ToUtf8(header.trackName)},
        {"carSet", win1252ToUtf8(header.carSet)},
        {"aiCars", header.aiCars},
        {"quickRace", asNumber(header.quickRace)},
        {"raceLaps", header.raceLaps},
        {"qualifyingLaps", header.qualifyingLaps},
        {"raceDistancePercent", header.raceDistancePercent},
        {"practiceMinutes", header.practiceMinutes},
        {"warmupMinutes", header.warmupMinutes},
        {"aiStrength", header.aiStrength},
        {"cloudy", asNumber(header.cloudy)},
        {"windSpeed", header.windSpeed},
        {"windDirection", header.windDirection},
        {"temperature", header.temperature},
        {"manualWeather", header.manualWeather},
        {"arcadeMode", asNumber(header.arcadeMode)},
        {"fullPaceLap", asNumber(header.fullPaceLap)},
        {"doubleFileRestarts", asNumber(header.doubleFileRestarts)},
        {"yellowFlags", asNumber(header.yellowFlags)},
        {"damageLevel", header.damageLevel},
        {"fixedSetup", asNumber(header.fixedSetup)},
        {"forceInCarView", asNumber(header.forceInCarView)},
        {"forceSmoke", asNumber(header.forceSmoke)},
    };
}

json lapsJson(const DriverTable& drivers, int session, int driver) {
    json laps = json::array();
    for (int slot = 0; slot <= drivers.lapCount(session, driver); ++slot) {
        const std::uint32_t entry = drivers.lapEntry(session, driver, slot);
        laps.push_back({{"slot", slot},
                        {"lapEntry", entry},
                        {"duration", lapDuration(entry)},
                        {"flags", lapFlags(entry)},
                        {"selectable", drivers.selectable(session, driver, slot)}});
    }
    return laps;
}

json driversJson(const DriverTable& drivers) {
    static constexpr const char* kKinds[] = {"Human", "AI-car", "Non-competing"};
    json list = json::array();
    for (int driver = 0; driver < drivers.driverCount; ++driver) {
        json sessions = json::object();
        for (int session = 0; session < kSessionCount; ++session) {
            if (drivers.sessionPresent[session])
                sessions[sessionKey(session)] = {{"lapCount", drivers.lapCount(session, driver)},
                                                 {"laps", lapsJson(drivers, session, driver)}};
        }
        list.push_back({{"index", driver},
                        {"firstName", win1252ToUtf8(drivers.driver(driver).firstName)},
                        {"lastName", win1252ToUtf8(drivers.driver(driver).lastName)},
                        {"carNumber", drivers.driver(driver).carNumber},
                        {"driverKind", kKinds[drivers.driver(driver).kind]},
                        {"chatNick", win1252ToUtf8(drivers.driver(driver).chatNick)},
                        {"carName", win1252ToUtf8(drivers.driver(driver).carName)},
                        {"driverId", drivers.driver(driver).driverId},
                        {"sessions", sessions}});
    }
    json windows = json::object();
    json present = json::array();
    for (int session = 0; session < kSessionCount; ++session) {
        if (drivers.sessionPresent[session]) present.push_back(sessionKey(session));
        windows[sessionKey(session)] = {{"windowStart", drivers.windowStart[session]},
                                        {"windowEnd", drivers.windowEnd[session]}};
    }
    return {{"fileDate", drivers.fileDate},
            {"driverCount", drivers.driverCount},
            {"loadedCount", drivers.driverCount},  // a table is read whole or not at all
            {"ownerIndex", drivers.ownerIndex},
            {"ownerSearched", asNumber(drivers.ownerSearched)},
            {"quickRace", asNumber(drivers.quickRace)},
            {"onlineRace", asNumber(drivers.onlineRace)},
            {"lastFrameLength", drivers.lastFrameLength},
            {"telemetryOffset", drivers.telemetryOffset},
            {"sessionPresent", present},
            {"firstMarkerSession", sessionKey(drivers.firstMarkerSession)},
            {"lastMarkerSession", sessionKey(drivers.lastMarkerSession)},
            {"windows", windows},
            {"drivers", list}};
}

int info(const CliArgs& args, CliContext& context) {
    if (args.operands.size() != 1) return usageError(context.err, "info takes one replay file");
    const auto replay = loadReplayFile(pathFromString(args.operands.front()), context.err);
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
