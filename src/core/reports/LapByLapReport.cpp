#include "reports/LapByLapReport.h"

#include <algorithm>
#include <vector>

#include "common/TimeText.h"
#include "replay/DriverTable.h"
#include "reports/RaceTimes.h"
#include "reports/SessionReport.h"

namespace {

constexpr int kAbsent = 0xFFFF;
constexpr int kRowSize = 50;

// The running order after each lap: row 0 the qualifying order (empty without qualifying), the row
// of a lap the drivers with at least that many laps by their time at the end of that lap.
class RunningOrder {
public:
    RunningOrder(const DriverTable& drivers, const RaceTimes& times)
        : rows_(static_cast<std::size_t>(times.mostLaps()) + 1) {
        const int driverCount = times.drivers();
        if (drivers.sessionPresent[kQualifying]) {
            for (const RankedDriver& ranked : sessionRanking(drivers, kQualifying))
                rows_[0].push_back(ranked.driver);
        }
        for (int lap = 1; lap <= times.mostLaps(); ++lap) {
            auto& row = rows_[static_cast<std::size_t>(lap)];
            for (int driver = 0; driver < driverCount; ++driver) {
                if (times.laps(driver) >= lap) row.push_back(driver);
            }
            std::stable_sort(row.begin(), row.end(), [&](int first, int second) {
                return times.at(first, lap) < times.at(second, lap);
            });
        }
        positions_.assign(rows_.size(), std::vector<int>(static_cast<std::size_t>(driverCount), kRowSize));
        for (std::size_t lap = 0; lap < rows_.size(); ++lap) {
            for (std::size_t position = rows_[lap].size(); position-- > 0;)
                positions_[lap][static_cast<std::size_t>(rows_[lap][position])] = static_cast<int>(position);
        }
    }

    // The driver at a position, kAbsent when none.
    int at(int lap, int position) const {
        const auto& row = rows_[static_cast<std::size_t>(lap)];
        return position < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(position)] : kAbsent;
    }
    // A driver's position in a row: 0 for the first, else the first position holding him, 50 when
    // he is not in it.
    int positionOf(int lap, int driver) const {
        return positions_[static_cast<std::size_t>(lap)][static_cast<std::size_t>(driver)];
    }

private:
    std::vector<std::vector<int>> rows_;
    std::vector<std::vector<int>> positions_;  // per row, each driver's position (50 when absent)
};

}  // namespace

std::string lapByLapReport(const ReportInput& in) {
    const DriverTable& drivers = *in.drivers;
    if (!drivers.sessionPresent[kRace]) return "This replay file does not contain race data.";
    const RaceTimes race(drivers);
    const int driverCount = race.drivers();
    const bool qualifying = drivers.sessionPresent[kQualifying];
    const auto count = [&](int driver) { return race.laps(driver); };
    const auto word = [&](int driver, int lap) { return race.entry(driver, lap); };
    const auto name = [&](int driver) { return drivers.driverName(driver); };
    const int laps = race.mostLaps();
    const RunningOrder order(drivers, race);

    std::string text =
        reportHeaderLine(*in.header) + "\r\n\r\nLAP BY LAP RACE REPORT\r\n\r\nStart of the race:\r\n";
    for (int driver = 0; driver < driverCount; ++driver) {
        if (word(driver, 0) == kUnusedSlot) text += name(driver) + " fails to make the start.\r\n";
    }
    if (qualifying && order.at(0, 0) != kAbsent) {
        text += "Polesitter " + name(order.at(0, 0)) + " leads the field as the flag drops.\r\n";
    }
    text += "\r\n";

    // The fastest lap: the first complete lap with the strictly smallest time.
    int fastestDriver = -1, fastestLap = -1;
    std::uint32_t fastestWord = 0;
    for (int driver = 0; driver < driverCount; ++driver) {
        for (int lap = 1; lap <= count(driver); ++lap) {
            const std::uint32_t lapWord = word(driver, lap);
            if (!(lapWord & kIncompleteLap) &&
                (fastestDriver < 0 || lapDuration(lapWord) < lapDuration(fastestWord))) {
                fastestDriver = driver, fastestLap = lap, fastestWord = lapWord;
            }
        }
    }
    const int winner = order.at(laps, 0);
    const std::uint32_t winnerTime = laps > 0 ? race.at(winner, laps) : 0;

    for (int lap = 1; lap <= laps; ++lap) {
        std::string block = "Lap " + std::to_string(lap) + ":\r\n";
        if (in.offTrackLines) {
            for (int driver = 0; driver < driverCount; ++driver) {
                if (lapFlags(word(driver, lap)) == 0x40)
                    block += name(driver) + " goes off the track but rejoins.\r\n";
            }
        }
        for (int position = kRowSize - 1; position >= 0; --position) {
            const int driver = order.at(lap, position);
            if (driver == kAbsent || order.at(lap - 1, position) == driver || (lap == 1 && !qualifying) ||
                count(driver) < lap)
                continue;
            const int previousPosition = order.positionOf(lap - 1, driver);
            if (previousPosition == 0 || previousPosition == kRowSize) continue;
            int marker = 1;
            for (int passedPosition = previousPosition - 1; passedPosition >= 0; --passedPosition) {
                const int passed = order.at(lap - 1, passedPosition);
                const int now = order.positionOf(lap, passed);
                if (now > position) {
                    block += name(driver) + " overtakes " + name(passed) + ".\r\n";
                    marker = now;
                }
            }
            if (marker != 1) {
                block += name(driver) + " is in position " + std::to_string(position + 1) +
                         " at the end of the lap.\r\n";
            }
        }
        const int leader = order.at(lap, 0), previousLeader = order.at(lap - 1, 0);
        if (leader != previousLeader && (lap > 1 || qualifying) && previousLeader != kAbsent) {
            block +=
                name(previousLeader) + " loses the lead.\r\nThe new race leader is " + name(leader) + ".\r\n";
        }
        for (int driver = 0; driver < driverCount; ++driver) {
            if (count(driver) == lap - 1 && word(driver, 0) != kUnusedSlot && (lap > 1 || qualifying) &&
                race.at(driver, lap - 1) < winnerTime) {
                block += name(driver) + " retires.\r\n";
            }
        }
        if (lap == fastestLap) {
            block += "What would become the fastest lap of the race is set by " + name(fastestDriver) +
                     ".\r\nThe time is an impressive " + formatLapTime(fastestWord) + ".\r\n";
        }
        if (block.size() > 15) text += block + "\r\n";
    }

    text += "End of the race:\r\n";
    // Without a completed lap there is no winner to name.
    if (laps > 0) {
        text += name(winner) + " wins the race";
        const int second = order.at(laps, 1), third = order.at(laps, 2);
        if (driverCount > 1 && second != kAbsent && third != kAbsent) {
            text += " " + formatLapTime(race.at(second, laps) - winnerTime) + " ahead of " + name(second) +
                    ".\r\nLast of the podium finishers was " + name(third) + ",\r\nfinishing " +
                    formatLapTime(race.at(third, laps) - winnerTime) + " behind the winner.\r\n";
        }
    }
    text +=
        "\r\nFinishing order and last lap info is unofficial\r\n(Replay might have been saved before end of "
        "race)\r\n\r\n";
    text.append(kReportFooter);
    return text;
}
