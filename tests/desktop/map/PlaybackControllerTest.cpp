#include "desktop/map/PlaybackController.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>

#include "DemoSimulatorTest.h"
#include "SilentDocumentUi.h"
#include "desktop/document/PlotSettingsBar.h"
#include "desktop/map/TrackMapView.h"
#include "document/ReplayDocument.h"
#include "replay/ReplayFormat.h"

namespace {

// A document's user interface that collects the messages it is given.
class RecordingUi : public SilentDocumentUi {
public:
    void message(const std::string& text) override { said.push_back("message: " + text); }
    void information(const std::string& text) override { said.push_back("information: " + text); }
    std::vector<std::string> said;
};

// The playback on its own: a document, the plot settings bar and the map view, no main window.
class PlaybackControllerTest : public DemoSimulatorTest {
protected:
    // A lap of a demo replay, ticked in the plot settings bar as a newly added lap is.
    void load(const std::string& name, LapChoice lap) {
        document_.lapFinderLoad(replay(name), lap);
        panel_.refresh(document_);
    }

    RecordingUi ui_;
    ReplayDocument document_{ui_, settings_};
    PlotSettingsBar panel_;
    TrackMapView view_{document_, [] { return LapsShown{}; }};
    PlaybackController playback_{document_, panel_, view_, ui_};
    QSignalSpy changes_{&playback_, &PlaybackController::stateChanged};
};

const std::string kWeekend = "Rivaldi weekend (saved in race).rpy";

TEST_F(PlaybackControllerTest, StartIsRefusedWithoutATrackOrATickedLap) {
    load("Phantom Ring practice (track not installed).rpy", {0, kPractice, 1});
    ui_.said.clear();
    playback_.start();
    document_.clearAll();
    load(kWeekend, {0, kRace, 2});
    panel_.toggleLap(0);
    playback_.start();
    EXPECT_EQ(ui_.said, (std::vector<std::string>{
                            "information: Realtime plotting of driving lines not available without trackmap!",
                            "message: Choose lap(s) to play!"}));
    EXPECT_FALSE(playback_.active());
    EXPECT_EQ(changes_.count(), 0);
}

// Each command moves the playback and says so once; the panel and the map follow.
TEST_F(PlaybackControllerTest, TheCommandsMoveThePlaybackAndThePanelAndMapFollow) {
    load(kWeekend, {0, kRace, 2});
    playback_.start();
    EXPECT_TRUE(playback_.state().playing());
    EXPECT_FALSE(panel_.lapBox(0)->isEnabled()) << "the laps played stay fixed";
    playback_.tick();
    EXPECT_EQ(playback_.state().position(), 2u);
    EXPECT_EQ(panel_.elapsedTime()->text(), "0:00");
    EXPECT_EQ(view_.playedLine(0).size(), 1u);

    playback_.pause();
    playback_.tick();
    EXPECT_EQ(playback_.state().position(), 2u) << "a paused playback stands still";
    EXPECT_TRUE(playback_.active());
    playback_.start();
    playback_.fastForward();
    playback_.tick();
    EXPECT_EQ(playback_.state().position(), 6u) << "fast forward moves 4 samples a tick";

    playback_.moveToBeginning();
    playback_.tick();
    EXPECT_EQ(view_.playedLine(0).size(), 1u) << "the line starts afresh";
    playback_.stop();
    EXPECT_FALSE(playback_.active());
    EXPECT_TRUE(view_.playedLine(0).empty());
    EXPECT_TRUE(panel_.lapBox(0)->isEnabled());
    EXPECT_EQ(changes_.count(), 6) << "start, pause, continue, fast forward, beginning, stop";
    playback_.stop();
    EXPECT_EQ(changes_.count(), 6) << "stopping a stopped playback changes nothing";
}

TEST_F(PlaybackControllerTest, APlaybackStopsByItselfAtTheEndOfTheLap) {
    load(kWeekend, {0, kRace, 2});
    playback_.start();
    const int samples = document_.slots()[0].lapData->sampleCount;
    int ticks = 0;
    for (; ticks < samples && playback_.active(); ++ticks)
        playback_.tick();
    EXPECT_FALSE(playback_.active());
    EXPECT_EQ(ticks, samples / 2 + 1) << samples << " samples, 2 a tick, then the tick that finds the end";
    EXPECT_TRUE(view_.playedLine(0).empty()) << "the whole lines are back";
    EXPECT_TRUE(panel_.lapBox(0)->isEnabled());
    EXPECT_EQ(changes_.count(), 2) << "started and stopped";
}

}  // namespace
