#include "library/LapFinderScan.h"

#include <gtest/gtest.h>

#include <chrono>

#include "ConstantPaceReplay.h"
#include "Scenario.h"
#include "TempDir.h"
#include "TestSystem.h"
#include "common/PathText.h"
#include "common/SimulatorFolders.h"
#include "common/TimeText.h"
#include "library/InstalledTracks.h"
#include "library/LapSorting.h"
#include "replay/DriverTable.h"
#include "replay/LapChoice.h"

namespace {

namespace fs = std::filesystem;

// Records what the scan reports; ends it when asked to at a file count, or in the first file read.
class RecordingSink : public LapFinderSink {
public:
    bool stopRequested() const override { return stopInRead; }
    bool progress(std::size_t filesDone, std::size_t fileCount) override {
        progressSeen.emplace_back(filesDone, fileCount);
        return filesDone != stopAt;
    }
    void found(std::vector<FoundLap> laps) override {
        ++batches;
        rows.insert(rows.end(), laps.begin(), laps.end());
    }
    bool unreadable(const std::vector<ScanMessage>& fileMessages) override {
        for (const ScanMessage& m : fileMessages)
            messages.push_back(m.caption + "|" + m.text);
        return true;
    }

    std::size_t stopAt = static_cast<std::size_t>(-1);
    bool stopInRead = false;
    std::vector<std::pair<std::size_t, std::size_t>> progressSeen;
    std::vector<FoundLap> rows;
    std::vector<std::string> messages;
    int batches = 0;
};

// One lap of 20 s for each car, in the practice of a replay of the track "testring".
ConstantPaceReplay practice(int cars) {
    ConstantPaceReplay replay = ConstantPaceReplay::twoCars();
    replay.lastFrameTime = 30000;
    replay.cars[0].driver.firstName = "Marco";
    replay.cars[0].driver.lastName = "Tanaka";
    replay.cars[0].driver.kindCode = 150;
    while (static_cast<int>(replay.cars.size()) < cars) {
        ConstantPaceCar car = replay.cars[1];
        car.driver.id = 30 + static_cast<std::uint32_t>(replay.cars.size());
        car.driver.firstName = "Cal";
        car.driver.lastName = "Human" + std::to_string(replay.cars.size());
        car.driver.kindCode = 150;
        replay.cars.push_back(car);
    }
    for (std::size_t c = 0; c < replay.cars.size(); ++c) {
        replay.cars[c].laps = 1;
        replay.cars[c].lapMs = 20000 - 1000 * static_cast<std::uint32_t>(c);
        replay.cars[c].startTime = 2000;
    }
    replay.cars.resize(static_cast<std::size_t>(cars));
    return replay;
}

class LapFinderScanTest : public testing::Test {
protected:
    LapFinderScanTest() { fs::create_directories(replays_); }

    static fs::path put(const fs::path& folder, const std::string& name, const ReplayWriter& writer,
                        int day = 14) {
        fs::create_directories(folder);
        const fs::path path = folder / name;
        EXPECT_TRUE(writer.write(path));
        using namespace std::chrono;
        const sys_seconds noon = sys_days{year{2026} / March / day} + hours{12};
        fs::last_write_time(path, file_clock::from_sys(noon));
        return path;
    }
    fs::path put(const std::string& name, const ReplayWriter& writer, int day = 14) {
        return put(replays_, name, writer, day);
    }
    RecordingSink scan(const std::string& track = "TestRing", LapFilter filter = LapFilter::AllLaps,
                       const fs::path& alternative = {}) {
        RecordingSink sink;
        EXPECT_TRUE(scanLaps({sim_.path(), alternative, track, filter}, sink));
        return sink;
    }
    static std::vector<std::string> column(const std::vector<FoundLap>& rows, LapColumn c) {
        std::vector<std::string> texts;
        for (const FoundLap& row : rows)
            texts.push_back(row.text(c));
        return texts;
    }

    TempDir sim_;
    fs::path replays_ = sim_.path() / "replay";
};

// Names as pathString gives them on every system: a non-ASCII name is UTF-8 on Windows too.
TEST(InstalledTracks, SubFoldersSortedWithoutRegardToCase) {
    TempDir sim;
    for (const char* name : {"rivaldi", "HollowMere", "Fj\u00e4llbacka", "alpine"})
        fs::create_directories(sim.path() / "TRACKS" / pathFromString(name));
    sim.write("TRACKS/notes.txt", {});
    EXPECT_EQ(installedTracks(sim.path()),
              (std::vector<std::string>{"alpine", "Fj\u00e4llbacka", "HollowMere", "rivaldi"}));
    EXPECT_TRUE(installedTracks(sim.path() / "missing").empty());
}

TEST(InstalledTracks, FoldersWhoseNamesDifferOnlyInCaseFollowTheirBytes) {
    TempDir sim;
    for (const char* name : {"alpine", "Alpine"})
        fs::create_directories(sim.path() / "tracks" / name);
    EXPECT_EQ(installedTracks(sim.path()), (std::vector<std::string>{"Alpine", "alpine"}));
}

// On a file system that tells case apart, the folders keep the case they were made with.
TEST_F(LapFinderScanTest, TheReplayFolderIsFoundWithoutRegardToCase) {
    fs::remove(replays_);
    put(sim_.path() / "RePlay", "Weekend.rpy", practice(2).writer());
    const RecordingSink sink = scan();
    ASSERT_EQ(sink.rows.size(), 2u);
    EXPECT_EQ(sink.rows[0].path(), sim_.path() / "RePlay" / "Weekend.rpy");
}

// "driver session slot" of each row.
std::vector<std::string> lapsOf(const std::vector<FoundLap>& rows) {
    std::vector<std::string> laps;
    for (const FoundLap& row : rows)
        laps.push_back(std::to_string(row.lap.driver) + " " + sessionKey(row.lap.session) + " " +
                       std::to_string(row.lap.slot));
    return laps;
}

TEST_F(LapFinderScanTest, RowsPerDriverSessionAndSelectableSlotWithTheirTexts) {
    ConstantPaceReplay replay = practice(3);
    replay.cars[0].laps = 2;  // the second lap ends after the last frame: not selectable
    put("Weekend.rpy", replay.writer());
    const RecordingSink sink = scan();
    ASSERT_EQ(sink.rows.size(), 3u);
    const FoundLap& first = sink.rows[0];
    std::vector<std::string> texts;
    for (std::size_t c = 0; c < kLapColumnCount; ++c)
        texts.push_back(first.text(static_cast<LapColumn>(c)));
    EXPECT_EQ(texts, (std::vector<std::string>{"Marco Tanaka", "0m 20.000s", "Simulation", "Practice",
                                               "2026 Mar 14", "Weekend.rpy"}));
    EXPECT_EQ(first.path(), replays_ / "Weekend.rpy");
    EXPECT_EQ(lapsOf(sink.rows), (std::vector<std::string>{"0 practice 1", "1 practice 1", "2 practice 1"}));
    EXPECT_EQ(column(sink.rows, LapColumn::Driver),
              (std::vector<std::string>{"Marco Tanaka", "Bob Bot", "Cal Human2"}));
    EXPECT_EQ(sink.rows[2].scanOrder, 2u);
    EXPECT_EQ(sink.batches, 1);
    EXPECT_EQ(sink.progressSeen, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 1}, {1, 1}}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(LapFinderScanTest, AWeekendOfEverySessionListsDriverThenSessionThenSlot) {
    const Circuit rivaldi = rivaldiCircuit();
    Scenario weekend;
    weekend.circuit = &rivaldi;
    weekend.drivers = syntheticField(3, 7);
    weekend.drivers[2].spec.kindCode = 150;  // a second human, whose replay this is
    weekend.owner = 2;
    weekend.weekend.arcadeMode = true;
    weekend.weekend.aiCars = 1;
    weekend.sessions = {{kPractice, 20000, 6000, 1},
                        {kQualifying, 20000, 6000, 2},
                        {kWarmup, 20000, 6000, 1},
                        {kRace, 0, 0, 2, true}};
    weekend.telemetry = {{kPractice, 0}, {kQualifying, 0}, {kWarmup, 0}, {kRace, 0}};
    put("Weekend.rpy", buildReplay(weekend));

    const FoundLaps all = findLaps({sim_.path(), {}, "RIVALDI", LapFilter::AllLaps});
    EXPECT_TRUE(all.messages.empty());
    // Qualifying laps are the owner's alone.
    EXPECT_EQ(lapsOf(all.laps), (std::vector<std::string>{
                                    "0 practice 1", "0 warmup 1", "0 race 1", "0 race 2", "1 practice 1",
                                    "1 warmup 1", "1 race 1", "1 race 2", "2 practice 1", "2 qualifying 1",
                                    "2 qualifying 2", "2 warmup 1", "2 race 1", "2 race 2"}));
    EXPECT_EQ(column(all.laps, LapColumn::GameMode), std::vector<std::string>(14, "Arcade"));
    EXPECT_EQ(lapsOf(findLaps({sim_.path(), {}, "rivaldi", LapFilter::OwnerLapsOnly}).laps),
              (std::vector<std::string>{"2 practice 1", "2 qualifying 1", "2 qualifying 2", "2 warmup 1",
                                        "2 race 1", "2 race 2"}));
    EXPECT_EQ(
        lapsOf(findLaps({sim_.path(), {}, "rivaldi", LapFilter::NoAiLaps}).laps),
        (std::vector<std::string>{"0 practice 1", "0 warmup 1", "0 race 1", "0 race 2", "2 practice 1",
                                  "2 qualifying 1", "2 qualifying 2", "2 warmup 1", "2 race 1", "2 race 2"}));
}

TEST_F(LapFinderScanTest, OnlyReadableReplaysOfTheTrackGiveRows) {
    ReplayWriter otherTrack = practice(2).writer();
    otherTrack.setTrackName("rivaldi");
    std::vector<std::uint8_t> bytes = otherTrack.bytes();
    bytes.resize(bytes.size() - 100);  // its driver table would fail: never read
    sim_.write("replay/A other track.rpy", bytes);
    ReplayWriter old = practice(2).writer();
    old.setFormatVersion(2);
    put("B version 2.rpy", old);
    sim_.write("replay/C damaged.rpy", {'n', 'o', 't'});
    put("D good.RPY", practice(2).writer());
    ConstantPaceReplay crowded = practice(2);
    while (crowded.cars.size() < 51) {
        crowded.cars.push_back(crowded.cars[1]);
        crowded.cars.back().driver.id = 40 + static_cast<std::uint32_t>(crowded.cars.size());
    }
    put("E crowded.rpy", crowded.writer());
    put("F notes.rpy.txt", practice(2).writer());
    put(".rpy", practice(2).writer());  // a name without an extension
    fs::create_directories(replays_ / "G folder.rpy");
    const NamedPipe pipe(replays_, "H pipe.rpy");  // opening it would block the scan
    ASSERT_TRUE(pipe.made());

    const RecordingSink sink = scan();
    EXPECT_EQ(column(sink.rows, LapColumn::ReplayFile),
              (std::vector<std::string>{"D good.RPY", "D good.RPY"}));
    const std::string caption = "Error reading replay file - is this a standard VELTRA4 replay?|";
    EXPECT_EQ(sink.messages, (std::vector<std::string>{caption + pathText(replays_ / "C damaged.rpy"),
                                                       "|" + tooManyDriversMessage(51),
                                                       caption + pathText(replays_ / "E crowded.rpy")}));
    EXPECT_EQ(sink.progressSeen.back(), (std::pair<std::size_t, std::size_t>{5, 5}));
}

// A name in the folder that cannot be read is reported as any unreadable replay is; a link to a
// folder is a folder, left out as one.
TEST_F(LapFinderScanTest, ALinkToNothingIsReportedAndALinkToAFolderIsLeftOut) {
    const fs::path elsewhere = sim_.path() / "elsewhere";
    put(elsewhere, "weekend", practice(2).writer());
    std::error_code error;
    fs::create_symlink(elsewhere / "gone", replays_ / "A gone.rpy", error);
    if (!error) fs::create_directory_symlink(elsewhere, replays_ / "B folder.rpy", error);
    if (!error) fs::create_symlink(elsewhere / "weekend", replays_ / "C weekend.rpy", error);
    if (error) {
        ASSERT_NE(noSymbolicLinksReason(), nullptr) << error.message();
        GTEST_SKIP() << noSymbolicLinksReason();
    }

    const RecordingSink sink = scan();
    EXPECT_EQ(sink.messages, (std::vector<std::string>{kUnreadableReplayCaption +
                                                       ("|" + pathText(replays_ / "A gone.rpy"))}));
    EXPECT_EQ(column(sink.rows, LapColumn::ReplayFile),
              (std::vector<std::string>{"C weekend.rpy", "C weekend.rpy"}));
    EXPECT_EQ(sink.progressSeen.back(), (std::pair<std::size_t, std::size_t>{2, 2}));
}

// A replay stores its track name in Windows-1252; the track's folder may be named in UTF-8 or
// UTF-16 (or in Windows-1252 bytes on a POSIX system). The scan finds the replay by the folder's
// name as the installed tracks give it, and the track's folder is found by the replay's name,
// whichever name holds capitals, those Windows-1252 has beyond ASCII too.
TEST(LapFinderScanOfANonAsciiTrack, FindsTheReplayWhateverTheFolderNameIsWrittenIn) {
    const struct {
        const char* folder;
        const char* replayTrack;  // Windows-1252, as a replay holds it
        const char* shown;
    } cases[] = {
        {"Fj\u00e4llbacka", "fj\xe4llbacka", "Fj\u00e4llbacka"},
        {"Fj\xe4llbacka", "fj\xe4llbacka", "Fj\u00e4llbacka"},
        {"FJ\u00c4LLBACKA", "fj\xe4llbacka", "FJ\u00c4LLBACKA"},
        {"fj\u00e4llbacka", "FJ\xc4LLBACKA", "fj\u00e4llbacka"},
        {"\u00c0\u00de\u0160\u0152\u017d\u0178", "\xe0\xfe\x9a\x9c\x9e\xff",
         "\u00c0\u00de\u0160\u0152\u017d\u0178"},
    };
    for (const auto& named : cases) {
        SCOPED_TRACE(named.shown);
        TempDir sim;
        const fs::path folder = sim.path() / "tracks" / pathFromString(named.folder);
        fs::create_directories(folder);
        ReplayWriter replay = practice(2).writer();
        replay.setTrackName(named.replayTrack);
        fs::create_directories(sim.path() / "replay");
        ASSERT_TRUE(replay.write(sim.path() / "replay" / "Weekend.rpy"));

        const std::vector<std::string> tracks = installedTracks(sim.path());
        ASSERT_EQ(tracks.size(), 1u);
        EXPECT_EQ(nameText(tracks[0]), named.shown);
        const FoundLaps found = findLaps({sim.path(), {}, tracks[0], LapFilter::AllLaps});
        EXPECT_EQ(found.laps.size(), 2u);
        EXPECT_TRUE(found.messages.empty());
        EXPECT_TRUE(fs::equivalent(trackFolder(tracksFolder(sim.path()), named.replayTrack), folder));
    }
}

// One driver table reads every file in turn: each file's rows show its own drivers, whatever the
// files before held, a damaged one among them.
TEST_F(LapFinderScanTest, EachFileShowsItsOwnDriversAfterALargerOrDamagedOne) {
    put("A full.rpy", practice(3).writer());  // Marco Tanaka, Bob Bot (an AI car), Cal Human2
    std::vector<std::uint8_t> cut = practice(3).writer().bytes();
    cut.resize(kDriverRecordsOffset + 2 * kDriverRecordSize);  // its last driver record is missing
    sim_.write("replay/B cut.rpy", cut);
    ConstantPaceReplay fewer = practice(2);
    fewer.cars[0].driver.lastName = "";
    fewer.cars[1].driver.firstName = "";
    fewer.cars[1].driver.kindCode = 150;
    put("C fewer.rpy", fewer.writer());

    const RecordingSink sink = scan("testring", LapFilter::NoAiLaps);
    EXPECT_EQ(column(sink.rows, LapColumn::Driver),
              (std::vector<std::string>{"Marco Tanaka", "Cal Human2", "Marco ", " Bot"}));
    EXPECT_EQ(column(sink.rows, LapColumn::ReplayFile),
              (std::vector<std::string>{"A full.rpy", "A full.rpy", "C fewer.rpy", "C fewer.rpy"}));
    EXPECT_EQ(sink.messages, (std::vector<std::string>{kUnreadableReplayCaption +
                                                       ("|" + pathText(replays_ / "B cut.rpy"))}));
}

TEST_F(LapFinderScanTest, ATwoDriverPracticeIsTrainingAndATrackWithoutReplaysGivesNoRows) {
    put("Weekend.rpy", practice(2).writer());
    EXPECT_EQ(column(scan().rows, LapColumn::Session), (std::vector<std::string>{"Training", "Training"}));
    const RecordingSink sink = scan("hollowmere");
    EXPECT_TRUE(sink.rows.empty());
    EXPECT_EQ(sink.batches, 0);
    RecordingSink empty;
    EXPECT_TRUE(scanLaps({sim_.path() / "missing", {}, "testring", LapFilter::AllLaps}, empty));
    EXPECT_TRUE(empty.rows.empty());
}

TEST_F(LapFinderScanTest, TheAlternativeFolderFollowsUnlessItIsTheReplayFolder) {
    put("B.rpy", practice(2).writer());
    const fs::path alternative = sim_.path() / "elsewhere";
    put(alternative, "A.rpy", practice(2).writer());
    EXPECT_EQ(column(scan("testring", LapFilter::OwnerLapsOnly, alternative).rows, LapColumn::ReplayFile),
              (std::vector<std::string>{"B.rpy", "A.rpy"}));
    EXPECT_EQ(lapFinderFiles(sim_.path(), replays_ / "." / "").size(), 1u);
    EXPECT_EQ(lapFinderFiles(sim_.path(), sim_.path() / "missing").size(), 1u);
}

TEST_F(LapFinderScanTest, ASinkCanEndTheScanBetweenFilesOrWithinARead) {
    put("A.rpy", practice(2).writer());
    put("B.rpy", practice(2).writer());
    const struct {
        std::size_t stopAt;
        bool stopInRead;
        std::vector<std::string> files;
        std::size_t lastFilesDone;
    } cases[] = {
        {1, false, {"A.rpy", "A.rpy"}, 1},
        {static_cast<std::size_t>(-1), true, {}, 0},
    };
    for (const auto& c : cases) {
        RecordingSink sink;
        sink.stopAt = c.stopAt;
        sink.stopInRead = c.stopInRead;
        EXPECT_FALSE(scanLaps({sim_.path(), {}, "testring", LapFilter::AllLaps}, sink));
        EXPECT_EQ(column(sink.rows, LapColumn::ReplayFile), c.files);
        EXPECT_TRUE(sink.messages.empty()) << "a stopped read is no damaged file";
        EXPECT_EQ(sink.progressSeen.back(), (std::pair<std::size_t, std::size_t>{c.lastFilesDone, 2}));
    }
}

TEST_F(LapFinderScanTest, SortingByLapTimeAndDateIsByValueAndStable) {
    put("x.rpy", practice(2).writer(), 2);
    std::vector<FoundLap> rows = scan().rows;
    rows.resize(4, rows[0]);
    const auto set = [&](std::size_t i, const char* driver, std::uint32_t ms, const char* date) {
        rows[i].lapMs = ms;
        rows[i].lap.driver = 0;
        rows[i].replay =
            std::make_shared<const FoundReplay>(FoundReplay{.folder = std::make_shared<const fs::path>(),
                                                            .name = "x.rpy",
                                                            .fileDate = date,
                                                            .fileName = "x.rpy",
                                                            .fileDay = fileDateNumber(date),
                                                            .driverNames = {driver}});
        rows[i].scanOrder = i;
    };
    set(0, "bob", 600000, "2026 Aug 01");
    set(1, "Ann", 119000, "2026 Apr 30");
    set(2, "ann", 119000, "2025 Dec 31");
    set(3, "Cid", 120000, "2026 Apr 30");
    sortLaps(rows, LapOrder::LapTime);
    EXPECT_EQ(column(rows, LapColumn::Driver), (std::vector<std::string>{"Ann", "ann", "Cid", "bob"}));
    sortLaps(rows, LapOrder::FileDate);
    EXPECT_EQ(column(rows, LapColumn::Driver), (std::vector<std::string>{"ann", "Ann", "Cid", "bob"}));
    sortLaps(rows, LapOrder::Driver);
    EXPECT_EQ(column(rows, LapColumn::Driver), (std::vector<std::string>{"ann", "Ann", "bob", "Cid"}));
    sortLaps(rows, LapOrder::Unsorted);
    EXPECT_EQ(column(rows, LapColumn::Driver), (std::vector<std::string>{"bob", "Ann", "ann", "Cid"}));
    EXPECT_EQ(orderByColumn(LapColumn::ReplayFile), LapOrder::ReplayFile);
    EXPECT_EQ(lapOrderFromKey("filedate"), LapOrder::FileDate);
    EXPECT_EQ(lapOrderFromKey("Filedate"), std::nullopt);
}

TEST(FileDateNumber, ReadsTheShownDateBack) {
    EXPECT_EQ(fileDateNumber("2026 Mar 14"), 20260314);
    EXPECT_EQ(fileDateNumber("2001 Dec 05"), 20011205);
    for (const char* bad :
         {"", "2026 Mar 1", "2026 Mxr 14", "-5 Mar 14", "99999999999 Mar 14", "2026 Mar 00"})
        EXPECT_EQ(fileDateNumber(bad), 0) << bad;
}

}  // namespace
