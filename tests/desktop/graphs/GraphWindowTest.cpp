#include "desktop/graphs/GraphWindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "MainWindowTestBase.h"
#include "desktop/graphs/GraphTrackMap.h"
#include "desktop/graphs/PlotCanvas.h"
#include "desktop/graphs/PlotView.h"
#include "track/TrackModel.h"

namespace {

class GraphWindowTest : public MainWindowTestBase {
protected:
    // Race lap 2 of the first `count` drivers of the demo weekend.
    void loadLaps(int count) {
        for (int driver = 0; driver < count; ++driver) {
            nextLap_ = LapChoice{driver, kRace, 2};
            addLap("Rivaldi weekend (saved in race).rpy");
        }
        ASSERT_EQ(frame_->document().lapCount(), count);
    }

    std::unique_ptr<GraphWindow> open() { return std::make_unique<GraphWindow>(frame_->document()); }

    static int curves(const GraphWindow& window) { return window.plot()->model().curveCount(); }
    static QString text(const GraphWindow& window, int row) { return window.differenceText(row)->text(); }
};

TEST_F(GraphWindowTest, OneLapShowsOneBoxAndNoDifference) {
    loadLaps(1);
    const auto window = open();
    EXPECT_EQ(window->windowTitle(), "Graph window");
    EXPECT_FALSE(window->lapBox(0)->isHidden());
    EXPECT_EQ(window->lapBox(0)->text(), QString::fromStdString(lapCaption(frame_->document().slots()[0])));
    EXPECT_FALSE(window->lapBox(0)->isChecked());
    for (int box = 1; box < GraphWindow::kLapBoxes; ++box) {
        EXPECT_TRUE(window->lapBox(box)->isHidden());
        EXPECT_FALSE(window->lapBox(box)->isEnabled());
    }
    EXPECT_TRUE(window->channelButton(GraphChannel::Speed)->isChecked());
    EXPECT_FALSE(window->differenceBox()->isEnabled());
    const TrackModel* model = frame_->document().trackModel();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(window->mapGroup()->title(),
              QString::fromStdString(frame_->document().title()) +
                  QStringLiteral(" (%1 meters)").arg(static_cast<long long>(model->totalLength())));
    EXPECT_EQ(window->plot()->model().axis(false).label(), "Speed, Kph");
    EXPECT_EQ(window->plot()->model().axis(true).label(), "Meter, Meter");
    EXPECT_EQ(window->plot()->canvas()->flags(),
              quint32{PlotCanvas::MouseCoordinates | PlotCanvas::AxisGrid});

    window->lapBox(0)->setChecked(true);
    EXPECT_EQ(curves(*window), 1);
    EXPECT_FALSE(window->differenceBox()->isEnabled());
}

TEST_F(GraphWindowTest, TwoLapsDrawTheDifferenceAndAThirdTakesItAway) {
    loadLaps(3);
    const auto window = open();
    window->lapBox(0)->setChecked(true);
    window->lapBox(1)->setChecked(true);
    ASSERT_TRUE(window->differenceBox()->isEnabled());
    EXPECT_TRUE(window->gapByDistanceBox()->isEnabled());
    window->differenceBox()->setChecked(true);
    EXPECT_EQ(curves(*window), 4);
    const PlotCurve* zero = window->plot()->model().curve(window->graphs().zeroLineCurve());
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->points.minY(), 200);
    EXPECT_EQ(zero->points.maxY(), 200);
    for (int row = 0; row < 4; ++row)
        EXPECT_FALSE(text(*window, row).isEmpty()) << row;
    EXPECT_TRUE(text(*window, 0).startsWith('+') || text(*window, 0).startsWith('-'));
    EXPECT_TRUE(window->differenceGroup()->styleSheet().contains("title"));

    window->lapBox(2)->setChecked(true);
    EXPECT_FALSE(window->differenceBox()->isEnabled());
    EXPECT_EQ(curves(*window), 3);
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(text(*window, row).isEmpty()) << row;
    EXPECT_TRUE(window->differenceGroup()->styleSheet().isEmpty());

    window->lapBox(2)->setChecked(false);  // back to two, the box still ticked
    EXPECT_EQ(curves(*window), 4);
    EXPECT_FALSE(text(*window, 3).isEmpty());
}

TEST_F(GraphWindowTest, MilesPerHourAreReadWhenTheChannelIsChosen) {
    loadLaps(1);
    settings_.setSpeedUnit(1);
    const auto window = open();
    window->lapBox(0)->setChecked(true);
    EXPECT_EQ(window->plot()->model().axis(false).unit(), "Mph");
    const LapTelemetry& lap = *frame_->document().slots()[0].lapData;
    const PlotCurve* curve = window->plot()->model().curve(window->graphs().curveOf(0));
    EXPECT_DOUBLE_EQ(curve->points.points().front().y, lap.speed[2] * 0.621);
    EXPECT_EQ(window->plot()->canvas()->range().y2, 400);
}

TEST_F(GraphWindowTest, TheTimeChannelReachesTheLongestLap) {
    loadLaps(2);
    const auto window = open();
    window->lapBox(0)->setChecked(true);
    window->lapBox(1)->setChecked(true);
    window->channelButton(GraphChannel::Time)->setChecked(true);
    EXPECT_EQ(window->plot()->model().axis(false).label(), "Time, Seconds");
    double longest = 0;
    for (int slot = 0; slot < 2; ++slot)
        longest = std::max(
            longest,
            (frame_->document().slots()[static_cast<std::size_t>(slot)].lapData->sampleCount - 2) / 36.0);
    EXPECT_DOUBLE_EQ(window->plot()->canvas()->range().y2, longest);
    EXPECT_EQ(window->plot()->canvas()->range().y1, 0);
}

TEST_F(GraphWindowTest, TheSmallMapMarksTheSegmentAndTheCheckedLapsUnderTheMouse) {
    loadLaps(2);
    const auto window = open();
    window->lapBox(1)->setChecked(true);
    const TrackModel* model = frame_->document().trackModel();
    const double distance = model->totalLength() / 3;
    Q_EMIT window->plot()->pointerX(distance);
    EXPECT_EQ(window->trackMap()->highlightedSegment(), model->findSegment(distance));
    ASSERT_EQ(window->trackMap()->dots().size(), 1u);
    EXPECT_EQ(window->trackMap()->dots()[0].distance, distance);
    EXPECT_EQ(frame_->document().trackModel(), model);  // the document is left as it was
    Q_EMIT window->plot()->pointerX(0);
    EXPECT_EQ(window->trackMap()->highlightedSegment(), -1);
}

TEST_F(GraphWindowTest, TheMainWindowOpensItOnlyWithALap) {
    int shown = 0;
    frame_->graphWindowShower = [&shown](GraphWindow&) { ++shown; };
    EXPECT_TRUE(enabled(ID_GRAPH));
    frame_->runCommand(ID_GRAPH);
    EXPECT_EQ(messages_, QStringList{"No replay lap loaded!"});
    EXPECT_EQ(shown, 0);
    loadLaps(1);
    frame_->runCommand(ID_GRAPH);
    EXPECT_EQ(shown, 1);
}

}  // namespace
