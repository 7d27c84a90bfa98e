#include "reports/RaceSettingsReport.h"

#include "common/YesNo.h"
#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"

namespace {

// Texts inserted into a line of 81 blanks at columns 0, 25, 40 and 65, in that order (a text
// starts at its column while the texts before it are shorter than the gap); the line is cut to 80.
std::string settingsLine(const std::string& left, const std::string& leftValue, const std::string& right,
                         const std::string& rightValue) {
    std::string line(81, ' ');
    line.insert(0, left);
    line.insert(25, leftValue);
    line.insert(40, right);
    line.insert(65, rightValue);
    return line.substr(0, 80) + "\r\n";
}

}  // namespace

std::string raceSettingsReport(const ReportInput& in) {
    const ReplayHeader& h = *in.header;
    static constexpr const char* kDamage[] = {"None", "??????", "Moderate", "Realistic"};
    const bool manual = h.manualWeather == 1;
    const std::string file = h.fileName.string();
    const std::string fileName = file.substr(file.find_last_of("/\\") + 1);

    std::string text = reportHeaderLine(h) + "\r\n\r\n";
    text += settingsLine("_________________Rules_________________", "",
                         "________________Weather________________", "");
    text += settingsLine("Damage:", h.damageLevel >= 0 && h.damageLevel <= 3 ? kDamage[h.damageLevel] : "",
                         "Realistic:", manual ? "No" : "Yes");
    text += settingsLine("Full pace lap:", yesNo(h.fullPaceLap),
                         "Conditions:", manual ? (h.cloudy ? "Cloudy" : "Clear") : "");
    text += settingsLine("Yellow flags:", yesNo(h.yellowFlags),
                         "Windspeed:", manual ? std::to_string(h.windSpeed) + " mph" : "");
    text += settingsLine("Double file restarts:", yesNo(h.doubleFileRestarts),
                         "Wind direction:", manual ? h.windDirection : "");
    text += settingsLine("Fixed setup:", yesNo(h.fixedSetup),
                         "Temperature:", manual ? std::to_string(h.temperature) + " \xB0" + "F" : "");
    text += settingsLine("Force incar view:", yesNo(h.forceInCarView), "", "");
    text += settingsLine("Force smoke:", yesNo(h.forceSmoke), "_________________Misc__________________", "");
    text += settingsLine("", "", "Carset:", h.carSet);
    text += settingsLine("____________Weekend Format_____________", "",
                         "Game mode:", h.arcadeMode ? "Arcade" : "Simulation");
    text += settingsLine(
        "Practice:", h.practiceMinutes == -1 ? "No limit" : std::to_string(h.practiceMinutes) + " minutes",
        "Quick-race:", yesNo(h.quickRace));
    text += settingsLine("Qualifying:", std::to_string(h.qualifyingLaps) + " lap(s)",
                         "Merrownet-race:", yesNo(in.drivers->onlineRace));
    text += settingsLine("Warmup:", std::to_string(h.warmupMinutes) + " minutes",
                         "AI strength:", std::to_string(h.aiStrength) + " %");
    text +=
        settingsLine("Number of race laps:", std::to_string(h.raceLaps) + " lap(s)", "Number of cars(AI):",
                     std::to_string(in.drivers->driverCount) + "(" + std::to_string(h.aiCars) + ")");
    text += settingsLine("% of full race distance:", std::to_string(h.raceDistancePercent) + " %",
                         "Replay Filename:", fileName);
    text.append("\r\n\r\n").append(kReportFooter);
    return text;
}
