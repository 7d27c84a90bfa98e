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

// The running order after each lap: row 0 the qualifying order (empty without qualifying), row L
// the drivers with at least L laps by their time at the end of lap L.
class RunningOrder {
public:
    RunningOrder(const DriverTable& d, const RaceTimes& times)
        : rows_(static_cast<std::size_t>(times.mostLaps()) + 1) {
        const int n = times.drivers();
        if (d.sessionPresent[kQualifying]) {
            for (const RankedDriver& r : sessionRanking(d, kQualifying))
                rows_[0].push_back(r.driver);
        }
        for (int L = 1; L <= times.mostLaps(); ++L) {
            auto& row = rows_[static_cast<std::size_t>(L)];
            for (int i = 0; i < n; ++i) {
                if (times.laps(i) >= L) row.push_back(i);
            }
            std::stable_sort(row.begin(), row.end(),
                             [&](int a, int b) { return times.at(a, L) < times.at(b, L); });
        }
        positions_.assign(rows_.size(), std::vector<int>(static_cast<std::size_t>(n), kRowSize));
        for (std::size_t L = 0; L < rows_.size(); ++L) {
            for (std::size_t p = rows_[L].size(); p-- > 0;)
                positions_[L][static_cast<std::size_t>(rows_[L][p])] = static_cast<int>(p);
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
    const DriverTable& d = *in.drivers;
    if (!d.sessionPresent[kRace]) return "This replay file does not contain race data.";
    const RaceTimes race(d);
    const int n = race.drivers();
    const bool qualifying = d.sessionPresent[kQualifying];
    const auto count = [&](int i) { return race.laps(i); };
    const auto word = [&](int i, int j) { return race.entry(i, j); };
    const auto name = [&](int i) { return d.driverName(i); };
    const int laps = race.mostLaps();
    const RunningOrder order(d, race);

    std::string text =
        reportHeaderLine(*in.header) + "\r\n\r\nLAP BY LAP RACE REPORT\r\n\r\nStart of the race:\r\n";
    for (int i = 0; i < n; ++i) {
        if (word(i, 0) == kUnusedSlot) text += name(i) + " fails to make the start.\r\n";
    }
    if (qualifying && order.at(0, 0) != kAbsent) {
        text += "Polesitter " + name(order.at(0, 0)) + " leads the field as the flag drops.\r\n";
    }
    text += "\r\n";

    // The fastest lap: the first complete lap with the strictly smallest time.
    int fastestDriver = -1, fastestLap = -1;
    std::uint32_t fastestWord = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 1; j <= count(i); ++j) {
            const std::uint32_t w = word(i, j);
            if (!(w & kIncompleteLap) && (fastestDriver < 0 || lapDuration(w) < lapDuration(fastestWord))) {
                fastestDriver = i, fastestLap = j, fastestWord = w;
            }
        }
    }
    const int winner = order.at(laps, 0);
    const std::uint32_t winnerTime = laps > 0 ? race.at(winner, laps) : 0;

    for (int L = 1; L <= laps; ++L) {
        std::string block = "Lap " + std::to_string(L) + ":\r\n";
        if (in.offTrackLines) {
            for (int i = 0; i < n; ++i) {
                if (lapFlags(word(i, L)) == 0x40) block += name(i) + " goes off the track but rejoins.\r\n";
            }
        }
        for (int k = kRowSize - 1; k >= 0; --k) {
            const int driver = order.at(L, k);
            if (driver == kAbsent || order.at(L - 1, k) == driver || (L == 1 && !qualifying) ||
                count(driver) < L)
                continue;
            const int j = order.positionOf(L - 1, driver);
            if (j == 0 || j == kRowSize) continue;
            int marker = 1;
            for (int m = j - 1; m >= 0; --m) {
                const int passed = order.at(L - 1, m);
                const int now = order.positionOf(L, passed);
                if (now > k) {
                    block += name(driver) + " overtakes " + name(passed) + ".\r\n";
                    marker = now;
                }
            }
            if (marker != 1) {
                block +=
                    name(driver) + " is in position " + std::to_string(k + 1) + " at the end of the lap.\r\n";
            }
        }
        const int leader = order.at(L, 0), previousLeader = order.at(L - 1, 0);
        if (leader != previousLeader && (L > 1 || qualifying) && previousLeader != kAbsent) {
            block +=
                name(previousLeader) + " loses the lead.\r\nThe new race leader is " + name(leader) + ".\r\n";
        }
        for (int i = 0; i < n; ++i) {
            if (count(i) == L - 1 && word(i, 0) != kUnusedSlot && (L > 1 || qualifying) &&
                race.at(i, L - 1) < winnerTime) {
                block += name(i) + " retires.\r\n";
            }
        }
        if (L == fastestLap) {
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
        if (n > 1 && second != kAbsent && third != kAbsent) {
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
