#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "QuickRaceWriter.h"
#include "ReplayWriter.h"
#include "ReportTestBase.h"
#include "TempDir.h"
#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"
#include "reports/ReportRegistry.h"

// Expected texts here are written out by hand for small weekends chosen so that every number is
// easy to check: a track of 3600 m, where a lap of 72 s is 180 km/h.
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::Not;

constexpr double kTrack = 3600;

std::string lines(std::initializer_list<const char*> parts) {
    std::string text;
    for (const char* p : parts)
        text += std::string(p) + "\r\n";
    return text;
}

class ReportsTest : public ReportTestBase {
protected:
    // A quick race: qualifying and race tables for five drivers.
    void writeQuickRace() {
        WeekendSettings weekend;
        weekend.raceLaps = 3;
        weekend.qualifyingLaps = 2;
        weekend.aiCars = 4;
        weekend.manualWeather = true;
        weekend.cloudy = true;
        weekend.windSpeedMph = 7;
        weekend.windDirection = 2;
        weekend.temperatureF = 68;
        weekend.damageLevel = 1;
        weekend.aiStrength = 95;
        weekend.raceDistancePercent = 10;
        ReplayWriter w = fiveDriverQuickRace(kBlackFlagLap, weekend);
        w.setCarSet("GT");
        load(w, "quickrace.rpy");
    }

    std::string report(ReportType type, double track = kTrack, bool mph = false) {
        return generateReport(type, ReportInput{&header_, &drivers_, track, mph});
    }
};

// A replay saved during `session` with Ann Owner as its only driver; lap tables and frames to follow.
ReplayWriter annAlone(int session, const WeekendSettings& weekend = {}) {
    ReplayWriter w;
    w.setOwner(0, "Ann", "Owner");
    w.setSessionInProgress(session);
    w.setTrackName("testring");
    w.setWeekend(weekend);
    w.addDriver({"Ann", "Owner", "", "GT", 7, 150, 10});
    return w;
}

TEST_F(ReportsTest, QualifyingReportInKmhMphAndWithoutTrackLength) {
    writeQuickRace();
    EXPECT_EQ(report(ReportType::Qualifying),
              kHeaderLine + "\r\n\r\n" +
                  lines({"QUALIFYING TIMES", "",
                         "Pos No   Driver                                Time      Diff    Speed   Diff Laps",
                         " 1     3 Cid Car                          1m12.000s            180.000           1",
                         " 2     7 Ann Owner                        1m20.000s   08.000s  162.000  18.001   2",
                         " 3    12 Bob Bot                          1m22.000s   10.000s  158.049  21.952   2",
                         " 4    44 Dan Dnf                            No time   No time  No Time No Time   1",
                         " 5     5 Eve Early                          No time   No time  No Time No Time   0",
                         "", "All times are official", "Generated with VELTRA4 Replay Analyser"}));
    const std::string mph = report(ReportType::Qualifying, kTrack, true);
    EXPECT_THAT(
        mph,
        HasSubstr(" 1     3 Cid Car                          1m12.000s            111.847           1\r\n"));
    EXPECT_THAT(
        mph,
        HasSubstr(" 3    12 Bob Bot                          1m22.000s   10.000s   98.207  13.640   2\r\n"));
    const std::string noLength = report(ReportType::Qualifying, 0);
    EXPECT_THAT(
        noLength,
        HasSubstr(" 2     7 Ann Owner                        1m20.000s   08.000s    0.000   0.001   2\r\n"));
}

TEST_F(ReportsTest, MissingSessionsAndUnofficialTimes) {
    writeQuickRace();
    EXPECT_EQ(report(ReportType::Practice), "This replay file does not contain practice data.");
    EXPECT_EQ(report(ReportType::Warmup), "This replay file does not contain warmup data.");

    ReplayWriter w = annAlone(kQualifying);  // saved during qualifying: its times may not be final
    w.addLapTable({lapListFromDurations(10, 1000, {72000})});
    w.addLapTable({lapListFromDurations(10, 1000, {72000})});
    w.addFrame({sessionMarkerRecord(1, 1000)});
    load(w, "qualifying.rpy");
    EXPECT_THAT(report(ReportType::Qualifying),
                HasSubstr("\r\n\r\nAll times are unofficial\r\n(Replay might have been saved before end of "
                          "practice)\r\n\r\nGenerated with VELTRA4 Replay Analyser\r\n"));
    EXPECT_EQ(report(ReportType::Race), "This replay file does not contain race data.");
}

TEST_F(ReportsTest, RaceReport) {
    writeQuickRace();
    const std::string expected =
        kHeaderLine + "\r\n\r\n" +
        lines({"RACE RESULTS (After 3 laps)",
               "",
               "Pos No   Driver                           Laps   Race Time       Diff    Speed",
               " 1     7 Ann Owner                           3   4m00.000s             162.000",
               " 2    12 Bob Bot                             2   2m42.500s    03.500s* 159.671",
               " 3     3 Cid Car                             1   1m11.500s   2 lap(s)* 160.495",
               " 4     5 Eve Early                           0   0m00.000s   3 lap(s)         ",
               " 5    44 Dan Dnf                             0 DidNotStart   3 lap(s)         ",
               "",
               "*=One lap penalty for finishing under black flag. If there are multiple",
               "non-served penalties more laps should be lost.",
               "",
               "",
               "Race results are unofficial",
               "(Replay might have been saved before end of race)",
               "",
               "RACE FASTEST LAPS",
               "",
               "Pos Driver                                 Time    Speed  Lap",
               " 1  Cid Car                           1m12.000s  180.000    1",
               " 2  Ann Owner                         1m20.000s  162.000    1",
               " 3  Bob Bot                           1m21.000s  160.000    1",
               " 4  Dan Dnf                             No time              ",
               " 5  Eve Early                           No time              ",
               "",
               "",
               "LEADERS",
               "",
               "Driver                           Laps",
               "Cid Car                          1",
               "Ann Owner                        2-3",
               "",
               "Number of lead changes: 1",
               "Number of leaders: 2",
               "",
               "",
               "MOST LAPS LED",
               "",
               "Driver                           Laps led",
               "Ann Owner                        2",
               "Cid Car                          1",
               "",
               "",
               "HIGHEST CLIMBER",
               "",
               "Driver                           Start Finish  Change",
               "Ann Owner                            2      1       1  ",
               "Bob Bot                              3      2       1  ",
               "Eve Early                            5      4       1  ",
               "Dan Dnf                              4      5      -1  ",
               "Cid Car                              1      3      -2  ",
               "",
               "",
               "BLACK FLAG LAPS",
               "",
               "Driver                           Laps/Total",
               "Bob Bot                               (1/3)",
               "Cid Car                               (1/2)",
               "",
               "",
               "ON TRACK LAPS",
               "",
               "Driver                           Laps/Total    Percent",
               "Ann Owner                             (3/3)     100.00",
               "Bob Bot                               (3/3)     100.00",
               "Cid Car                               (1/2)      50.00",
               "",
               "",
               "All times are unofficial",
               "(Replay might have been saved before end of race)",
               "",
               "Generated with VELTRA4 Replay Analyser"});
    EXPECT_EQ(report(ReportType::Race), expected);
}

// A quick race of the race table alone for three drivers, in MPH.
class RaceOnlyTest : public ReportsTest {
protected:
    void writeRace(std::vector<std::uint32_t> bob, std::vector<std::uint32_t> cid) {
        ReplayWriter w = quickRaceWriter("Owner");
        w.addDriver({"Ann", "Owner", "", "GT", 7, 150, 10});
        w.addDriver({"Bob", "Bot", "", "GT", 12, 250, 11});
        w.addDriver({"Cid", "Car", "", "GT", 3, 250, 12});
        w.addLapTable({lapListFromDurations(10, 1000, {60000, 60000}), lapListFromDurations(11, 1500, bob),
                       lapListFromDurations(12, 2000, cid)});
        w.addFrame({sessionMarkerRecord(1, 1000)});
        load(w, "raceonly.rpy");
    }
};

// One driver leads every lap; no qualifying data; a black-flag last lap on the lead lap gets its
// "*" but no footnote.
TEST_F(RaceOnlyTest, OneLeaderNoQualifyingMph) {
    writeRace({61000, 61000 | kBlackFlagLap}, {62000});
    const std::string text = report(ReportType::Race, kTrack, true);
    EXPECT_THAT(
        text,
        HasSubstr(lines({"Pos No   Driver                           Laps   Race Time       Diff    Speed",
                         " 1     7 Ann Owner                           2   2m00.000s             134.216",
                         " 2    12 Bob Bot                             1   1m01.500s    02.500s* 131.477",
                         " 3     3 Cid Car                             1   1m03.000s   1 lap(s)  127.825", "",
                         "", "Race results are unofficial"})));
    EXPECT_THAT(text, HasSubstr(lines({"Driver                           Laps",
                                       "Ann Owner                        1-2", "",
                                       "Number of lead changes: 0", "Number of leaders: 1"})));
    EXPECT_THAT(text,
                HasSubstr("\r\n\r\n\r\nReplay doesn't contain qualifying info - skipping \"Highest Climber\" "
                          "table\r\n\r\n\r\nBLACK FLAG LAPS"));
    EXPECT_THAT(text, Not(HasSubstr("*=One lap penalty")));
}

// A driver whose last lap is under a black flag and who did more laps than anyone else is
// classified with the most laps, with his penalty, rather than left out.
TEST_F(RaceOnlyTest, DriverBeyondTheMostCompletedLapsIsClassified) {
    writeRace({61000, 61000 | kBlackFlagLap}, {62000, 62000, 62000 | kBlackFlagLap});
    const std::string text = report(ReportType::Race, kTrack, true);
    EXPECT_THAT(
        text,
        HasSubstr(lines({"RACE RESULTS (After 2 laps)", "",
                         "Pos No   Driver                           Laps   Race Time       Diff    Speed",
                         " 1     7 Ann Owner                           2   2m00.000s             134.216",
                         " 2    12 Bob Bot                             1   1m01.500s    02.500s* 131.477",
                         " 3     3 Cid Car                             2   2m05.000s  1m07.000s* 129.192"})));
    EXPECT_THAT(text,
                HasSubstr(lines({"Ann Owner                        1-2", "Cid Car                          3",
                                 "", "Number of lead changes: 1"})));
}

TEST_F(ReportsTest, RaceSettingsReport) {
    writeQuickRace();
    EXPECT_EQ(report(ReportType::RaceSettings),
              kHeaderLine + "\r\n\r\n" +
                  lines({"_________________Rules_________________ ________________Weather________________ ",
                         "Damage:                  ??????         Realistic:               No             ",
                         "Full pace lap:           No             Conditions:              Cloudy         ",
                         "Yellow flags:            Yes            Windspeed:               7 mph          ",
                         "Double file restarts:    No             Wind direction:          E              ",
                         "Fixed setup:             No             Temperature:             68 \xB0"
                         "F          ",
                         "Force incar view:        No                                                     ",
                         "Force smoke:             No             _________________Misc__________________ ",
                         "                                        Carset:                  GT             ",
                         "____________Weekend Format_____________ Game mode:               Simulation     ",
                         "Practice:                0 minutes      Quick-race:              Yes            ",
                         "Qualifying:              2 lap(s)       Merrownet-race:          No             ",
                         "Warmup:                  0 minutes      AI strength:             95 %           ",
                         "Number of race laps:     3 lap(s)       Number of cars(AI):      5(4)           ",
                         "% of full race distance: 10 %           Replay Filename:         quickrace.rpy  ",
                         "", "", "Generated with VELTRA4 Replay Analyser"}));
}

TEST_F(ReportsTest, OnlyPracticeTurnsNoLimitIntoWords) {
    WeekendSettings weekend;
    weekend.practiceSeconds = 604800;
    weekend.warmupSeconds = 604800;
    ReplayWriter w = annAlone(kPractice, weekend);
    w.addLapTable({lapListFromDurations(10, 1000, {72000})});
    w.addFrame({sessionMarkerRecord(0, 1000)});
    load(w, "nolimit.rpy");
    const std::string text = report(ReportType::RaceSettings);
    EXPECT_THAT(
        text,
        HasSubstr(
            "\r\nPractice:                No limit       Quick-race:              No             \r\n"));
    EXPECT_THAT(
        text,
        HasSubstr(
            "\r\nWarmup:                  -1 minutes     AI strength:             100 %          \r\n"));
    EXPECT_THAT(
        text,
        HasSubstr("\r\nDamage:                  Realistic      Realistic:               Yes            \r\n"
                  "Full pace lap:           No             Conditions:                             \r\n"));
}

TEST_F(ReportsTest, CompleteReportJoinsTheOthers) {
    writeQuickRace();
    EXPECT_EQ(report(ReportType::Complete),
              report(ReportType::RaceSettings) +
                  "\r\n\r\nThis replay file does not contain practice data.\r\n\r\n" +
                  report(ReportType::Qualifying) +
                  "\r\n\r\nThis replay file does not contain warmup data.\r\n\r\n" +
                  report(ReportType::Race) + "\r\n\r\n" + report(ReportType::LapChart) + "\r\n\r\n" +
                  report(ReportType::LapByLap));
}

TEST(ReportText, ExportNamesAndFormats) {
    EXPECT_EQ(defaultExportName(ReportType::Race, "/x/race1.rpy"), fs::path("/x/race1_Race.txt"));
    EXPECT_EQ(defaultExportName(ReportType::RaceSettings, "/x/race1.rpy"), fs::path("/x/race1_MiscInfo.txt"));
    EXPECT_EQ(defaultExportName(ReportType::SectorTimes, "/x/race1.rpy"), fs::path("SectorTimes.txt"));
    EXPECT_EQ(withTxtExtension("report"), fs::path("report.txt"));
    EXPECT_EQ(withTxtExtension("report.TXT"), fs::path("report.TXT"));
    EXPECT_EQ(formatSpeed(100), "100.000");
    EXPECT_EQ(formatSpeed(0), "0.000");
    EXPECT_EQ(formatSpeed(12.3456789), "12.345");
    EXPECT_EQ(formatPercent(100), "100.00");
    EXPECT_EQ(formatPercent(66.666), "66.67");
    EXPECT_EQ(reportSpeed(3600, 0, false), 0) << "a time of 0 gives no speed";
    EXPECT_EQ(alignRight("123456", 4), "3456");
    EXPECT_EQ(alignLeft("A very long driver name indeed, too long", 32), "A very long driver name indeed, ");
    EXPECT_STREQ(reportKind(ReportType::Flags).title, "Flag report");
    EXPECT_STREQ(reportKind(ReportType::SectorTimes).exportSuffix, "SectorTimes");

    TempDir dir;
    ASSERT_TRUE(writeReportFile(dir / "r.txt", "a\r\nb\r\n"));
    std::ifstream in(dir / "r.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "a" + kLineEnd + "b" + kLineEnd);
    EXPECT_FALSE(writeReportFile(dir / "missing-folder/r.txt", "x"));
}

// The registry is the one list of reports: every row names its own TYPE, and the reports
// `vxra report` knows are the rows with a key.
TEST(ReportRegistry, RowsAreDistinctAndFoundByTypeAndKey) {
    std::set<std::string> keys;
    for (const ReportKind& kind : reportKinds()) {
        EXPECT_EQ(&reportKind(kind.type), &kind);
        if (!kind.key) continue;
        EXPECT_TRUE(keys.insert(kind.key).second) << kind.key;
        EXPECT_EQ(reportKindByKey(kind.key), &kind);
    }
    EXPECT_EQ(keys, (std::set<std::string>{"settings", "practice", "qualifying", "warmup", "race", "lapbylap",
                                           "lapchart", "complete", "flags"}));
    EXPECT_EQ(reportKindByKey("sectors"), nullptr) << "sector times come from loaded laps, not a replay";
    EXPECT_TRUE(reportKind(ReportType::Flags).progressive);
    EXPECT_TRUE(reportKind(ReportType::SectorTimes).progressive);
    EXPECT_FALSE(reportKind(ReportType::Race).progressive);
}

}  // namespace
