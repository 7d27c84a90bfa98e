#include "desktop/graphs/GraphWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "MainWindowTestBase.h"
#include "desktop/document/DocumentColours.h"
#include "desktop/graphs/GraphTrackMap.h"
#include "desktop/graphs/PlotCanvas.h"
#include "desktop/graphs/PlotView.h"
#include "track/TrackModel.h"

namespace {

class GraphWindowTest : public MainWindowTestBase {
protected:
    std::unique_ptr<GraphWindow> open() { return std::make_unique<GraphWindow>(frame_->document()); }

    static int curves(const GraphWindow& window) { return window.plot()->model().curveCount(); }
    static QString text(const GraphWindow& window, int row) { return window.differenceText(row)->text(); }
};

TEST_F(GraphWindowTest, OneLapShowsOneBoxAndNoDifference) {
    addRaceLaps({0});
    const auto window = open();
    EXPECT_EQ(window->windowTitle(), "Graph window");
    EXPECT_FALSE(window->lapBox(0)->isHidden());
    EXPECT_EQ(window->lapBox(0)->text(), "M Tanaka 1m 16.236s");
    EXPECT_FALSE(window->lapBox(0)->isChecked());
    for (int box = 1; box < GraphWindow::kLapBoxes; ++box) {
        EXPECT_TRUE(window->lapBox(box)->isHidden());
        EXPECT_FALSE(window->lapBox(box)->isEnabled());
    }
    EXPECT_TRUE(window->channelButton(GraphChannel::Speed)->isChecked());
    // Disabled, the box looks it: the difference colour (black) is for the enabled box only.
    QCheckBox* difference = window->differenceBox();
    EXPECT_FALSE(difference->isEnabled());
    difference->ensurePolished();
    const QColor disabledText =
        QApplication::palette(difference).color(QPalette::Disabled, QPalette::WindowText);
    ASSERT_NE(disabledText, documentColour(ReplayDocument::differenceColourIndex));
    EXPECT_EQ(difference->palette().color(QPalette::Disabled, QPalette::WindowText), disabledText);
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
    addRaceLaps({0, 1, 2});
    const auto window = open();
    window->lapBox(0)->setChecked(true);
    window->lapBox(1)->setChecked(true);
    ASSERT_TRUE(window->differenceBox()->isEnabled());
    EXPECT_TRUE(window->gapByDistanceBox()->isEnabled());
    window->differenceBox()->setChecked(true);
    EXPECT_EQ(curves(*window), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_FALSE(text(*window, row).isEmpty()) << row;
    EXPECT_TRUE(text(*window, 0).startsWith('+') || text(*window, 0).startsWith('-'));
    EXPECT_EQ(window->differenceGroup()->styleSheet(), "QGroupBox#differenceInfo::title { color: #cc0000; }");

    window->lapBox(2)->setChecked(true);
    EXPECT_FALSE(window->differenceBox()->isEnabled());
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(text(*window, row).isEmpty()) << row;
    EXPECT_TRUE(window->differenceGroup()->styleSheet().isEmpty());

    window->lapBox(2)->setChecked(false);  // back to two, the box still ticked
    EXPECT_FALSE(text(*window, 3).isEmpty());
}

TEST_F(GraphWindowTest, MilesPerHourAreReadWhenTheChannelIsChosen) {
    addRaceLaps({0});
    settings_.setSpeedInMph(true);
    const auto window = open();
    window->lapBox(0)->setChecked(true);
    EXPECT_EQ(window->plot()->model().axis(false).unit(), "Mph");
    const LapTelemetry& lap = *frame_->document().slots()[0].lapData;
    const PlotCurve* curve = window->plot()->model().curve(window->graphs().curveOf(0));
    EXPECT_DOUBLE_EQ(curve->points.points().front().y, lap.speed[1] * 0.621);
}

TEST_F(GraphWindowTest, TheTimeAndRevsAxesReachTheTickedLaps) {
    addRaceLaps({0, 1});
    const auto window = open();
    window->lapBox(0)->setChecked(true);
    window->lapBox(1)->setChecked(true);
    struct Case {
        GraphChannel channel;
        const char* label;
        double y1, y2;
    };
    const Case cases[] = {
        {GraphChannel::Time, "Time, Seconds", 0, 76.25},  // the longer lap's last sample
        {GraphChannel::Revs, "Revs, RPM", 400, 13000},    // its highest revs, 12029, rounded up
    };
    for (const Case& c : cases) {
        window->channelButton(c.channel)->setChecked(true);
        EXPECT_EQ(window->plot()->model().axis(false).label(), c.label);
        EXPECT_EQ(window->plot()->canvas()->range().y1, c.y1) << c.label;
        EXPECT_EQ(window->plot()->canvas()->range().y2, c.y2) << c.label;
    }
}

TEST_F(GraphWindowTest, TheSmallMapMarksTheSegmentAndTheCheckedLapsUnderTheMouse) {
    addRaceLaps({0, 1});
    const auto window = open();
    window->lapBox(1)->setChecked(true);  // before the mouse is over the graph: no dot
    EXPECT_TRUE(window->trackMap()->dots().empty());
    const TrackModel* model = frame_->document().trackModel();
    const double distance = model->totalLength() / 3;
    Q_EMIT window->plot()->pointerX(distance);
    EXPECT_EQ(window->trackMap()->highlightedSegment(), model->findSegment(distance));
    const auto dotColours = [&window, distance] {
        QStringList colours;
        for (const GraphTrackMap::LapDot& dot : window->trackMap()->dots()) {
            EXPECT_EQ(dot.distance, distance);
            colours << dot.colour.name();
        }
        return colours;
    };
    EXPECT_EQ(dotColours(), QStringList{"#0000ff"});

    // Each toggle redraws the dots where the mouse last was.
    window->lapBox(0)->setChecked(true);
    EXPECT_EQ(dotColours(), (QStringList{"#ff0000", "#0000ff"}));
    window->lapBox(1)->setChecked(false);
    EXPECT_EQ(dotColours(), QStringList{"#ff0000"});

    Q_EMIT window->plot()->pointerX(0);
    EXPECT_EQ(window->trackMap()->highlightedSegment(), std::nullopt);
    EXPECT_TRUE(window->trackMap()->dots().empty());
}

}  // namespace
