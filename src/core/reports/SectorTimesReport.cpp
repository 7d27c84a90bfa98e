#include "reports/SectorTimesReport.h"

#include <array>
#include <cstdint>
#include <optional>

#include "common/TimeText.h"
#include "document/ReplayDocument.h"

namespace {

std::string column(const std::optional<std::uint32_t>& ms) {
    return alignRight(ms ? formatLapTime(*ms) : std::string("No time"), 10);
}

}  // namespace

bool sectorTimesReport(const ReplayDocument& document, const ReportSink& sink) {
    if (!sink("SECTOR TIMES\r\n\r\nLap                   Sector 1  Sector 2  Sector 3  Sector 4   "
              "Laptime\r\n")) {
        return false;
    }
    std::array<std::uint32_t, 4> best;
    best.fill(0xFFFFFFFF);
    for (const ReplayDocument::Slot& slot : document.slots()) {
        if (!slot.inUse || !slot.lapData) continue;
        const std::uint32_t lapTime = lapDuration(slot.lapEntry());
        const DriverRecord& driver = slot.driver();
        std::string line =
            (driver.firstName.substr(0, 1) + ". " + driver.lastName + std::string(27, ' ')).substr(0, 20);
        // Split points at 25, 50 and 75 % of the lap; a sector is unknown without them (no track)
        // or when it would be negative.
        const std::array<std::int64_t, 5> points = {0, slot.lapData->splitTime1, slot.lapData->splitTime2,
                                                    slot.lapData->splitTime3, lapTime};
        const bool measured = points[1] > 0 && points[2] > 0 && points[3] > 0;
        for (std::size_t sectorIndex = 0; sectorIndex < 4; ++sectorIndex) {
            std::optional<std::uint32_t> sector;
            const std::int64_t value = points[sectorIndex + 1] - points[sectorIndex];
            if (measured && value >= 0) {
                sector = static_cast<std::uint32_t>(value);
                best[sectorIndex] = std::min(best[sectorIndex], *sector);
            }
            line += column(sector);
        }
        if (!sink(line + column(lapTime) + "\r\n")) return false;
    }
    std::optional<std::uint32_t> theoretical = 0;
    for (std::uint32_t sectorBest : best) {
        if (sectorBest == 0xFFFFFFFF)
            theoretical.reset();
        else if (theoretical)
            *theoretical += sectorBest;
    }
    return sink("\r\nTheoretically fastest laptime from the above laps combined: " +
                (theoretical ? formatLapTime(*theoretical) : std::string("No time")) +
                "\r\n\r\nGenerated with VELTRA4 Replay Analyser\r\n");
}
