#include "reports/SessionReport.h"

#include <algorithm>

#include "common/TimeText.h"
#include "replay/DriverTable.h"

namespace {

struct SessionReportKind {
    int session;
    const char* missing;
    const char* heading;
};
constexpr SessionReportKind kKinds[] = {
    {kPractice, "This replay file does not contain practice data.", "PRACTICE TIMES\r\n"},
    {kQualifying, "This replay file does not contain qualifying data.", "QUALIFYING TIMES\r\n"},
    {kWarmup, "This replay file does not contain warmup data.", "WARMUP TIMES\r\n"},
};

// A session's times are final once the file holds a later session.
bool official(const DriverTable& drivers, int session) {
    for (int later = session + 1; later < kSessionCount; ++later) {
        if (drivers.sessionPresent[later]) return true;
    }
    return false;
}

}  // namespace

std::vector<RankedDriver> sessionRanking(const DriverTable& drivers, int session) {
    std::vector<RankedDriver> ranking;
    for (int driver = 0; driver < drivers.driverCount && driver < kMaxDrivers; ++driver) {
        std::uint32_t best = kNoTime;
        for (int lap = 1; lap <= drivers.lapCount(session, driver); ++lap) {
            const std::uint32_t entry = drivers.lapEntry(session, driver, lap);
            if (!(entry & kIncompleteLap) && lapDuration(entry) < best) best = lapDuration(entry);
        }
        ranking.push_back({driver, best});
    }
    std::stable_sort(
        ranking.begin(), ranking.end(),
        [](const RankedDriver& first, const RankedDriver& second) { return first.best < second.best; });
    return ranking;
}

std::string sessionReport(int session, const ReportInput& in) {
    const SessionReportKind& kind =
        *std::find_if(std::begin(kKinds), std::end(kKinds),
                      [session](const SessionReportKind& candidate) { return candidate.session == session; });
    const DriverTable& drivers = *in.drivers;
    if (!drivers.sessionPresent[kind.session]) return kind.missing;

    std::string text =
        reportHeaderLine(*in.header) + "\r\n\r\n" + kind.heading +
        "\r\nPos No   Driver                                Time      Diff    Speed   Diff Laps\r\n";
    const auto ranking = sessionRanking(drivers, kind.session);
    const std::uint32_t leaderBest = ranking.empty() ? kNoTime : ranking.front().best;
    const double leaderSpeed = reportSpeed(in.trackLength, leaderBest, in.mph);
    for (std::size_t row = 0; row < ranking.size(); ++row) {
        const auto [driver, best] = ranking[row];
        const bool noTime = best == kNoTime;
        text += alignRight(std::to_string(row + 1), 2) + "  " +
                alignRight(std::to_string(drivers.driver(driver).carNumber), 4) + " " +
                alignLeft(drivers.driverName(driver), 32) +
                alignRight(noTime ? "No time" : formatLapTime(best), 10);
        if (row == 0) {
            text += std::string(12, ' ');
        } else {
            text += alignRight(noTime ? "No time" : formatLapTime(best - leaderBest), 10) + "  ";
        }
        if (noTime) {
            text += "No Time No Time";
        } else {
            const double speed = reportSpeed(in.trackLength, best, in.mph);
            text +=
                alignRight(formatSpeed(speed), 7) + " " +
                (row == 0 ? std::string(7, ' ') : alignRight(formatSpeed(leaderSpeed - speed + 0.001), 7));
        }
        text += alignRight(std::to_string(drivers.lapCount(kind.session, driver)), 4) + "\r\n";
    }
    text += "\r\n";
    text += official(drivers, kind.session)
                ? "All times are official\r\n"
                : "All times are unofficial\r\n(Replay might have been saved before end of practice)\r\n\r\n";
    text.append(kReportFooter);
    return text;
}
