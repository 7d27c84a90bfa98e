#include "document/ReplayDocument.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <tuple>

#include "DemoSimulatorTest.h"
#include "FileBytes.h"
#include "common/TimeText.h"
#include "replay/LapTimeCheck.h"

namespace {

namespace fs = std::filesystem;

// Answers the document's dialogs from a script and records everything it is told.
class ScriptedUi : public DocumentUi {
public:
    std::deque<std::optional<fs::path>> files;
    std::deque<std::optional<LapChoice>> laps;
    std::vector<std::string> events;

    std::optional<fs::path> chooseReplayFile(const std::string& title, const std::string& filter,
                                             const fs::path& startFolder) override {
        events.push_back("file dialog: " + title + " | " + filter + " | " + startFolder.filename().string());
        return next(files);
    }
    std::optional<LapChoice> chooseLap(const ReplayHeader&, const DriverTable&) override {
        events.push_back("lap dialog");
        return next(laps);
    }
    void message(const std::string& text) override { events.push_back("message: " + text); }
    void information(const std::string& text) override { events.push_back("information: " + text); }
    void lapListChanged() override { events.push_back("lap list changed"); }
    void clearLapToggles() override { events.push_back("clear toggles"); }
    void redrawViews() override { events.push_back("redraw"); }
    void trackChanged() override { ++trackChanges; }

    int trackChanges = 0;  // counted apart: the views show a new track whole

    std::vector<std::string> take() { return std::exchange(events, {}); }

private:
    // The next scripted answer; a dialog without one is cancelled.
    template <typename Answer>
    static std::optional<Answer> next(std::deque<std::optional<Answer>>& answers) {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class ReplayDocumentTest : public DemoSimulatorTest {
protected:
    static fs::path weekend() { return replay("Rivaldi weekend (saved in race).rpy"); }
    // Copies the demo folder into `sim` and makes it the simulator folder, for tests that change it.
    void useCopyOfTheSimulator(const TempDir& sim) {
        fs::copy(sim_->path(), sim.path(), fs::copy_options::recursive);
        settings_.setSimulatorDirectory(sim.path().string());
    }

    ScriptedUi ui_;
    ReplayDocument doc_{ui_, settings_};
};

const std::string kFileDialog = "file dialog: Select Replay File | Replay files (*.rpy) | replay";

// What the desktop is told when the lap list changed, after what it is told first.
std::vector<std::string> lapsChanged(std::vector<std::string> first = {}) {
    first.insert(first.end(), {"lap list changed", "redraw"});
    return first;
}

TEST_F(ReplayDocumentTest, AddingALapThroughBothDialogs) {
    settings_.setDontShowQualReport(false);
    ui_.files = {weekend()};
    ui_.laps = {LapChoice{0, kRace, 2}};
    doc_.addReplayLap();
    EXPECT_EQ(ui_.take(),
              lapsChanged({kFileDialog, "lap dialog",
                           "information: Online quality of lapdata: 100%\nLargest online gap: 0 seconds"
                           "\n\nIf you don't wish to see this report - \nturn it off in File->Settings"}));
    EXPECT_EQ(doc_.lapCount(), 1);
    EXPECT_EQ(doc_.title(), "Rivaldi");
    ASSERT_TRUE(doc_.trackLoaded());
    EXPECT_NEAR(doc_.trackLength(), doc_.trackModel()->totalLength(), 0.002);
    const auto& slot = doc_.slots()[0];
    EXPECT_EQ(std::tuple(slot.lapDriver, slot.lapSession, slot.lapSlot), std::tuple(0, kRace, 2));
    ASSERT_NE(slot.drivingLine, nullptr);

    // Map channels: split times in order within the lap, map speed like the telemetry's, small slip.
    const LapTelemetry& lap = *slot.lapData;
    const int lapTime = static_cast<int>(lapDuration(slot.drivers->lapEntry(kRace, 0, 2)));
    EXPECT_GT(lap.splitTime1, 0);
    EXPECT_LT(lap.splitTime1, lap.splitTime2);
    EXPECT_LT(lap.splitTime2, lap.splitTime3);
    EXPECT_LT(lap.splitTime3, lapTime);
    double worst = 0;
    for (int k = 10; k < lap.sampleCount - 10; ++k) {
        const double fromDistance = (lap.distance[k] - lap.distance[k - 1]) * 0.0005 * 129.6;
        worst = std::max(worst, std::fabs(lap.speed[k] - fromDistance) / fromDistance);
        EXPECT_LE(std::abs(lap.slip[k]), 15) << k;
    }
    EXPECT_LT(worst, 0.08) << "the map follows the racing line, the distance the centre line";
}

TEST_F(ReplayDocumentTest, SixthLapIsRefusedBeforeAnyDialog) {
    for (int slot = 1; slot <= 3; ++slot)
        doc_.lapFinderLoad(weekend(), {0, kRace, slot});
    doc_.lapFinderLoad(weekend(), {1, kRace, 2});
    doc_.lapFinderLoad(weekend(), {2, kRace, 2});
    ASSERT_EQ(doc_.lapCount(), 5);
    EXPECT_EQ(ui_.trackChanges, 1) << "the track comes with the first lap";
    ui_.take();
    doc_.addReplayLap();
    EXPECT_EQ(ui_.take(), std::vector<std::string>{"message: Max number of laps already loaded!"});
}

TEST_F(ReplayDocumentTest, FilesThatCannotBeLoaded) {
    // A header that cannot be used: its message, then the file's path.
    for (const auto& [file, message] : {std::pair{"Old version 2 replay.rpy", "ZDK replays not supported!"},
                                        {"Damaged signature.rpy", "Error reading file!"}}) {
        doc_.openPath(replay(file));
        EXPECT_EQ(ui_.take(), (std::vector<std::string>{"message: HeaderClass: " + std::string(message),
                                                        "message: " + replay(file).string()}));
    }
    EXPECT_EQ(doc_.lapCount(), 0);
    EXPECT_EQ(doc_.title(), "No lap selected");

    // A driver table that cannot be read: the slot is given back.
    std::vector<std::uint8_t> bytes = fileBytes(weekend());
    std::memcpy(&bytes[276], "\xFF\xFF\x00\x00", 4);  // driver table length: 356 drivers
    TempDir dir;
    const fs::path crowded = dir.write("crowded.rpy", bytes);
    doc_.openPath(crowded);
    EXPECT_EQ(ui_.take(), (std::vector<std::string>{"message: " + tooManyDriversMessage(356),
                                                    "message: DriversClass: Error reading file!"}));
    EXPECT_EQ(doc_.lapCount(), 0);
    EXPECT_FALSE(doc_.slots()[0].inUse);
}

TEST_F(ReplayDocumentTest, AnotherTrackIsRefusedOnlyWhileLapsAreLoaded) {
    doc_.lapFinderLoad(weekend(), {0, kRace, 2});
    ui_.take();
    doc_.openPath(replay("Hollowmere practice, two drivers.rpy"));
    EXPECT_EQ(ui_.take(), std::vector<std::string>{"message: This file is not from the same track!"});
    doc_.clearAll();
    EXPECT_EQ(ui_.take(), lapsChanged({"clear toggles"}));
    EXPECT_EQ(doc_.title(), "No lap selected");
    doc_.lapFinderLoad(replay("Hollowmere practice, two drivers.rpy"), {1, kPractice, 2});
    EXPECT_EQ(ui_.take(), lapsChanged());
    EXPECT_EQ(ui_.trackChanges, 2);
    EXPECT_EQ(doc_.title(), "Hollowmere");
    EXPECT_NEAR(doc_.trackModel()->totalLength(), 3475.4, 0.1);
}

TEST_F(ReplayDocumentTest, CancelledDialogsChangeNothing) {
    doc_.addReplayLap();
    EXPECT_EQ(ui_.take(), std::vector<std::string>{kFileDialog});
    doc_.lapFinderLoad(weekend(), {0, kRace, 2});
    ui_.take();
    doc_.openPath(weekend());
    EXPECT_EQ(ui_.take(), std::vector<std::string>{"lap dialog"});
    EXPECT_EQ(doc_.lapCount(), 1);
    EXPECT_FALSE(doc_.slots()[1].inUse);
    EXPECT_EQ(doc_.title(), "Rivaldi");
}

TEST_F(ReplayDocumentTest, ALapThatCannotBeReadIsUndoneWithItsTitle) {
    doc_.lapFinderLoad(weekend(), {0, kPractice, 1});  // practice has no telemetry
    EXPECT_EQ(ui_.take(), std::vector<std::string>{"message: RpyDataClass: Error reading file!"});
    EXPECT_EQ(doc_.lapCount(), 0);
    EXPECT_EQ(doc_.title(), "No lap selected");
    EXPECT_TRUE(doc_.trackLoaded()) << "the track loaded with the first lap stays";
}

TEST_F(ReplayDocumentTest, WithoutTheTrackTheLapLoadsWithoutMapData) {
    doc_.lapFinderLoad(replay("Phantom Ring practice (track not installed).rpy"), {0, kPractice, 2});
    EXPECT_EQ(ui_.take(), lapsChanged({"message: Can't find track for this replay!\n"
                                       "You'll not be able to see any track maps nor speed data!\n"
                                       "Make sure VELTRA4 Path is set correctly in File->Settings\n"
                                       "\nDetailed error message:\nError: cannot open track file"}));
    EXPECT_EQ(doc_.lapCount(), 1);
    EXPECT_FALSE(doc_.trackLoaded());
    EXPECT_EQ(doc_.slots()[0].lapData->splitTime1, 0);
    EXPECT_EQ(doc_.slots()[0].drivingLine, nullptr);
}

TEST_F(ReplayDocumentTest, MissingTrackIniIsReported) {
    TempDir sim;
    useCopyOfTheSimulator(sim);
    fs::remove(sim / "tracks/HollowMere/TRACK.INI");
    doc_.lapFinderLoad(sim / "replay/Hollowmere practice, two drivers.rpy", {0, kPractice, 2});
    EXPECT_EQ(ui_.take(), lapsChanged({"message: Track.ini or entire track seems to be missing in the "
                                       "tracks directory: Speeds will be misreported in the reports!"}));
    EXPECT_TRUE(doc_.trackLoaded());
    EXPECT_EQ(doc_.slots()[0].lapData->splitTime1, 0) << "no length: no split times";
}

// A copy of the two-driver replay whose owner's lap 2 is stored `difference` ms longer than its
// telemetry measures.
fs::path withStoredLapTime(const fs::path& source, const TempDir& dir, double trackLength, int difference) {
    DriverTable drivers;
    EXPECT_TRUE(drivers.read(source));
    LapTelemetry lap;
    EXPECT_TRUE(lap.read(drivers, 0, 2, kPractice));
    EXPECT_TRUE(lap.process(1));
    const int calculated = checkLapTime(lap, trackLength)->calculated;
    const std::uint32_t end = static_cast<std::uint32_t>(drivers.lapStartTime(kPractice, 0, 3));
    const std::uint32_t shifted = end + static_cast<std::uint32_t>(calculated + difference) -
                                  lapDuration(drivers.lapEntry(kPractice, 0, 2));
    std::vector<std::uint8_t> bytes = fileBytes(source);
    for (std::size_t at = 0; at + 4 <= drivers.telemetryOffset; ++at) {
        std::uint32_t value;
        std::memcpy(&value, &bytes[at], 4);
        if (value == end) std::memcpy(&bytes[at], &shifted, 4);
    }
    return dir.write("lap" + std::to_string(difference) + ".rpy", bytes);
}

TEST_F(ReplayDocumentTest, LapTimeCheckAllowsThirtyMilliseconds) {
    const fs::path source = replay("Hollowmere practice, two drivers.rpy");
    const double length = readTrackLength(sim_->path(), "hollowmere").metres;
    TempDir dir;
    doc_.lapFinderLoad(withStoredLapTime(source, dir, length, 30), {0, kPractice, 2});
    EXPECT_EQ(ui_.take(), lapsChanged());
    doc_.lapFinderLoad(withStoredLapTime(source, dir, length, 31), {0, kPractice, 2});
    const auto events = ui_.take();
    ASSERT_EQ(events.size(), 3u);
    const LapTelemetry& lap = *doc_.slots()[1].lapData;
    const int calculated = checkLapTime(lap, length)->calculated;
    EXPECT_EQ(
        events[0],
        "information: VxRA has detected the laptime for this lap might be incorrect\n\nLaptime "
        "stored in replay: " +
            formatElapsedTime(static_cast<std::uint32_t>(calculated + 31)) +
            "\nLaptime calculated by VxRA: " + formatElapsedTime(static_cast<std::uint32_t>(calculated)));
}

TEST_F(ReplayDocumentTest, MoveRemoveAndMostRecentlyAdded) {
    doc_.lapFinderLoad(weekend(), {0, kRace, 1});
    doc_.lapFinderLoad(weekend(), {1, kRace, 2});
    doc_.lapFinderLoad(weekend(), {2, kRace, 3});
    ui_.take();
    doc_.applyLapOrder({2, 0});
    EXPECT_EQ(ui_.take(), lapsChanged()) << "the laps keep their toggles";
    ASSERT_EQ(doc_.lapCount(), 2);
    EXPECT_EQ(std::tuple(doc_.slots()[0].lapDriver, doc_.slots()[1].lapDriver), std::tuple(2, 0));
    EXPECT_FALSE(doc_.slots()[2].inUse);
    doc_.applyLapOrder({});
    EXPECT_EQ(doc_.lapCount(), 0);
    EXPECT_EQ(doc_.title(), "No lap selected");
    ui_.take();

    // The newest replay by file time; on equal times the first by name.
    TempDir sim;
    useCopyOfTheSimulator(sim);
    const auto newest =
        fs::last_write_time(sim / "replay/Rivaldi weekend (saved in race).rpy") + std::chrono::hours(1);
    fs::last_write_time(sim / "replay/Rivaldi quick race.rpy", newest);
    fs::last_write_time(sim / "replay/Hollowmere online race.rpy", newest);
    doc_.openMostRecentlyAdded();
    EXPECT_EQ(ui_.take(), std::vector<std::string>{"lap dialog"});
    ui_.laps = {LapChoice{0, kRace, 2}};
    doc_.openMostRecentlyAdded();
    ui_.take();
    EXPECT_EQ(doc_.title(), "Hollowmere");

    for (const auto& entry : fs::directory_iterator(sim / "replay"))
        fs::remove(entry.path());
    doc_.openMostRecentlyAdded();
    EXPECT_TRUE(ui_.take().empty());
}

}  // namespace
