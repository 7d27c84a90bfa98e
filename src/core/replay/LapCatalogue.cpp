#include "replay/LapCatalogue.h"

#include <cstdlib>

#include "common/TimeText.h"
#include "common/YesNo.h"
#include "replay/DriverTable.h"
#include "replay/LapChoice.h"
#include "replay/LapTelemetry.h"
#include "replay/ReplayHeader.h"

namespace {

constexpr const char* kSessionTitles[] = {"Practice Laps", "Qualifying Laps", "Warmup Laps", "Race Laps"};
constexpr const char* kDriverTypes[] = {"Human", "AI-car", "Non-competing"};

}  // namespace

std::string lapLabel(int slot, std::uint32_t entry) {
    if (entry == kUnusedSlot) return "No time";
    std::string label = slot == 0 ? "Time before start/finish" : "Lap " + std::to_string(slot);
    label += ": " + formatElapsedTime(lapDuration(entry));
    if (lapFlags(entry) != 0) label += " [" + std::to_string(lapFlags(entry)) + "]";
    return label;
}

std::vector<DriverItem> buildLapTree(const DriverTable& drivers, bool onlySelectable) {
    std::vector<DriverItem> tree;
    for (int driverIndex = 0; driverIndex < drivers.driverCount && driverIndex < kMaxDrivers; ++driverIndex) {
        DriverItem driver{
            driverIndex,
            drivers.driverName(driverIndex) + " #" + std::to_string(drivers.driver(driverIndex).carNumber),
            {}};
        for (int sessionIndex = 0; sessionIndex < kSessionCount; ++sessionIndex) {
            if (!drivers.sessionPresent[sessionIndex]) continue;
            SessionItem session{sessionIndex, kSessionTitles[sessionIndex], {}};
            for (int slot = 0; slot <= drivers.lapCount(sessionIndex, driverIndex); ++slot) {
                const bool selectable = drivers.selectable(sessionIndex, driverIndex, slot) != 0;
                if (onlySelectable && !selectable) continue;
                session.laps.push_back(
                    {slot, lapLabel(slot, drivers.lapEntry(sessionIndex, driverIndex, slot)), selectable});
            }
            driver.sessions.push_back(std::move(session));
        }
        tree.push_back(std::move(driver));
    }
    return tree;
}

std::string incidentText(const std::string& label) {
    const std::size_t open = label.find('[');
    if (open == std::string::npos) return "None reported";
    const int flags = std::atoi(label.c_str() + open + 1);
    std::string words;
    const auto add = [&](const char* word) { words += (words.empty() ? "" : ", ") + std::string(word); };
    if (flags & 64) add("Off track");
    if (flags & 16) add("Incomplete lap");
    if (flags & 128) add("Black flag");
    if (flags & (1 | 2 | 4 | 8 | 32)) add("Unknown");
    return words;
}

SelectedLapInfo selectedLapInfo(const DriverTable& drivers, int driver, int session, const LapItem* lap) {
    SelectedLapInfo info;
    if (driver >= 0 && driver < drivers.driverCount && driver < kMaxDrivers) {
        info.driverName = drivers.driverName(driver);
        info.type = kDriverTypes[drivers.driver(driver).kind % 3];
        info.chatNick = drivers.driver(driver).chatNick;
        info.car = drivers.driver(driver).carName;
    }
    if (!lap) {
        info.lapTime = "None selected";
        info.selectable = "No";
        return info;
    }
    info.lapTime = lap->label.substr(lap->label.find(": ") + 2);
    info.incidents = incidentText(lap->label);
    info.selectable = yesNo(lap->selectable);
    info.session = sessionName(session);
    return info;
}

std::vector<std::pair<std::string, std::string>> describeReplay(const ReplayHeader& header,
                                                                const DriverTable& drivers) {
    static constexpr const char* kDamage[] = {"None", "??????", "Moderate", "Realistic"};
    const auto minutesText = [](int minutes) {
        return minutes == -1 ? std::string("No limit") : std::to_string(minutes);
    };
    return {
        {"Saved by:", header.ownerFirstName + " " + header.ownerLastName},
        {"Track:", header.trackName},
        {"Carset:", header.carSet},
        {"AI-cars:", std::to_string(header.aiCars)},
        {"Length:", formatReplayLength(header.frameCount)},
        {"No of cars:", std::to_string(drivers.driverCount)},
        {"Race:", yesNo(drivers.sessionPresent[kRace])},
        {"Qual:", yesNo(drivers.sessionPresent[kQualifying])},
        {"Practice:", yesNo(drivers.sessionPresent[kPractice])},
        {"Warmup:", yesNo(drivers.sessionPresent[kWarmup])},
        {"Conditions:", header.cloudy ? "Cloudy" : "Clear"},
        {"Windspeed:", std::to_string(header.windSpeed)},
        {"Wind dir:", header.windDirection},
        {"Temp:", std::to_string(header.temperature)},
        {"Practice (min):", minutesText(header.practiceMinutes)},
        {"Qual (laps)", std::to_string(header.qualifyingLaps)},
        {"Warmup (min):", minutesText(header.warmupMinutes)},
        {"Race (laps):", std::to_string(header.raceLaps)},
        {"Damage:", kDamage[header.damageLevel & 3]},
        {"Yellow flags:", yesNo(header.yellowFlags)},
        {"Double file:", yesNo(header.doubleFileRestarts)},
        {"Full pace:", yesNo(header.fullPaceLap)},
        {"AI Strength:", std::to_string(header.aiStrength)},
        {"Realistic:", yesNo(header.manualWeather != 1)},
        {"Race (%):", std::to_string(header.raceDistancePercent)},
        {"Game mode:", header.arcadeMode ? "Arcade" : "Simulation"},
        {"Fixed setup:", yesNo(header.fixedSetup)},
        {"Force incar:", yesNo(header.forceInCarView)},
        {"Force smoke:", yesNo(header.forceSmoke)},
        {"Quick race:", yesNo(header.quickRace)},
        {"Merrownet:", yesNo(drivers.onlineRace)},
    };
}

std::optional<LapChoiceRefusal> refuseLapChoice(const LapItem* lap) {
    if (!lap) return LapChoiceRefusal{"Choose a lap to view!", "No lap choosen!"};
    if (!lap->selectable) {
        return LapChoiceRefusal{"Data for this lap is not stored in the replay file\nor lap isn't complete.",
                                "Not a valid lap!"};
    }
    return std::nullopt;
}

std::string qualityReport(const LapTelemetry& lap, std::uint32_t lapEntry, QualityReportForm form) {
    // A read that yields no samples at all shows 0 %.
    const int quality =
        lap.sampleCount > 0
            ? static_cast<int>(100 - static_cast<double>(lap.missingSamples) / lap.sampleCount * 100)
            : 0;
    std::string text = "Online quality of lapdata: " + std::to_string(quality) +
                       "%\nLargest online gap: " + std::to_string(lap.longestGap / 36) + " seconds";
    if (static_cast<std::int64_t>(lap.sampleCount) * 1000 / 36 < lapDuration(lapEntry)) {
        text += "\n\nPossible partly loss of data due to accelerated time\nor other disturbance.";
    }
    if (lap.filledSamples == 0 && quality > 0) {
        text += "This laps seems to be a lap set under\r\naccelerated time and contains no data.";
        if (form == QualityReportForm::LoadSequence) {
            text += "\nThe plot and graph will not work OK with this lap,\n but you can run the reports.";
        }
    }
    if (form == QualityReportForm::LoadSequence) {
        text += "\n\nIf you don't wish to see this report - \nturn it off in File->Settings";
    }
    return text;
}
