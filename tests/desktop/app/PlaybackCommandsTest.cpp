#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "MainWindowTestBase.h"
#include "desktop/document/OrientCompass.h"
#include "desktop/document/PlotSettingsBar.h"
#include "desktop/map/TrackMapView.h"

namespace {

class PlaybackCommandsTest : public MainWindowTestBase {
protected:
    void loadTwoLaps() {
        for (const int driver : {0, 3}) {
            nextLap_ = LapChoice{driver, kRace, 2};
            addLap("Rivaldi weekend (saved in race).rpy");
        }
        ASSERT_EQ(frame_->document().lapCount(), 2);
    }
    TrackMapView* view() const { return frame_->findChild<TrackMapView*>(); }
    PlotSettingsBar* bar() const { return frame_->findChild<PlotSettingsBar*>(); }
    bool checked(int id) const { return frame_->action(id)->isChecked(); }
};

TEST_F(PlaybackCommandsTest, StartNeedsATrackAndATickedLap) {
    nextLap_ = LapChoice{0, kPractice, 1};
    addLap("Phantom Ring practice (track not installed).rpy");
    messages_.clear();
    frame_->runCommand(ID_START_CONTINUE);
    EXPECT_EQ(messages_, QStringList{"Realtime plotting of driving lines not available without trackmap!"});
    EXPECT_FALSE(frame_->playback().playing());

    frame_->runCommand(ID_FILE_NEW);
    loadTwoLaps();
    frame_->runCommand(ID_TOGGLE_LAP_1);
    frame_->runCommand(ID_TOGGLE_LAP_1 + 1);
    messages_.clear();
    frame_->runCommand(ID_START_CONTINUE);
    EXPECT_EQ(messages_, QStringList{"Choose lap(s) to play!"});
    EXPECT_FALSE(frame_->playback().playing());
}

TEST_F(PlaybackCommandsTest, PlayingGreysWhatMustWaitAndShowsTheValues) {
    loadTwoLaps();
    EXPECT_TRUE(enabled(ID_START_CONTINUE));
    EXPECT_FALSE(enabled(ID_PAUSE) || enabled(ID_STOP) || enabled(ID_FAST_FORWARD));
    frame_->runCommand(ID_ZOOM_IN);
    frame_->runCommand(ID_START_CONTINUE);
    EXPECT_TRUE(checked(ID_START_CONTINUE));
    EXPECT_EQ(view()->zoomTool(), ZoomView::Tool::None);
    EXPECT_TRUE(enabled(ID_PAUSE) && enabled(ID_FAST_FORWARD) && enabled(ID_STOP) &&
                enabled(ID_MOVE_TO_END_OF_LAP) && enabled(ID_BEGINNING_OF_LAP));
    EXPECT_FALSE(enabled(ID_ZOOM_IN) || enabled(ID_TOGGLE_LAP_1) || enabled(ID_FILE_NEW) ||
                 enabled(ID_GRAPH));

    frame_->playbackTick();
    ASSERT_EQ(view()->playedLine(0).size(), 1u);  // sample 2
    EXPECT_TRUE(view()->carPosition(1).has_value());
    const LapTelemetry& lap = *frame_->document().slots()[0].lapData;
    EXPECT_EQ(bar()->realtimeValue(0, 0)->text(), QString::number(static_cast<int>(lap.speed[2])));
    EXPECT_EQ(bar()->elapsedTime()->text(), "0:00");
    EXPECT_EQ(bar()->orientation(0)->sector(), orientationSector(lap.orientation[2]));
    frame_->playbackTick();
    EXPECT_EQ(view()->playedLine(0).size(), 2u);
}

TEST_F(PlaybackCommandsTest, APausedPlaybackStopsAndKeepsItsLinesThroughAZoom) {
    loadTwoLaps();
    frame_->runCommand(ID_START_CONTINUE);
    for (int i = 0; i < 20; ++i)
        frame_->playbackTick();
    frame_->runCommand(ID_PAUSE);
    EXPECT_TRUE(checked(ID_PAUSE));
    EXPECT_TRUE(enabled(ID_STOP));
    EXPECT_FALSE(enabled(ID_ZOOM_IN_CENTRE));  // zooming waits while playback runs or is paused
    view()->zoomAboutCentre(2);
    view()->grab();  // the map drawn again
    EXPECT_EQ(view()->playedLine(0).size(), 20u);

    frame_->runCommand(ID_STOP);
    EXPECT_FALSE(frame_->playbackActive());
    EXPECT_EQ(frame_->playback().position(), 0u);
    EXPECT_TRUE(view()->playedLine(0).empty());
    EXPECT_FALSE(view()->carPosition(0).has_value());
    EXPECT_TRUE(enabled(ID_TOGGLE_LAP_1) && enabled(ID_FILE_NEW));
}

TEST_F(PlaybackCommandsTest, MoveToEndAfterFastForwardLeavesNothingGrey) {
    loadTwoLaps();
    frame_->runCommand(ID_START_CONTINUE);
    frame_->runCommand(ID_FAST_FORWARD);
    EXPECT_TRUE(checked(ID_FAST_FORWARD));
    frame_->playbackTick();
    EXPECT_EQ(frame_->playback().position(), 4u);
    frame_->runCommand(ID_MOVE_TO_END_OF_LAP);
    EXPECT_FALSE(checked(ID_FAST_FORWARD) || checked(ID_START_CONTINUE));
    EXPECT_TRUE(enabled(ID_START_CONTINUE) && enabled(ID_TOGGLE_LAP_1) && enabled(ID_ZOOM_IN));
}

TEST_F(PlaybackCommandsTest, FastForwardBackToTheBeginningLeavesNoStrayLine) {
    loadTwoLaps();
    frame_->runCommand(ID_START_CONTINUE);
    frame_->runCommand(ID_FAST_FORWARD);
    for (int i = 0; i < 10; ++i)
        frame_->playbackTick();
    frame_->runCommand(ID_BEGINNING_OF_LAP);
    frame_->playbackTick();
    EXPECT_EQ(view()->playedLine(0).size(), 1u);  // started afresh at sample 4
}

TEST_F(PlaybackCommandsTest, MoveRemoveStopsThePlaybackFirst) {
    loadTwoLaps();
    frame_->runCommand(ID_START_CONTINUE);
    frame_->playbackTick();
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    frame_->runCommand(ID_MOVE_REMOVE);
    EXPECT_FALSE(frame_->playbackActive());
    EXPECT_TRUE(view()->playedLine(0).empty());
}

}  // namespace
