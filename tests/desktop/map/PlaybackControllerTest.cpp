#include "desktop/map/PlaybackController.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
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
// The view is laid out at a fixed size so that scrolling has a viewport to keep the cars in.
class PlaybackControllerTest : public DemoSimulatorTest {
protected:
    PlaybackControllerTest() {
        view_.resize(600, 500);
        view_.viewport()->grab();
    }
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

const std::string kWeekendReplay = "Rivaldi weekend (saved in race).rpy";

TEST_F(PlaybackControllerTest, StartIsRefusedWithoutATrackOrATickedLap) {
    load("Phantom Ring practice (track not installed).rpy", {0, kPractice, 1});
    ui_.said.clear();
    playback_.start();
    document_.clearAll();
    load(kWeekendReplay, {0, kRace, 2});
    panel_.toggleLap(0);
    playback_.start();
    EXPECT_EQ(ui_.said, (std::vector<std::string>{
                            "information: Realtime plotting of driving lines not available without trackmap!",
                            "message: Choose lap(s) to play!"}));
    EXPECT_FALSE(playback_.active());
    EXPECT_EQ(changes_.count(), 2) << "a refusal says so too: a clicked Start button is released";
}

// Each command moves the playback and says so once; the panel and the map follow.
TEST_F(PlaybackControllerTest, TheCommandsMoveThePlaybackAndThePanelAndMapFollow) {
    load(kWeekendReplay, {0, kRace, 2});
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

// A playback ends by itself at the lap's end, or at once with Move to end: either way the whole
// lines and the lap boxes are back, and it said so once on starting and once on stopping.
TEST_F(PlaybackControllerTest, APlaybackEndsByItselfOrWithMoveToEnd) {
    for (const bool byItself : {true, false}) {
        SCOPED_TRACE(byItself ? "by itself" : "move to end");
        document_.clearAll();
        changes_.clear();
        load(kWeekendReplay, {0, kRace, 2});
        playback_.start();
        const int samples = document_.slots()[0].lapData->sampleCount;
        int ticks = 0;
        if (byItself) {
            for (; ticks < samples && playback_.active(); ++ticks)
                playback_.tick();
            EXPECT_EQ(ticks, samples / 2 + 1)
                << samples << " samples, 2 a tick, then the tick that finds the end";
        } else {
            playback_.tick();
            playback_.moveToEnd();
        }
        EXPECT_FALSE(playback_.active());
        EXPECT_TRUE(view_.playedLine(0).empty());
        EXPECT_FALSE(view_.carPosition(0).has_value());
        EXPECT_TRUE(panel_.lapBox(0)->isEnabled());
        EXPECT_EQ(changes_.count(), 2) << "started and stopped";
    }
}

// The comparison's cursor follows the leading car: each tick that plays tells how far it has come.
TEST_F(PlaybackControllerTest, EachTickTellsHowFarTheLeadingCarHasCome) {
    for (const int driver : {0, 3})
        load(kWeekendReplay, {driver, kRace, 2});
    QSignalSpy leader(&playback_, &PlaybackController::leaderMoved);
    playback_.start();
    while (playback_.state().position() < 2000)
        playback_.tick();
    EXPECT_EQ(leader.count(), 1000);
    EXPECT_EQ(leader.last().at(0).toDouble(), document_.slots()[1].lapData->distanceM[2000])
        << "the second lap, the faster, leads";
    playback_.pause();
    playback_.tick();
    EXPECT_EQ(leader.count(), 1000) << "a paused playback stands still";
}

// Two laps of the race; the second (slot 1) is the faster and leads at position 2000, and still
// at 2738, past the finish line (its sample 2737), where its distance has fallen back to about 0.
// The view, zoomed in and scrolled away from both cars, centres on the followed car at the next
// tick, and stays where it is with Manual focus.
TEST_F(PlaybackControllerTest, TheFocusKeepsTheFollowedCarInView) {
    struct Case {
        const char* focus;  // the radio button's text
        int driverRow;      // the Focus Driver combo's row
        std::optional<int> followedSlot;
        unsigned position = 2000;
    };
    const Case cases[] = {
        {"Focus Leader", 0, 1},  {"Focus Leader", 0, 1, 2738}, {"Focus Driver:", 0, 0},
        {"Focus Driver:", 1, 1}, {"Manual", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.focus) + " " + std::to_string(c.driverRow) + " at " +
                     std::to_string(c.position));
        document_.clearAll();
        for (const int driver : {0, 3})
            load(kWeekendReplay, {driver, kRace, 2});
        for (QRadioButton* button : panel_.findChildren<QRadioButton*>()) {
            if (button->text() == c.focus) button->setChecked(true);
        }
        panel_.focusDriver()->setCurrentIndex(c.driverRow);
        ASSERT_EQ(document_.slots()[1].lapData->finishLineSample, 2737);
        view_.showWholeMap();
        view_.zoomAboutCentre(16);
        playback_.start();
        while (playback_.state().position() < c.position - 2)
            playback_.tick();
        const QPointF elsewhere = view_.playedLine(0)[600];
        view_.keepInView(elsewhere.x(), elsewhere.y());
        const MapZoom& zoom = view_.zoom();
        const MapZoom::Point before = zoom.toMap(zoom.viewportWidth() / 2.0, zoom.viewportHeight() / 2.0);
        playback_.tick();
        ASSERT_EQ(playback_.state().position(), c.position);
        const MapZoom::Point centre = zoom.toMap(zoom.viewportWidth() / 2.0, zoom.viewportHeight() / 2.0);
        const QPointF expected =
            c.followedSlot ? *view_.carPosition(*c.followedSlot) : QPointF(before.x, before.y);
        EXPECT_NEAR(centre.x, expected.x(), 1);
        EXPECT_NEAR(centre.y, expected.y(), 1);
        playback_.stop();
    }
}

}  // namespace
