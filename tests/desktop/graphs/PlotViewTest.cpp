#include "desktop/graphs/PlotView.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "desktop/graphs/PlotCanvas.h"
#include "desktop/graphs/PlotContainer.h"
#include "desktop/graphs/PlotImage.h"
#include "desktop/graphs/PlotRuler.h"
#include "desktop/graphs/RulerPainter.h"

namespace {

class PlotViewTest : public testing::Test {
protected:
    void SetUp() override {
        view_.resize(815, 615);  // the plot window 800 x 600
        view_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
        view_.setViewFlags(PlotCanvas::MouseCoordinates | PlotCanvas::AxisGrid, false);
        view_.setAxis("Meter", "m", 0, true, false);
        view_.setAxis("Speed", "Kph", 1, false, false);
        view_.setView(0, 800, 0, 600, true);
    }

    PlotCanvas* canvas() { return view_.canvas(); }

    // A curve of y = x / 2 from 100 to 700.
    void addLine() {
        const int slot = view_.addGraph(Qt::red, "New graph - 0").value();
        for (int x = 100; x <= 700; x += 10)
            view_.addPoint(slot, x, x / 2.0);
        view_.graphChanged(slot, true);
    }

    std::unique_ptr<QMenu> menu() { return std::unique_ptr<QMenu>(canvas()->createMenu(nullptr)); }

    static QAction* item(QMenu* menu, int command) {
        for (QAction* action : menu->findChildren<QAction*>())
            if (action->data().toInt() == command) return action;
        return nullptr;
    }

    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(canvas(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(canvas(), (from + to) / 2);
        QTest::mouseMove(canvas(), to);
        QTest::mouseRelease(canvas(), Qt::LeftButton, modifiers, to);
    }

    void wheel(QPoint at, int delta) {
        QWheelEvent event(QPointF(at), QPointF(canvas()->mapToGlobal(at)), {}, QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas(), &event);
    }

    PlotView view_;
};

TEST_F(PlotViewTest, TheContainerLaysOutRulersAndPlotAndThePointsPaneOnRequest) {
    const PlotContainer* container = view_.container();
    EXPECT_EQ(container->verticalRuler()->geometry(), QRect(0, 0, 15, 615));
    EXPECT_EQ(container->horizontalRuler()->geometry(), QRect(0, 0, 815, 15));
    EXPECT_EQ(canvas()->geometry(), QRect(15, 15, 800, 600));
    EXPECT_FALSE(view_.pointsPaneShown());
    EXPECT_EQ(container->horizontalRuler()->high(), 800);  // the rulers follow the view
    EXPECT_EQ(container->verticalRuler()->high(), 600);
    EXPECT_EQ(container->horizontalRuler()->toolTip(), "Meter, m");
    EXPECT_EQ(container->verticalRuler()->unit(), "Kph");

    // The points pane lists the curves when shown.
    addLine();
    view_.showPointsPane(true);
    EXPECT_TRUE(view_.pointsPaneShown());
    const auto* pane = view_.findChild<QTreeWidget*>();
    ASSERT_EQ(pane->topLevelItemCount(), 1);
    EXPECT_EQ(pane->topLevelItem(0)->text(0), "New graph - 0");
    EXPECT_EQ(pane->topLevelItem(0)->text(1), "61");
    EXPECT_EQ(pane->topLevelItem(0)->text(3), "700");
}

TEST_F(PlotViewTest, ADraggedRectangleBecomesTheZoomToolAndADoubleClickZoomsToIt) {
    drag({100, 100}, {300, 250});
    ASSERT_TRUE(canvas()->zoomToolActive());
    EXPECT_EQ(canvas()->zoomRect(), QRect(QPoint(100, 100), QPoint(300, 250)));
    EXPECT_FALSE(canvas()->canUndo());

    // Moved by its body before it is applied.
    drag({200, 200}, {250, 220});
    EXPECT_EQ(canvas()->zoomRect(), QRect(QPoint(150, 120), QPoint(350, 270)));

    QTest::mouseDClick(canvas(), Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_FALSE(canvas()->zoomToolActive());
    // One pixel is one unit on both axes, y counted up from the bottom edge (600).
    EXPECT_EQ(canvas()->range(), (PlotRange{150, 351, 600 - 271, 600 - 120}));
    EXPECT_TRUE(canvas()->canUndo());
    canvas()->undo();
    EXPECT_EQ(canvas()->range(), (PlotRange{0, 800, 0, 600}));
}

TEST_F(PlotViewTest, ATooSmallRectangleIsNoZoomEscapeDropsTheToolAndHandlesResizeIt) {
    drag({100, 100}, {100, 100});
    EXPECT_FALSE(canvas()->zoomToolActive());
    drag({100, 100}, {400, 100});  // one pixel high
    EXPECT_FALSE(canvas()->zoomToolActive());
    drag({100, 100}, {101, 101});
    EXPECT_TRUE(canvas()->zoomToolActive());
    QTest::keyClick(canvas(), Qt::Key_Escape);
    EXPECT_FALSE(canvas()->zoomToolActive());
    EXPECT_EQ(canvas()->range(), (PlotRange{0, 800, 0, 600}));

    // A handle resizes the rectangle, but never below its minimum.
    drag({100, 100}, {300, 250});
    drag({300, 250}, {400, 260});  // the bottom-right handle
    EXPECT_EQ(canvas()->zoomRect(), QRect(QPoint(100, 100), QPoint(400, 260)));
    drag({100, 100}, {900, 900});  // the top-left handle past the other corner
    EXPECT_EQ(canvas()->zoomRect().size(), QSize(2, 2));
}

TEST_F(PlotViewTest, UndoGoesBackOneFitOnlyADoubleClickFitsThePageAndTheProgramsViewForgetsIt) {
    addLine();
    canvas()->fit(FitKind::Width);
    EXPECT_EQ(canvas()->range(), (PlotRange{100, 700, 0, 600}));
    canvas()->fit(FitKind::Height);
    EXPECT_EQ(canvas()->range(), (PlotRange{100, 700, 50, 350}));
    EXPECT_TRUE(item(menu().get(), PlotCanvas::Undo)->isEnabled());
    canvas()->undo();
    EXPECT_EQ(canvas()->range(), (PlotRange{100, 700, 0, 600}));
    EXPECT_FALSE(item(menu().get(), PlotCanvas::Undo)->isEnabled());

    // A double click without the zoom tool fits the page.
    QTest::mouseDClick(canvas(), Qt::LeftButton, {}, QPoint(400, 300));
    EXPECT_EQ(canvas()->range(), (PlotRange{100, 700, 50, 350}));
    EXPECT_TRUE(canvas()->canUndo());
    view_.setView(0, 10, 0, 6, true);  // another channel
    EXPECT_FALSE(canvas()->canUndo());
}

TEST_F(PlotViewTest, ShiftDragPansSoTheDataFollowThePointer) {
    drag({400, 300}, {450, 280}, Qt::ShiftModifier);
    // Right by 50 and up by 20 pixels: the data moved with the pointer, so the view shows values
    // further left and further down.
    EXPECT_EQ(canvas()->range(), (PlotRange{-50, 750, -20, 580}));
    EXPECT_FALSE(canvas()->canUndo());
    EXPECT_FALSE(canvas()->zoomToolActive());
}

TEST_F(PlotViewTest, TheMenuShowsWhatCanBeDone) {
    auto empty = menu();
    EXPECT_TRUE(item(empty.get(), PlotCanvas::ToggleCoordinates)->isChecked());
    EXPECT_TRUE(item(empty.get(), PlotCanvas::ToggleGrid)->isChecked());
    EXPECT_FALSE(item(empty.get(), PlotCanvas::ToggleZoomTool)->isChecked());
    EXPECT_FALSE(item(empty.get(), PlotCanvas::ApplyZoom)->isEnabled());
    for (const int fit : {PlotCanvas::FitWidth, PlotCanvas::FitHeight, PlotCanvas::FitPage})
        EXPECT_FALSE(item(empty.get(), fit)->isEnabled());
    EXPECT_FALSE(item(empty.get(), PlotCanvas::Undo)->isEnabled());

    item(empty.get(), PlotCanvas::ToggleZoomTool)->trigger();
    EXPECT_TRUE(canvas()->zoomToolActive());
    EXPECT_EQ(canvas()->zoomRect(), QRect(QPoint(5, 5), QPoint(50, 50)));
    item(empty.get(), PlotCanvas::ToggleGrid)->trigger();
    EXPECT_EQ(canvas()->flags(), quint32{PlotCanvas::MouseCoordinates});

    addLine();
    auto full = menu();
    EXPECT_TRUE(item(full.get(), PlotCanvas::ToggleZoomTool)->isChecked());
    EXPECT_TRUE(item(full.get(), PlotCanvas::ApplyZoom)->isEnabled());
    EXPECT_FALSE(item(full.get(), PlotCanvas::ToggleGrid)->isChecked());
    EXPECT_TRUE(item(full.get(), PlotCanvas::FitPage)->isEnabled());
    item(full.get(), PlotCanvas::ApplyZoom)->trigger();
    EXPECT_EQ(canvas()->range(), (PlotRange{5, 51, 600 - 51, 595}));
}

TEST_F(PlotViewTest, EveryFourthMoveTellsTheCoordinatesAndTheListener) {
    QSignalSpy listener(&view_, &PlotView::pointerX);
    for (int x = 1; x <= 8; ++x)
        QTest::mouseMove(canvas(), QPoint(100 + x, 200));
    ASSERT_EQ(listener.count(), 2);
    EXPECT_EQ(listener.at(1).at(0).toDouble(), 108);
    EXPECT_EQ(canvas()->coordinatesText(), "x=108 m, y=400.0 Kph");

    view_.setViewFlags(PlotCanvas::AxisGrid, false);  // no tooltip: the listener is still told
    for (int x = 1; x <= 4; ++x)
        QTest::mouseMove(canvas(), QPoint(300, 100 + x));
    EXPECT_EQ(listener.count(), 3);
}

// The lap comparison's cursor follows every move, and its line is laid over the picture: moving
// it draws no curve again.
TEST_F(PlotViewTest, EveryMoveTellsTheDistanceAndTheMarkerLineIsLaidOverThePicture) {
    QSignalSpy moved(canvas(), &PlotCanvas::pointerMoved);
    for (int x = 1; x <= 3; ++x)
        QTest::mouseMove(canvas(), QPoint(100 + x, 200));
    ASSERT_EQ(moved.count(), 3);
    EXPECT_EQ(moved.at(2).at(0).toDouble(), 103);

    addLine();
    view_.setViewFlags(0, true);
    canvas()->grab();
    const int renders = canvas()->renderCount();
    struct Step {
        std::optional<double> marker;
        QColor at300, at500;
    };
    for (const Step& step : {Step{300, Qt::black, Qt::white}, Step{500, Qt::white, Qt::black},
                             Step{std::nullopt, Qt::white, Qt::white}}) {
        canvas()->setMarkerX(step.marker);
        const QImage picture = canvas()->grab().toImage();
        for (const int y : {0, 100, 599}) {  // clear of the curve, which crosses y 150 and 250 there
            EXPECT_EQ(picture.pixelColor(300, y), step.at300) << y;
            EXPECT_EQ(picture.pixelColor(500, y), step.at500) << y;
        }
    }
    EXPECT_EQ(canvas()->renderCount(), renders);
}

TEST_F(PlotViewTest, ChangesOfTheRangeAreTold) {
    QSignalSpy changed(canvas(), &PlotCanvas::rangeChanged);
    wheel(QPoint(200, 450), 120);
    view_.setView(0, 800, 0, 600, true);
    view_.setView(0, 800, 0, 600, true);  // no change
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(PlotViewTest, TheWheelZoomsAboutThePointerOneUndoAGesture) {
    const QPoint at(200, 450);  // x 200, y 150
    wheel(at, 120);
    wheel(at, 120);
    const PlotRange zoomed = canvas()->range();
    EXPECT_NEAR(zoomed.x2 - zoomed.x1, 800 / 1.5625, 1e-9);
    EXPECT_NEAR(xMapOf(zoomed, 800).toValue(at.x()), 200, 1e-9);
    EXPECT_NEAR(yMapOf(zoomed, 600).toValue(at.y()), 150, 1e-9);
    canvas()->undo();
    EXPECT_EQ(canvas()->range(), (PlotRange{0, 800, 0, 600}));
}

TEST_F(PlotViewTest, CurvesAreDrawnOnlyWhenSomethingChanges) {
    addLine();
    const int lonely = view_.addGraph(Qt::blue, "New graph - 1").value();
    view_.addPoint(lonely, 50, 50);
    view_.graphChanged(lonely, true);
    view_.setViewFlags(0, true);
    const QImage picture = canvas()->grab().toImage();
    const int renders = canvas()->renderCount();
    // y = x / 2 at x = 400 is 200, drawn 400 pixels up from the bottom edge.
    EXPECT_EQ(picture.pixelColor(400, 600 - 200), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(50, 600 - 50), QColor(Qt::white));  // a single point draws nothing

    for (int i = 0; i < 12; ++i)
        QTest::mouseMove(canvas(), QPoint(300 + i, 300));
    canvas()->grab();
    EXPECT_EQ(canvas()->renderCount(), renders);

    view_.clearGraph(0, true);
    EXPECT_EQ(canvas()->grab().toImage().pixelColor(400, 400), QColor(Qt::white));
    EXPECT_EQ(canvas()->renderCount(), renders + 1);
}

TEST_F(PlotViewTest, TheGridIsDottedAtTheRulersTicks) {
    // 0..100 over 800 pixels ticks every 10 (80 pixels) for any face whose "9.99 " fits in 80 pixels.
    view_.setView(0, 100, 0, 100, true);
    const QImage picture = canvas()->grab().toImage();
    struct Column {
        int x;
        bool dotted;
    };
    for (const Column column : {Column{80, true}, Column{400, true}, Column{720, true}, Column{40, false},
                                Column{81, false}, Column{439, false}}) {
        for (int y = 100; y < 110; ++y) {
            const bool black = column.dotted && y % 2 == 0;  // a dot and a gap in turn from the top
            EXPECT_EQ(picture.pixelColor(column.x, y), QColor(black ? Qt::black : Qt::white))
                << column.x << ", " << y;
        }
    }
}

// Labels keep to the 12 pixels of a ruler away from the plot, so whatever face draws them, pixel 12
// across is the black edge and pixel 13 the grey body, black only at a tick mark.
TEST(PlotImage, DrawsTheRulersAndTheCurvesAsTheViewDoes) {
    PlotModel plot;
    plot.setAxis("Meter", "Meter", 0, true, false);
    const int slot = plot.addGraph(0xFF0000, "New graph - 1").value();
    plot.addPoint(slot, 0, 50);
    plot.addPoint(slot, 100, 50);
    const QSize size(415, 215);
    const QImage image = plotImage(plot, {0, 100, 0, 100}, size);
    EXPECT_EQ(image.size(), size);
    const QColor grey(192, 192, 192), black(Qt::black);
    struct Ruler {
        Qt::Orientation orientation;
        QSize size;
        std::function<QPoint(int along, int across)> pixel;
    };
    const Ruler rulers[] = {
        {Qt::Horizontal, {size.width(), 15}, [](int along, int across) { return QPoint(along, across); }},
        {Qt::Vertical,
         {15, size.height()},
         [&size](int along, int across) { return QPoint(across, size.height() - along); }},
    };
    for (const Ruler& ruler : rulers) {
        std::set<int> marks;
        int tick = -1;
        for (const RulerMark& mark : ruler::layout(ruler.orientation, ruler.size, 0, 100, "").marks) {
            marks.insert(mark.at);
            if (mark.length == 3) tick = mark.at;
        }
        ASSERT_GT(tick, 0) << ruler.orientation;
        int unmarked = 20;
        while (marks.count(unmarked))
            ++unmarked;
        EXPECT_EQ(image.pixelColor(ruler.pixel(unmarked, 12)), black) << ruler.orientation;
        EXPECT_EQ(image.pixelColor(ruler.pixel(unmarked, 13)), grey) << ruler.orientation;
        EXPECT_EQ(image.pixelColor(ruler.pixel(tick, 13)), black) << ruler.orientation;
    }
    // y = 50 of 0..100 over the 200 pixels below the ruler: 100 up from the bottom. 59 pixels down
    // (70.5) is on no grid line.
    EXPECT_EQ(image.pixelColor(15 + 201, 15 + 100), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(15 + 201, 15 + 59), QColor(Qt::white));
}

}  // namespace
