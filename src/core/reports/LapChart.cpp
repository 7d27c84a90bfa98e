#include "reports/LapChart.h"

#include <algorithm>
#include <charconv>

#include "common/TimeText.h"
#include "replay/DriverTable.h"

std::string lapFlagNames(std::uint32_t word) {
    std::string names;
    const auto add = [&](const char* name) { names += (names.empty() ? "" : ", ") + std::string(name); };
    if (word & kOffTrackLap) add("Off the track");
    if (word & kIncompleteLap) add("Incomplete lap");
    if (word & kBlackFlagLap) add("Black flag");
    if (word & 0x2F000000) add("Unknown incident");
    return names;
}

std::string lapChart(const ReportInput& in) {
    static constexpr const char* kNoLaps[] = {"\r\nNo practice laps\r\n", "\r\nNo qualifying laps\r\n",
                                              "\r\nNo Warmup laps\r\n", "\r\nNo race laps\r\n"};
    static constexpr const char* kHeadings[] = {"Practice laps\r\n", "Qualifying laps\r\n", "Warmup laps\r\n",
                                                "Race laps\r\n"};
    const DriverTable& drivers = *in.drivers;
    std::string text = reportHeaderLine(*in.header);
    text.reserve(32 * kLapSlots * static_cast<std::size_t>(std::max<int>(drivers.driverCount, 1)));
    for (int driver = 0; driver < drivers.driverCount && driver < kMaxDrivers; ++driver) {
        text += "\r\n\r\nDriver: " + drivers.driverName(driver) + "\r\n";
        for (int session = 0; session < kSessionCount; ++session) {
            const int count = drivers.lapCount(session, driver);
            if (count == 0) {
                text += kNoLaps[session];
                continue;
            }
            text += std::string("\r\n") + kHeadings[session];
            // The race lists lap 0 as well: the start to the first crossing of the line.
            for (int lap = session == kRace ? 0 : 1; lap <= count; ++lap) {
                const std::uint32_t word = drivers.lapEntry(session, driver, lap);
                char number[16];
                text.append("Lap ")
                    .append(number, std::to_chars(number, number + sizeof number, lap).ptr)
                    .append(": ");
                appendLapTime(text, word);
                if (lapFlags(word)) text.append(" [").append(lapFlagNames(word)).append("]");
                text.append("\r\n");
            }
        }
    }
    text.append("\r\n\r\n").append(kReportFooter);
    return text;
}
