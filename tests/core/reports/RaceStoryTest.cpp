#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "QuickRaceWriter.h"
#include "ReplayWriter.h"
#include "ReportTestBase.h"
#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"
#include "reports/FlagReport.h"
#include "reports/LapChart.h"
#include "reports/ReportRegistry.h"

// Lap chart, lap-by-lap and flag reports of small hand-made races, against texts written out here.
namespace {

using testing::HasSubstr;
using testing::Not;

class RaceStoryTest : public ReportTestBase {
protected:
    std::string report(ReportType type, bool offTrack = false) {
        return generateReport(type, ReportInput{&header_, &drivers_, 3600, false, offTrack});
    }
    std::string flags() { return report(ReportType::Flags); }
};

// A lap-by-lap report from its first event to the end of the race.
std::string lapByLap(const std::string& events) {
    return ReportTestBase::kHeaderLine + "\r\n\r\nLAP BY LAP RACE REPORT\r\n\r\nStart of the race:\r\n" +
           events +
           "\r\nFinishing order and last lap info is unofficial\r\n"
           "(Replay might have been saved before end of race)\r\n"
           "\r\nGenerated with VELTRA4 Replay Analyser\r\n";
}

// Five drivers: a polesitter who leads lap 1 only, a black flag, one who never starts and one who
// never crosses the line.
ReplayWriter fiveDrivers() {
    return fiveDriverQuickRace(kBlackFlagLap | kOffTrackLap);
}

// A quick race saved by Ann Alpha, who drives car 1; the tests add the others and the race table.
ReplayWriter annAlphasRace() {
    ReplayWriter w = quickRaceWriter("Alpha");
    w.addDriver({"Ann", "Alpha", "", "GT", 1, 150, 10});
    return w;
}

TEST_F(RaceStoryTest, LapChart) {
    load(fiveDrivers());
    const std::string text = report(ReportType::LapChart);
    EXPECT_EQ(text.substr(0, kHeaderLine.size() + 2), kHeaderLine + "\r\n")
        << "the header line has no line end of its own";
    EXPECT_THAT(text,
                HasSubstr("\r\n\r\nDriver: Ann Owner\r\n\r\nNo practice laps\r\n\r\nQualifying laps\r\n"
                          "Lap 1: 1m21.000s\r\nLap 2: 1m20.000s\r\n\r\nNo Warmup laps\r\n\r\nRace laps\r\n"
                          "Lap 0: 02.000s\r\nLap 1: 1m20.000s\r\nLap 2: 1m20.000s\r\nLap 3: 1m20.000s\r\n"
                          "\r\n\r\nDriver: Bob Bot\r\n"));
    EXPECT_THAT(text, HasSubstr("\r\nRace laps\r\nLap 0: 01.500s\r\nLap 1: 1m12.000s [Off the track]\r\n"
                                "Lap 2: 1m30.000s [Off the track, Black flag]\r\n"));
    EXPECT_THAT(text,
                HasSubstr("Driver: Dan Dnf\r\n\r\nNo practice laps\r\n\r\nQualifying laps\r\n"
                          "Lap 1: 1m30.000s [Incomplete lap]\r\n\r\nNo Warmup laps\r\n\r\nNo race laps\r\n"));
    EXPECT_THAT(text,
                testing::EndsWith("Driver: Eve Early\r\n\r\nNo practice laps\r\n\r\nNo qualifying laps\r\n"
                                  "\r\nNo Warmup laps\r\n\r\nNo race laps\r\n\r\n\r\n"
                                  "Generated with VELTRA4 Replay Analyser\r\n"));
    EXPECT_EQ(lapFlagNames(0x02000000), "Unknown incident");
}

TEST_F(RaceStoryTest, LapByLapWithPolesitterRetirementsAndLapsWithoutEvents) {
    load(fiveDrivers());
    EXPECT_EQ(
        report(ReportType::LapByLap),
        lapByLap(
            "Dan Dnf fails to make the start.\r\nPolesitter Cid Car leads the field as the flag drops.\r\n"
            "\r\nLap 1:\r\nEve Early retires.\r\n"
            "What would become the fastest lap of the race is set by Cid Car.\r\n"
            "The time is an impressive 1m12.000s.\r\n"
            "\r\nLap 2:\r\nAnn Owner overtakes Cid Car.\r\nCid Car loses the lead.\r\n"
            "The new race leader is Ann Owner.\r\n"
            "\r\nLap 3:\r\nBob Bot overtakes Cid Car.\r\nBob Bot is in position 2 at the end of the lap.\r\n"
            "Cid Car retires.\r\n"
            "\r\nEnd of the race:\r\nAnn Owner wins the race"));
    // Off-track lines only when asked for, and only for a lap with no other flag.
    const std::string withOffTrack = report(ReportType::LapByLap, true);
    EXPECT_THAT(withOffTrack,
                HasSubstr("Lap 1:\r\nCid Car goes off the track but rejoins.\r\nEve Early retires.\r\n"));
    EXPECT_THAT(withOffTrack, Not(HasSubstr("Lap 2:\r\nCid Car goes off")));
}

// Three drivers: lap 1 without events; a driver from third to first while the leader drops to
// second (no position line), and later one from third to first with the leader dropping to third.
TEST_F(RaceStoryTest, OvertakesAndThePodium) {
    ReplayWriter w = annAlphasRace();
    w.addDriver({"Bea", "Beta", "", "GT", 2, 250, 11});
    w.addDriver({"Cal", "Gamma", "", "GT", 3, 250, 12});
    w.addLapTable({lapListFromDurations(10, 1000, {60000}), lapListFromDurations(11, 1000, {61000}),
                   lapListFromDurations(12, 1000, {62000})});
    w.addLapTable({lapListFromDurations(10, 1000, {60000, 60000, 62000, 55000}),
                   lapListFromDurations(11, 1100, {60000, 60000, 60000, 58000}),
                   lapListFromDurations(12, 1200, {60000, 59000, 59500, 60000})});
    w.addFrame({sessionMarkerRecord(1, 1000)});
    load(w);
    EXPECT_EQ(
        report(ReportType::LapByLap),
        lapByLap("Polesitter Ann Alpha leads the field as the flag drops.\r\n"
                 "\r\nLap 2:\r\nCal Gamma overtakes Bea Beta.\r\nCal Gamma overtakes Ann Alpha.\r\n"
                 "Ann Alpha loses the lead.\r\nThe new race leader is Cal Gamma.\r\n"
                 "\r\nLap 3:\r\nBea Beta overtakes Ann Alpha.\r\nBea Beta is in position 2 at the end of the "
                 "lap.\r\n"
                 "\r\nLap 4:\r\nAnn Alpha overtakes Bea Beta.\r\nAnn Alpha overtakes Cal Gamma.\r\n"
                 "Ann Alpha is in position 1 at the end of the lap.\r\nCal Gamma loses the lead.\r\n"
                 "The new race leader is Ann Alpha.\r\n"
                 "What would become the fastest lap of the race is set by Ann Alpha.\r\n"
                 "The time is an impressive 55.000s.\r\n"
                 "\r\nEnd of the race:\r\nAnn Alpha wins the race 01.100s ahead of Bea Beta.\r\n"
                 "Last of the podium finishers was Cal Gamma,\r\nfinishing 01.700s behind the winner.\r\n"));
}

TEST_F(RaceStoryTest, WithoutACompletedLapNoWinnerAndNoLeadChange) {
    ReplayWriter w = annAlphasRace();
    w.addLapTable({lapListFromDurations(10, 1000, {})});
    w.addFrame({sessionMarkerRecord(1, 1000)});
    load(w);
    EXPECT_EQ(report(ReportType::LapByLap), lapByLap("\r\nEnd of the race:\r\n"));
    const std::string race = report(ReportType::Race);
    EXPECT_THAT(
        race,
        HasSubstr(" 1     1 Ann Alpha                           0   0m00.000s                    \r\n"));
    EXPECT_THAT(race, HasSubstr("Number of lead changes: 0\r\nNumber of leaders: 0\r\n"));
}

// A race of two drivers (3 leader crossings end it) with a frame a second, and flag records.
ReplayWriter flaggedRace(int seconds, std::optional<int> invalidRecordAt = std::nullopt) {
    ReplayWriter w;
    w.setOwner(0, "Ann", "Alpha");
    w.setSessionInProgress(kRace);
    w.setTrackName("testring");
    w.addDriver({"Ann", "Alpha", "", "GT", 1, 150, 10});
    w.addDriver({"Bea", "Beta", "", "GT", 2, 250, 11});
    w.addLapTable(
        {lapListFromDurations(10, 1000, {60000, 60000}), lapListFromDurations(11, 1500, {61000, 61000})});
    const std::map<int, std::pair<std::uint8_t, std::uint8_t>> flags = {
        {0, {1, 4}}, {30, {1, 8}}, {31, {1, 8}}, {70, {1, 4}}, {130, {1, 1}}, {135, {1, 8}}, {136, {0, 2}}};
    for (int t = 0; t <= seconds; ++t) {
        std::vector<RecordSpec> records = {sessionMarkerRecord(kRace, static_cast<std::uint32_t>(t) * 1000),
                                           plainRecord(8, 10), plainRecord(5, 6)};
        if (auto f = flags.find(t); f != flags.end())
            records.push_back(flagRecord(f->second.first, f->second.second));
        if (invalidRecordAt && *invalidRecordAt == t) records.push_back(plainRecord(19, 8));
        w.addFrame(records);
    }
    return w;
}

const std::string kFlagStart =
    "\r\nRACE - FLAG REPORT\r\n\r\nStarting scan of replay file(this might take a while)...\r\n"
    "\r\nSearching for race data...\r\n\r\nReplay file starts 00.028s into the race.\r\n"
    "\r\nRace data found - beginning detection.\r\n\r\n"
    "\r\nGreen flag\r\n\r\nLeader of the race starts lap 1\r\n\r\nYellow flag\r\n"
    "\r\nLeader of the race starts lap 2\r\n\r\nGreen flag\r\n"
    "\r\nYellow flag statistics\r\nStarted on lap: 1\r\nEnded on lap: 2\r\nLaps of yellow: 1\r\n"
    "Time of yellow: 40.000s\r\n";

TEST_F(RaceStoryTest, FlagReport) {
    load(flaggedRace(140));
    EXPECT_EQ(flags(),
              kFlagStart +
                  "\r\nThe winner of the race crosses the finish line.\r\n"
                  "(Assuming replay covers the end of the race)\r\n"
                  "\r\nThe chequered flag is being waved\r\n"
                  "\r\nYellow flag\r\n(As this yellow is after race is finished it will not be counted)\r\n"
                  "\r\nSummary of yellow flag statistics:\r\nNumber of yellows: 1\r\n"
                  "Number of yellow flag laps: 1\r\nPercentage of racelaps run under yellow: 33.33\r\n"
                  "Total time run under yellow: 40.000s\r\nPercentage of racetime run under yellow: 33.06\r\n"
                  "\r\nEnd of replay file found - stopping detection.\r\n"
                  "\r\nGenerated with VELTRA4 Replay Analyser\r\n");
}

TEST_F(RaceStoryTest, FlagReportWhenTheReplayEndsEarlyOrStops) {
    load(flaggedRace(100));
    const std::string early = flags();
    EXPECT_THAT(early,
                HasSubstr("Percentage of racetime run under yellow: unknown (the replay ends before the race "
                          "does)\r\n"));

    load(flaggedRace(140, 80));
    EXPECT_EQ(flags(), kFlagStart) << "an unknown record type stops the scan where it stands";

    int pieces = 0;
    EXPECT_FALSE(flagReport(drivers_, [&](const std::string&) { return ++pieces < 5; }));
    EXPECT_EQ(pieces, 5) << "the sink stops the scan";
}

}  // namespace
