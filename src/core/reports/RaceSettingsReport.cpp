#include "reports/RaceSettingsReport.h"

#include "common/PathText.h"
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
    const ReplayHeader& header = *in.header;
    static constexpr const char* kDamage[] = {"None", "??????", "Moderate", "Realistic"};
    const bool manual = header.manualWeather == 1;
    const std::string file = pathString(header.fileName);
    const std::string fileName = file.substr(file.find_last_of("/\\") + 1);

    std::string text = reportHeaderLine(header) + "\r\n\r\n";
    text += settingsLine("_________________Rules_________________", "",
                         "________________Weather________________", "");
    text += settingsLine(
        "Damage:", header.damageLevel >= 0 && header.damageLevel <= 3 ? kDamage[header.damageLevel] : "",
        "Realistic:", manual ? "No" : "Yes");
    text += settingsLine("Full pace lap:", yesNo(header.fullPaceLap),
                         "Conditions:", manual ? (header.cloudy ? "Cloudy" : "Clear") : "");
    text += settingsLine("Yellow flags:", yesNo(header.yellowFlags),
                         "Windspeed:", manual ? std::to_string(header.windSpeed) + " mph" : "");
    text += settingsLine("Double file restarts:", yesNo(header.doubleFileRestarts),
                         "Wind direction:", manual ? header.windDirection : "");
    text += settingsLine("Fixed setup:", yesNo(header.fixedSetup),
                         "Temperature:", manual ? std::to_string(header.temperature) + " \xB0" + "F" : "");
    text += settingsLine("Force incar view:", yesNo(header.forceInCarView), "", "");
    text +=
        settingsLine("Force smoke:", yesNo(header.forceSmoke), "_________________Misc__________________", "");
    text += settingsLine("", "", "Carset:", header.carSet);
    text += settingsLine("____________Weekend Format_____________", "",
                         "Game mode:", header.arcadeMode ? "Arcade" : "Simulation");
    text += settingsLine(
        "Practice:",
        header.practiceMinutes == -1 ? "No limit" : std::to_string(header.practiceMinutes) + " minutes",
        "Quick-race:", yesNo(header.quickRace));
    text += settingsLine("Qualifying:", std::to_string(header.qualifyingLaps) + " lap(s)",
                         "Merrownet-race:", yesNo(in.drivers->onlineRace));
    text += settingsLine("Warmup:", std::to_string(header.warmupMinutes) + " minutes",
                         "AI strength:", std::to_string(header.aiStrength) + " %");
    text += settingsLine("Number of race laps:", std::to_string(header.raceLaps) + " lap(s)",
                         "Number of cars(AI):",
                         std::to_string(in.drivers->driverCount) + "(" + std::to_string(header.aiCars) + ")");
    text += settingsLine("% of full race distance:", std::to_string(header.raceDistancePercent) + " %",
                         "Replay Filename:", fileName);
    text.append("\r\n\r\n").append(kReportFooter);
    return text;
}
