#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include "MainWindowTestBase.h"
#include "desktop/document/DocumentColours.h"
#include "desktop/document/OrientCompass.h"
#include "desktop/document/PlotSettingsBar.h"
#include "desktop/map/PlaybackController.h"
#include "desktop/map/TrackMapView.h"

namespace {

class PlaybackCommandsTest : public MainWindowTestBase {
protected:
    void loadTwoLaps() {
        addRaceLaps({0, 3});
        ASSERT_EQ(frame_->document().lapCount(), 2);
    }
    TrackMapView* view() const { return frame_->findChild<TrackMapView*>(); }
    PlotSettingsBar* bar() const { return frame_->findChild<PlotSettingsBar*>(); }
    bool checked(int id) const { return frame_->action(id)->isChecked(); }
    // Whether a pixel within 2 of the map point has the lap's colour.
    bool hasLapColourAround(const QImage& image, QPointF onMap, int slot) const {
        const QRgb colour = documentColour(frame_->document().lapColourIndex(slot)).rgb();
        const MapZoom::Point at = view()->zoom().toView(onMap.x(), onMap.y());
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const QPoint pixel(static_cast<int>(at.x) + dx, static_cast<int>(at.y) + dy);
                if (image.valid(pixel) && image.pixel(pixel) == colour) return true;
            }
        }
        return false;
    }
    // Whether the pixels hasLapColourAround looks at for the map point all lie in the viewport.
    bool inView(QPointF onMap) const {
        const MapZoom::Point at = view()->zoom().toView(onMap.x(), onMap.y());
        const QRect inside = view()->viewport()->rect().adjusted(2, 2, -2, -2);
        return inside.contains(static_cast<int>(at.x), static_cast<int>(at.y));
    }
};

// The refusals' texts are the controller's (PlaybackControllerTest); here they reach the user
// through the window's dialogs, and the button a refused start pressed is released.
TEST_F(PlaybackCommandsTest, ARefusedStartSaysWhyAndReleasesTheButton) {
    nextLap_ = LapChoice{0, kPractice, 1};
    addLap("Phantom Ring practice (track not installed).rpy");
    messages_.clear();
    frame_->action(ID_START_CONTINUE)->trigger();
    EXPECT_EQ(messages_, QStringList{"Realtime plotting of driving lines not available without trackmap!"});
    EXPECT_FALSE(frame_->playback().state().playing());
    EXPECT_FALSE(checked(ID_START_CONTINUE));
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

    frame_->playback().tick();  // to sample 2
    EXPECT_TRUE(view()->carPosition(1).has_value());
    const LapTelemetry& lap = *frame_->document().slots()[0].lapData;
    EXPECT_EQ(bar()->realtimeValue(0, 0)->text(), QString::number(static_cast<int>(lap.speed[2])));
    EXPECT_EQ(bar()->orientation(0)->sector(), orientationSector(lap.orientation[2]));
    frame_->playback().tick();
    EXPECT_EQ(view()->playedLine(0).size(), 2u);
}

TEST_F(PlaybackCommandsTest, APausedPlaybackStopsAndKeepsItsLinesThroughAZoom) {
    loadTwoLaps();
    frame_->resize(900, 700);
    view()->viewport()->grab();  // laid out at the window's size, the track shown whole
    frame_->runCommand(ID_START_CONTINUE);
    for (int i = 0; i < 20; ++i)
        frame_->playback().tick();
    frame_->runCommand(ID_PAUSE);
    EXPECT_TRUE(checked(ID_PAUSE));
    EXPECT_TRUE(enabled(ID_STOP));
    EXPECT_FALSE(enabled(ID_ZOOM_IN_CENTRE));  // zooming waits while playback runs or is paused
    view()->zoomAboutCentre(2);
    const QPointF played = view()->playedLine(0)[10];
    view()->keepInView(played.x(), played.y());
    // A point of the lap in view far beyond the played position (sample 40).
    int aheadSample = 200;
    while (aheadSample < 1000 && !inView(onMap(aheadSample)))
        ++aheadSample;
    ASSERT_LT(aheadSample, 1000) << "no later sample of the lap in view";
    const QImage paused = view()->viewport()->grab().toImage();
    EXPECT_TRUE(hasLapColourAround(paused, played, 0)) << "the map drawn again draws the played line";
    EXPECT_FALSE(hasLapColourAround(paused, onMap(aheadSample), 0))
        << "sample " << aheadSample << " is not played yet";

    frame_->runCommand(ID_STOP);
    EXPECT_FALSE(frame_->playback().active());
    EXPECT_TRUE(enabled(ID_TOGGLE_LAP_1) && enabled(ID_FILE_NEW));

    frame_->runCommand(ID_TOGGLE_LAP_1);
    frame_->runCommand(ID_TOGGLE_LAP_1 + 1);
    ASSERT_TRUE(inView(played));
    EXPECT_FALSE(hasLapColourAround(view()->viewport()->grab().toImage(), played, 0))
        << "without the laps' lines the map has no lap colour there: the played line made it";
}

// Settings accepted while playing or paused redraw the views only: the panel keeps its playing
// state (no split time before it is passed) and the focus chosen.
TEST_F(PlaybackCommandsTest, SettingsAcceptedDuringPlaybackKeepThePanel) {
    loadTwoLaps();
    for (QRadioButton* button : bar()->findChildren<QRadioButton*>()) {
        if (button->text() == "Focus Driver:") button->setChecked(true);
    }
    bar()->focusDriver()->setCurrentIndex(1);
    frame_->runCommand(ID_START_CONTINUE);
    frame_->playback().tick();
    for (const bool paused : {false, true}) {
        if (paused) frame_->runCommand(ID_PAUSE);
        acceptSettings();
        SCOPED_TRACE(paused ? "paused" : "playing");
        EXPECT_EQ(frame_->playback().state().paused(), paused);
        EXPECT_EQ(bar()->focus(), PlotSettingsBar::Focus::Driver);
        EXPECT_EQ(bar()->focusDriverRow(), 1);
        EXPECT_FALSE(bar()->splitTime(0, 0)->isVisibleTo(bar()));
        EXPECT_FALSE(bar()->lapBox(0)->isEnabled());
    }
}

// Where fast forward and Move to end put the playback is PlaybackTest's and PlaybackControllerTest's;
// here the commands' check marks and enabling follow.
TEST_F(PlaybackCommandsTest, MoveToEndAfterFastForwardLeavesNothingGrey) {
    loadTwoLaps();
    frame_->runCommand(ID_START_CONTINUE);
    frame_->runCommand(ID_FAST_FORWARD);
    EXPECT_TRUE(checked(ID_FAST_FORWARD));
    frame_->playback().tick();
    frame_->runCommand(ID_MOVE_TO_END_OF_LAP);
    EXPECT_FALSE(checked(ID_FAST_FORWARD) || checked(ID_START_CONTINUE));
    EXPECT_TRUE(enabled(ID_START_CONTINUE) && enabled(ID_TOGGLE_LAP_1) && enabled(ID_ZOOM_IN));
}

TEST_F(PlaybackCommandsTest, MoveRemoveStopsThePlaybackFirst) {
    loadTwoLaps();
    frame_->runCommand(ID_START_CONTINUE);
    frame_->playback().tick();
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    frame_->runCommand(ID_MOVE_REMOVE);
    EXPECT_FALSE(frame_->playback().active());
    EXPECT_TRUE(view()->playedLine(0).empty());
}

}  // namespace
