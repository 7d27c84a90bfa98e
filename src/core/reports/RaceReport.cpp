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
    explicit RaceTable(const DriverTable& table) : RaceTimes(table) {
        for (int driver = 0; driver < drivers(); ++driver) {
            const int lapsDone = laps(driver);
            maxCompleted_ = std::max(maxCompleted_, penalised(driver, lapsDone) ? lapsDone - 1 : lapsDone);
        }
    }

    bool penalised(int driver, int lap) const { return lap > 0 && (entry(driver, lap) & kBlackFlagLap); }
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
    const auto name = [&](int driver) { return alignLeft(drivers.driverName(driver), 32); };

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
        for (int driver = 0; driver < race.drivers(); ++driver) {
            const int lapsDone = race.laps(driver);
            if (lapsDone != groupLaps && !(groupLaps == leaderLaps && lapsDone > leaderLaps)) continue;
            const bool pen = race.penalised(driver, lapsDone);
            group.push_back(
                {driver, lapsDone, pen, (race.at(driver, lapsDone) + (pen ? kPenalty : 0)) & 0xFFFFFF});
        }
        std::stable_sort(group.begin(), group.end(),
                         [](const Member& a, const Member& b) { return a.key < b.key; });
        for (const Member& member : group) {
            const int position = static_cast<int>(classified.size()) + 1;
            if (position == 1) raceStart = race.at(member.driver, 0);
            if (groupLaps == leaderLaps && &member == &group.front()) leaderKey = member.key;
            std::string raceTime;
            if (groupLaps == 0) {
                raceTime = race.at(member.driver, 0) == kNoRaceData ? "DidNotStart" : "0m00.000s";
            } else {
                raceTime = formatLapTime(
                    race.at(member.driver, member.penalised ? member.laps - 1 : member.laps) - raceStart);
            }
            std::string difference;
            if (position == 1) {
                difference = std::string(10, ' ');
            } else if (groupLaps == leaderLaps) {
                difference = groupLaps == 0 ? "No time"
                                            : formatLapTime(race.at(member.driver, member.laps) - leaderKey);
            } else {
                difference = std::to_string(leaderLaps - groupLaps + (member.penalised ? 1 : 0)) + " lap(s)";
                footnote = footnote || member.penalised;
            }
            const std::string speed =
                groupLaps == 0
                    ? std::string(7, ' ')
                    : formatSpeed(reportSpeed(member.laps * in.trackLength,
                                              race.at(member.driver, member.laps) - raceStart, in.mph));
            text += alignRight(std::to_string(position), 2) + "  " +
                    alignRight(std::to_string(drivers.driver(member.driver).carNumber), 4) + " " +
                    name(member.driver) + " " +
                    alignRight(std::to_string(member.penalised ? member.laps - 1 : member.laps), 4) + " " +
                    alignRight(raceTime, 11) + " " + alignRight(difference, 10) +
                    (member.penalised ? "*" : " ") + " " + alignRight(speed, 7) + "\r\n";
            classified.push_back({member.driver, position});
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
    for (int driver = 0; driver < race.drivers(); ++driver) {
        Fastest best{driver, kNoTime, 0};
        for (int lap = 1; lap <= race.laps(driver); ++lap) {
            const std::uint32_t lapEntry = race.entry(driver, lap);
            if (!(lapEntry & kIncompleteLap) && lapDuration(lapEntry) < best.time)
                best = {driver, lapDuration(lapEntry), lap};
        }
        fastest.push_back(best);
    }
    std::stable_sort(fastest.begin(), fastest.end(),
                     [](const Fastest& a, const Fastest& b) { return a.time < b.time; });
    text += "RACE FASTEST LAPS\r\n\r\nPos Driver                                 Time    Speed  Lap\r\n";
    for (std::size_t row = 0; row < fastest.size(); ++row) {
        const Fastest& best = fastest[row];
        const bool none = best.time == kNoTime;
        text += alignRight(std::to_string(row + 1), 2) + "  " + name(best.driver) + " " +
                alignRight(lapTimeOrNone(best.time), 10) + "  " +
                alignRight(none ? "" : formatSpeed(reportSpeed(in.trackLength, best.time, in.mph)), 7) + " " +
                alignRight(none ? "" : std::to_string(best.lap), 4) + "\r\n";
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
        for (int driver = 0; driver < race.drivers(); ++driver) {
            if (race.laps(driver) >= lap && (leader < 0 || race.at(driver, lap) < race.at(leader, lap)))
                leader = driver;
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
    for (int driver = 0; driver < race.drivers(); ++driver)
        byLapsLed[static_cast<std::size_t>(driver)] = driver;
    std::stable_sort(byLapsLed.begin(), byLapsLed.end(), [&](int driver, int other) {
        return ledLaps[static_cast<std::size_t>(driver)] > ledLaps[static_cast<std::size_t>(other)];
    });
    text += "MOST LAPS LED\r\n\r\nDriver                           Laps led\r\n";
    for (int driver : byLapsLed) {
        if (ledLaps[static_cast<std::size_t>(driver)] > 0) {
            text += name(driver) + " " + std::to_string(ledLaps[static_cast<std::size_t>(driver)]) + "\r\n";
        }
    }
    text += "\r\n\r\n";

    if (drivers.sessionPresent[kQualifying]) {
        const auto grid = sessionRanking(drivers, kQualifying);
        struct Climber {
            int driver, start, finish;
        };
        std::vector<Climber> climbers;
        for (const Classified& placed : classified) {
            const auto slot = std::find_if(grid.begin(), grid.end(), [&](const RankedDriver& ranked) {
                return ranked.driver == placed.driver;
            });
            climbers.push_back({placed.driver, static_cast<int>(slot - grid.begin()) + 1, placed.position});
        }
        std::stable_sort(climbers.begin(), climbers.end(), [](const Climber& a, const Climber& b) {
            return a.start - a.finish > b.start - b.finish;
        });
        text += "HIGHEST CLIMBER\r\n\r\nDriver                           Start Finish  Change\r\n";
        for (const Climber& climber : climbers) {
            text += name(climber.driver) + "    " + alignRight(std::to_string(climber.start), 2) + "     " +
                    alignRight(std::to_string(climber.finish), 2) + "     " +
                    alignRight(std::to_string(climber.start - climber.finish), 3) + "  \r\n";
        }
    } else {
        text += "\r\nReplay doesn't contain qualifying info - skipping \"Highest Climber\" table\r\n";
    }

    struct LapShare {
        int driver, count, total;
    };
    const auto countLaps = [&](std::uint32_t bit) {
        std::vector<LapShare> shares;
        for (int driver = 0; driver < race.drivers(); ++driver) {
            if (race.laps(driver) == 0) continue;
            int marked = 0;
            for (int lap = 1; lap <= race.laps(driver); ++lap)
                marked += (race.entry(driver, lap) & bit) ? 1 : 0;
            shares.push_back({driver, marked, race.laps(driver)});
        }
        return shares;
    };
    auto blackFlags = countLaps(kBlackFlagLap);
    std::stable_sort(blackFlags.begin(), blackFlags.end(),
                     [](const LapShare& a, const LapShare& b) { return a.count > b.count; });
    text += "\r\n\r\nBLACK FLAG LAPS\r\n\r\nDriver                           Laps/Total\r\n";
    for (const LapShare& lapShare : blackFlags) {
        if (lapShare.count == 0) continue;
        text +=
            name(lapShare.driver) + "  " +
            alignRight("(" + std::to_string(lapShare.count) + "/" + std::to_string(lapShare.total) + ")", 9) +
            "\r\n";
    }

    auto onTrack = countLaps(kOffTrackLap);
    for (LapShare& lapShare : onTrack)
        lapShare.count = lapShare.total - lapShare.count;  // laps without leaving the track
    std::stable_sort(onTrack.begin(), onTrack.end(),
                     [](const LapShare& a, const LapShare& b) { return a.count > b.count; });
    text += "\r\n\r\nON TRACK LAPS\r\n\r\nDriver                           Laps/Total    Percent\r\n";
    for (const LapShare& lapShare : onTrack) {
        const double share = 1 - static_cast<double>(lapShare.total - lapShare.count) / lapShare.total;
        text +=
            name(lapShare.driver) + "  " +
            alignRight("(" + std::to_string(lapShare.count) + "/" + std::to_string(lapShare.total) + ")", 9) +
            "     " + alignRight(formatPercent(100 * share), 6) + "\r\n";
    }
    text += "\r\n\r\nAll times are unofficial\r\n(Replay might have been saved before end of race)\r\n\r\n";
    text.append(kReportFooter);
    return text;
}
