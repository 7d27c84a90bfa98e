#include "reports/RaceReport.h"

#include <algorithm>
#include <set>
#include <vector>

#include "common/TimeText.h"
#include "replay/DriverTable.h"
#include "reports/RaceTimes.h"
#include "reports/SessionReport.h"

namespace {

constexpr std::uint32_t kNoRaceData = 0xCDCDCD;
constexpr std::uint32_t kPenalty = 3600000;  // a black-flag lap sorts behind everyone on the same lap

// The race's lap table and times, with the laps completed by the classification's leader: a lap
// under a black flag at the end of a driver's row does not count.
class RaceTable : public RaceTimes {
public:
    explicit RaceTable(const DriverTable& d) : RaceTimes(d) {
        for (int i = 0; i < drivers(); ++i) {
            const int lapsDone = laps(i);
            maxCompleted_ = std::max(maxCompleted_, penalised(i, lapsDone) ? lapsDone - 1 : lapsDone);
        }
    }

    bool penalised(int d, int lap) const { return lap > 0 && (entry(d, lap) & kBlackFlagLap); }
    int maxCompleted() const { return maxCompleted_; }

private:
    int maxCompleted_ = 0;
};

struct Classified {
    int driver;
    int position;
};

std::string lapTimeOrNone(std::uint32_t ms) {
    return ms == kNoTime ? "No time" : formatLapTime(ms);
}

}  // namespace

std::string raceReport(const ReportInput& in) {
    const DriverTable& drivers = *in.drivers;
    if (!drivers.sessionPresent[kRace]) return "This replay file does not contain race data.";
    const RaceTable race(drivers);
    const int leaderLaps = race.maxCompleted();
    const auto name = [&](int d) { return alignLeft(drivers.driverName(d), 32); };

    std::string text =
        reportHeaderLine(*in.header) + "\r\n\r\nRACE RESULTS (After " + std::to_string(leaderLaps) +
        " laps)\r\n\r\nPos No   Driver                           Laps   Race Time       Diff    Speed\r\n";

    // Classification by groups of equal lap counts, the most laps first. A driver whose raw count
    // exceeds the leader's laps (his last lap under a black flag, and nobody else got that far) is
    // classified in the leader's group with his penalty.
    std::vector<Classified> classified;
    bool footnote = false;
    std::uint32_t raceStart = 0, leaderKey = 0;
    for (int groupLaps = leaderLaps; groupLaps >= 0; --groupLaps) {
        struct Member {
            int driver;
            int laps;  // his own lap count
            bool penalised;
            std::uint32_t key;
        };
        std::vector<Member> group;
        for (int d = 0; d < race.drivers(); ++d) {
            const int lapsDone = race.laps(d);
            if (lapsDone != groupLaps && !(groupLaps == leaderLaps && lapsDone > leaderLaps)) continue;
            const bool pen = race.penalised(d, lapsDone);
            group.push_back({d, lapsDone, pen, (race.at(d, lapsDone) + (pen ? kPenalty : 0)) & 0xFFFFFF});
        }
        std::stable_sort(group.begin(), group.end(),
                         [](const Member& a, const Member& b) { return a.key < b.key; });
        for (const Member& m : group) {
            const int position = static_cast<int>(classified.size()) + 1;
            if (position == 1) raceStart = race.at(m.driver, 0);
            if (groupLaps == leaderLaps && &m == &group.front()) leaderKey = m.key;
            std::string raceTime;
            if (groupLaps == 0) {
                raceTime = race.at(m.driver, 0) == kNoRaceData ? "DidNotStart" : "0m00.000s";
            } else {
                raceTime = formatLapTime(race.at(m.driver, m.penalised ? m.laps - 1 : m.laps) - raceStart);
            }
            std::string difference;
            if (position == 1) {
                difference = std::string(10, ' ');
            } else if (groupLaps == leaderLaps) {
                difference =
                    groupLaps == 0 ? "No time" : formatLapTime(race.at(m.driver, m.laps) - leaderKey);
            } else {
                difference = std::to_string(leaderLaps - groupLaps + (m.penalised ? 1 : 0)) + " lap(s)";
                footnote = footnote || m.penalised;
            }
            const std::string speed =
                groupLaps == 0 ? std::string(7, ' ')
                               : formatSpeed(reportSpeed(m.laps * in.trackLength,
                                                         race.at(m.driver, m.laps) - raceStart, in.mph));
            text += alignRight(std::to_string(position), 2) + "  " +
                    alignRight(std::to_string(drivers.driver(m.driver).carNumber), 4) + " " + name(m.driver) +
                    " " + alignRight(std::to_string(m.penalised ? m.laps - 1 : m.laps), 4) + " " +
                    alignRight(raceTime, 11) + " " + alignRight(difference, 10) + (m.penalised ? "*" : " ") +
                    " " + alignRight(speed, 7) + "\r\n";
            classified.push_back({m.driver, position});
        }
    }
    if (footnote) {
        text +=
            "\r\n*=One lap penalty for finishing under black flag. If there are multiple\r\n"
            "non-served penalties more laps should be lost.\r\n";
    }
    text +=
        "\r\n\r\nRace results are unofficial\r\n(Replay might have been saved before end of race)\r\n\r\n";

    // Fastest laps: each driver's best complete race lap, the first lap to reach it.
    struct Fastest {
        int driver;
        std::uint32_t time;
        int lap;
    };
    std::vector<Fastest> fastest;
    for (int d = 0; d < race.drivers(); ++d) {
        Fastest f{d, kNoTime, 0};
        for (int j = 1; j <= race.laps(d); ++j) {
            const std::uint32_t lapEntry = race.entry(d, j);
            if (!(lapEntry & kIncompleteLap) && lapDuration(lapEntry) < f.time)
                f = {d, lapDuration(lapEntry), j};
        }
        fastest.push_back(f);
    }
    std::stable_sort(fastest.begin(), fastest.end(),
                     [](const Fastest& a, const Fastest& b) { return a.time < b.time; });
    text += "RACE FASTEST LAPS\r\n\r\nPos Driver                                 Time    Speed  Lap\r\n";
    for (std::size_t row = 0; row < fastest.size(); ++row) {
        const Fastest& f = fastest[row];
        const bool none = f.time == kNoTime;
        text += alignRight(std::to_string(row + 1), 2) + "  " + name(f.driver) + " " +
                alignRight(lapTimeOrNone(f.time), 10) + "  " +
                alignRight(none ? "" : formatSpeed(reportSpeed(in.trackLength, f.time, in.mph)), 7) + " " +
                alignRight(none ? "" : std::to_string(f.lap), 4) + "\r\n";
    }

    // Leaders: on each lap the driver with the smallest crossing time among those who did the lap.
    const int mostLaps = race.mostLaps();
    std::vector<int> ledLaps(static_cast<std::size_t>(race.drivers()), 0);
    text += "\r\n\r\nLEADERS\r\n\r\nDriver                           Laps\r\n";
    int stints = 0, previous = -1, stintStart = 0;
    std::set<int> leaders;
    const auto closeStint = [&](int end) {
        if (end != stintStart) text += "-" + std::to_string(end);
        text += "\r\n";
    };
    for (int lap = 1; lap <= mostLaps; ++lap) {
        int leader = -1;
        for (int d = 0; d < race.drivers(); ++d) {
            if (race.laps(d) >= lap && (leader < 0 || race.at(d, lap) < race.at(leader, lap))) leader = d;
        }
        ++ledLaps[static_cast<std::size_t>(leader)];
        leaders.insert(leader);
        if (leader == previous) continue;
        if (previous >= 0) closeStint(lap - 1);
        ++stints;
        stintStart = lap;
        previous = leader;
        text += name(leader) + " " + std::to_string(lap);
    }
    if (previous >= 0) closeStint(mostLaps);
    // Without a completed lap there is no lead change, not -1.
    text += "\r\nNumber of lead changes: " + std::to_string(std::max(0, stints - 1)) +
            "\r\nNumber of leaders: " + std::to_string(leaders.size()) + "\r\n\r\n\r\n";

    std::vector<int> byLapsLed(static_cast<std::size_t>(race.drivers()));
    for (int d = 0; d < race.drivers(); ++d)
        byLapsLed[static_cast<std::size_t>(d)] = d;
    std::stable_sort(byLapsLed.begin(), byLapsLed.end(), [&](int a, int b) {
        return ledLaps[static_cast<std::size_t>(a)] > ledLaps[static_cast<std::size_t>(b)];
    });
    text += "MOST LAPS LED\r\n\r\nDriver                           Laps led\r\n";
    for (int d : byLapsLed) {
        if (ledLaps[static_cast<std::size_t>(d)] > 0) {
            text += name(d) + " " + std::to_string(ledLaps[static_cast<std::size_t>(d)]) + "\r\n";
        }
    }
    text += "\r\n\r\n";

    if (drivers.sessionPresent[kQualifying]) {
        const auto grid = sessionRanking(drivers, kQualifying);
        struct Climber {
            int driver, start, finish;
        };
        std::vector<Climber> climbers;
        for (const Classified& c : classified) {
            const auto slot = std::find_if(grid.begin(), grid.end(),
                                           [&](const RankedDriver& r) { return r.driver == c.driver; });
            climbers.push_back({c.driver, static_cast<int>(slot - grid.begin()) + 1, c.position});
        }
        std::stable_sort(climbers.begin(), climbers.end(), [](const Climber& a, const Climber& b) {
            return a.start - a.finish > b.start - b.finish;
        });
        text += "HIGHEST CLIMBER\r\n\r\nDriver                           Start Finish  Change\r\n";
        for (const Climber& c : climbers) {
            text += name(c.driver) + "    " + alignRight(std::to_string(c.start), 2) + "     " +
                    alignRight(std::to_string(c.finish), 2) + "     " +
                    alignRight(std::to_string(c.start - c.finish), 3) + "  \r\n";
        }
    } else {
        text += "\r\nReplay doesn't contain qualifying info - skipping \"Highest Climber\" table\r\n";
    }

    struct LapShare {
        int driver, count, total;
    };
    const auto countLaps = [&](std::uint32_t bit) {
        std::vector<LapShare> shares;
        for (int d = 0; d < race.drivers(); ++d) {
            if (race.laps(d) == 0) continue;
            int marked = 0;
            for (int j = 1; j <= race.laps(d); ++j)
                marked += (race.entry(d, j) & bit) ? 1 : 0;
            shares.push_back({d, marked, race.laps(d)});
        }
        return shares;
    };
    auto blackFlags = countLaps(kBlackFlagLap);
    std::stable_sort(blackFlags.begin(), blackFlags.end(),
                     [](const LapShare& a, const LapShare& b) { return a.count > b.count; });
    text += "\r\n\r\nBLACK FLAG LAPS\r\n\r\nDriver                           Laps/Total\r\n";
    for (const LapShare& s : blackFlags) {
        if (s.count == 0) continue;
        text += name(s.driver) + "  " +
                alignRight("(" + std::to_string(s.count) + "/" + std::to_string(s.total) + ")", 9) + "\r\n";
    }

    auto onTrack = countLaps(kOffTrackLap);
    for (LapShare& s : onTrack)
        s.count = s.total - s.count;  // laps without leaving the track
    std::stable_sort(onTrack.begin(), onTrack.end(),
                     [](const LapShare& a, const LapShare& b) { return a.count > b.count; });
    text += "\r\n\r\nON TRACK LAPS\r\n\r\nDriver                           Laps/Total    Percent\r\n";
    for (const LapShare& s : onTrack) {
        const double share = 1 - static_cast<double>(s.total - s.count) / s.total;
        text += name(s.driver) + "  " +
                alignRight("(" + std::to_string(s.count) + "/" + std::to_string(s.total) + ")", 9) + "     " +
                alignRight(formatPercent(100 * share), 6) + "\r\n";
    }
    text += "\r\n\r\nAll times are unofficial\r\n(Replay might have been saved before end of race)\r\n\r\n";
    text.append(kReportFooter);
    return text;
}
