#include "desktop/compare/LapComparisonDock.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <functional>

#include "FileBytes.h"
#include "MainWindowTestBase.h"
#include "TempDir.h"
#include "common/TimeText.h"
#include "desktop/common/QtText.h"
#include "desktop/compare/ComparisonPlots.h"
#include "desktop/compare/ComparisonPlotsView.h"
#include "desktop/compare/ComparisonSession.h"
#include "desktop/graphs/PlotCanvas.h"
#include "desktop/graphs/PlotView.h"
#include "desktop/map/PlaybackController.h"
#include "desktop/map/TrackMapView.h"

namespace {

class LapComparisonDockTest : public MainWindowTestBase {
protected:
    void SetUp() override {
        MainWindowTestBase::SetUp();
        showFrame();
    }
    void showFrame() {
        frame_->resize(1200, 900);
        frame_->show();
        QApplication::processEvents();
    }
    // Closes the window and opens a new one over the same settings, with race laps of `drivers`.
    void restartWith(std::initializer_list<int> drivers) {
        EXPECT_TRUE(frame_->close());
        frame_ = std::make_unique<MainWindow>(settings_, &dialogs_);
        showFrame();
        addRaceLaps(drivers);
        QApplication::processEvents();
    }
    LapComparisonDock& dock() { return *frame_->comparisonDock(); }
    ComparisonSession& session() { return frame_->comparisonSession(); }
};

TEST_F(LapComparisonDockTest, AppearsWhenASecondLapIsLoadedTogglesAndIsRemembered) {
    const QAction* toggle = frame_->action(ID_VIEW_LAP_COMPARISON);
    EXPECT_FALSE(dock().isVisible());
    EXPECT_EQ(frame_->dockWidgetArea(&dock()), Qt::BottomDockWidgetArea);
    addRaceLaps({0});
    EXPECT_FALSE(dock().isVisible());
    addRaceLaps({3});
    EXPECT_TRUE(dock().isVisible());
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_FALSE(dock().messageLabel()->isVisibleTo(&dock()));

    frame_->runCommand(ID_VIEW_LAP_COMPARISON);
    EXPECT_FALSE(dock().isVisible());
    EXPECT_FALSE(toggle->isChecked());
    addRaceLaps({1});
    EXPECT_FALSE(dock().isVisible()) << "a third lap leaves the user's choice alone";
    frame_->runCommand(ID_VIEW_LAP_COMPARISON);
    EXPECT_TRUE(dock().isVisible());
    EXPECT_TRUE(toggle->isChecked());

    // Its place and visibility are saved with the window's (by its object name).
    restartWith({});
    EXPECT_TRUE(dock().isVisible());
    EXPECT_TRUE(frame_->action(ID_VIEW_LAP_COMPARISON)->isChecked());
}

// Closed by the user, with its title bar's button or from the View menu, the dock stays closed when
// laps are compared again, after a restart too, until the View menu opens it.
TEST_F(LapComparisonDockTest, ADockTheUserClosedStaysClosedUntilOpenedAgain) {
    const auto restartWithTwoLaps = [this] {
        restartWith({0, 3});
        return dock().isVisible();
    };
    addRaceLaps({0, 3});
    ASSERT_TRUE(dock().isVisible());
    dock().close();
    EXPECT_FALSE(restartWithTwoLaps()) << "closed with its button";

    frame_->runCommand(ID_VIEW_LAP_COMPARISON);
    EXPECT_TRUE(restartWithTwoLaps()) << "opened from the View menu";

    frame_->runCommand(ID_VIEW_LAP_COMPARISON);
    EXPECT_FALSE(restartWithTwoLaps()) << "closed from the View menu";
}

// The dock takes two fifths of the window's height when it first opens by itself; afterwards it
// opens at the height the user left it.
TEST_F(LapComparisonDockTest, OpensAtTheRememberedHeight) {
    addRaceLaps({0, 3});
    frame_->resizeDocks({&dock()}, {150}, Qt::Vertical);
    QApplication::processEvents();
    const int remembered = dock().height();
    ASSERT_LT(remembered, frame_->height() * 2 / 5 - 20);
    restartWith({0, 3});
    ASSERT_TRUE(dock().isVisible());
    EXPECT_EQ(dock().height(), remembered);
}

TEST_F(LapComparisonDockTest, WithFewerThanTwoLapsAHintAndARefusalSaysWhy) {
    frame_->runCommand(ID_VIEW_LAP_COMPARISON);
    EXPECT_EQ(dock().messageLabel()->text(), "Load two or more laps to compare them.");
    EXPECT_TRUE(dock().messageLabel()->isVisible());

    addRaceLaps({0, 3});
    // A lap whose samples hold no position has no distances to compare along.
    LapTelemetry& lap = *frame_->document().slots()[1].lapData;
    std::fill(lap.distanceM.begin(), lap.distanceM.end(), 0.0);
    std::fill(lap.lateralM.begin(), lap.lateralM.end(), 0.0);
    session().refresh();
    EXPECT_EQ(session().comparison(), nullptr);
    EXPECT_EQ(dock().messageLabel()->text(), "A lap without distances along the track cannot be compared.");
    EXPECT_TRUE(dock().messageLabel()->isVisible());
}

TEST_F(LapComparisonDockTest, TheChooserOffersEveryLapInFullAndSetsTheReference) {
    addRaceLaps({0, 3, 1});
    QComboBox* chooser = dock().referenceChooser();
    ASSERT_EQ(chooser->count(), 3);
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_EQ(chooser->itemText(slot), fromWin1252(fullLapCaption(frame_->document().slots()[slot])));
    // Which lap is the reference at first is the session's (TheSessionColoursTheFirstOtherLap...).
    EXPECT_EQ(chooser->currentIndex(), session().referenceSlot());

    const int other = (*session().referenceSlot() + 1) % 3;
    chooser->setCurrentIndex(other);
    Q_EMIT chooser->activated(other);
    EXPECT_EQ(session().referenceSlot(), other);
    EXPECT_EQ(chooser->currentIndex(), other);
}

// The map colours one lap by time gained: the first compared lap after the reference unless the
// user chose another, never the reference itself.
TEST_F(LapComparisonDockTest, TheSessionColoursTheFirstOtherLapUnlessAnotherIsChosen) {
    addRaceLaps({0, 3, 1});  // lap times 1m 16.236s, 1m 16.009s, 1m 15.928s
    QSignalSpy changed(&session(), &ComparisonSession::comparisonChanged);
    QSignalSpy moved(&session(), &ComparisonSession::cursorMoved);
    struct Step {
        const char* what;
        std::function<void()> act;
        int reference;
        std::vector<int> slots;
        int coloured;
    };
    const Step steps[] = {
        {"the fastest is the reference", [] {}, 2, {2, 0, 1}, 0},
        {"another lap coloured", [this] { session().setColouredSlot(1); }, 2, {2, 0, 1}, 1},
        {"the coloured lap made the reference", [this] { session().setReferenceSlot(1); }, 1, {1, 0, 2}, 0},
        {"the chosen lap coloured again once it is not the reference",
         [this] { session().setReferenceSlot(0); },
         0,
         {0, 1, 2},
         1},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(session().referenceSlot(), step.reference) << step.what;
        EXPECT_EQ(session().slots(), step.slots) << step.what;
        EXPECT_EQ(session().colouredSlot(), step.coloured) << step.what;
    }
    EXPECT_EQ(changed.count(), 3);
    session().setCursor(250);
    session().setCursor(250);
    EXPECT_EQ(moved.count(), 1) << "told once per move";
}

// The chosen reference and coloured laps follow their laps when Move/Remove reorders the slots;
// once the reference is removed, or every lap cleared, the fastest is the reference again. The dock
// is shown throughout, so each change also repaints it (and the map) while the laps change.
TEST_F(LapComparisonDockTest, TheChosenLapsAreRememberedByLapNotBySlot) {
    addRaceLaps({0, 3, 1});  // lap times 1m 16.236s, 1m 16.009s, 1m 15.928s
    session().setReferenceSlot(0);
    session().setColouredSlot(1);
    const struct {
        const char* what;
        std::function<void()> act;
        int reference;
        int coloured;
    } steps[] = {
        {"the first two laps swapped",
         [this] {
             frame_->document().applyLapOrder({1, 0, 2});
         },
         1, 0},
        {"the reference removed",
         [this] {
             frame_->document().applyLapOrder({0, 2});
         },
         1, 0},
        {"cleared and loaded again",
         [this] {
             frame_->runCommand(ID_FILE_NEW);
             addRaceLaps({0, 3, 1});
         },
         2, 0},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(session().referenceSlot(), step.reference) << step.what;
        EXPECT_EQ(session().colouredSlot(), step.coloured) << step.what;
        EXPECT_EQ(dock().referenceChooser()->currentIndex(), step.reference) << step.what;
    }
}

// Settings accepted, during a playback or not, turn the speeds into the unit they ask for and
// keep the plots' zoom. The playback is paused: still under way, but no tick moves the cursor while
// the dialog is open.
TEST_F(LapComparisonDockTest, SettingsChangeTheSpeedUnitAndKeepTheZoom) {
    for (const bool duringPlayback : {false, true}) {
        SCOPED_TRACE(duringPlayback ? "during a playback" : "no playback");
        settings_.setSpeedInMph(false);
        frame_->runCommand(ID_FILE_NEW);
        addRaceLaps({0, 3});
        if (duringPlayback) {
            frame_->runCommand(ID_START_CONTINUE);
            frame_->runCommand(ID_PAUSE);
            ASSERT_TRUE(frame_->playback().active());
        }
        PlotView& speed = *dock().plots()->speedPlot();
        speed.setView(100, 600, 50, 150, true);
        const PlotRange delta = dock().plots()->deltaPlot()->canvas()->range();
        session().setCursor(300);
        const std::optional<DeltaPoint> point = session().comparison()->laps[1].at(300);

        settings_.setSpeedInMph(true);
        acceptSettings();
        EXPECT_EQ(speed.model().axis(false).unit(), "mph");
        EXPECT_EQ(speed.canvas()->range(), (PlotRange{100, 600, comparisonplots::shownSpeed(50, true),
                                                      comparisonplots::shownSpeed(150, true)}));
        EXPECT_EQ(dock().plots()->deltaPlot()->canvas()->range(), delta);
        EXPECT_EQ(dock().readouts()[1]->text(), fromUtf8(comparisonplots::readout(*point, true)));
        frame_->runCommand(ID_STOP);
    }
}

TEST(ComparisonReadout, GivesTheDeltaInMillisecondsAndTheSpeedInTheChosenUnit) {
    struct Case {
        double delta, speed;
        bool mph;
        const char* text;
    };
    for (const Case& c :
         {Case{0.2134, 183.4, false, "+0.213 s  183 km/h"}, Case{-1.0006, 99.5, false, "-1.001 s  100 km/h"},
          Case{-0.0004, 0, false, "+0.000 s  0 km/h"}, Case{0, 161, true, "+0.000 s  100 mph"}}) {
        EXPECT_EQ(comparisonplots::readout({1000, 20, c.delta, c.speed}, c.mph), c.text) << c.text;
    }
}

TEST_F(LapComparisonDockTest, ThePointerOverEitherPlotMovesTheOneCursorAndItsReadouts) {
    addRaceLaps({0, 3});
    QApplication::processEvents();  // the dock laid out as it opens
    const ComparisonPlotsView* plots = dock().plots();
    const int plotsWidth = plots->width();
    for (PlotView* plot : {plots->deltaPlot(), plots->speedPlot()}) {
        PlotCanvas* canvas = plot->canvas();
        const QPoint at(canvas->width() / 3, canvas->height() / 2);
        QTest::mouseMove(canvas, at);
        const double distance = xMapOf(canvas->range(), canvas->width()).toValue(at.x());
        ASSERT_EQ(session().cursor(), distance);
        EXPECT_EQ(plots->deltaPlot()->canvas()->markerX(), distance);
        EXPECT_EQ(plots->speedPlot()->canvas()->markerX(), distance);
    }

    session().setCursor(1000);
    EXPECT_EQ(dock().cursorLabel()->text(), "At 1000 m");
    const LapComparison& comparison = *session().comparison();
    ASSERT_EQ(dock().readouts().size(), 2u);
    EXPECT_TRUE(dock().readouts()[0]->text().startsWith("+0.000 s  ")) << "the reference against itself";
    EXPECT_EQ(dock().readouts()[1]->text().toStdString(),
              comparisonplots::readout(*comparison.laps[1].at(1000), false));
    QApplication::processEvents();
    EXPECT_EQ(plots->width(), plotsWidth) << "the readouts make room for themselves from the start";

    session().setCursor(std::nullopt);
    EXPECT_EQ(dock().readouts()[1]->text(), "");
    EXPECT_EQ(plots->speedPlot()->canvas()->markerX(), std::nullopt);
}

TEST_F(LapComparisonDockTest, ZoomingTheDistanceOfOnePlotMovesTheOther) {
    addRaceLaps({0, 3});
    PlotCanvas* delta = dock().plots()->deltaPlot()->canvas();
    PlotCanvas* speed = dock().plots()->speedPlot()->canvas();
    const PlotRange speedBefore = speed->range();
    delta->setRange({100, 900, -1, 1}, true);
    EXPECT_EQ(speed->range(), (PlotRange{100, 900, speedBefore.y1, speedBefore.y2}));
    speed->undo();  // nothing of its own to undo
    speed->setRange({200, 300, 0, 50}, true);
    EXPECT_EQ(delta->range(), (PlotRange{200, 300, -1, 1}));

    // Undo goes back only on the plot zoomed: the one that followed has no older range to jump to.
    speed->fit(FitKind::Height);
    ASSERT_TRUE(speed->canUndo());
    delta->fit(FitKind::Width);
    EXPECT_TRUE(delta->canUndo());
    EXPECT_FALSE(speed->canUndo());
    delta->undo();
    EXPECT_EQ(delta->range(), (PlotRange{200, 300, -1, 1}));
    EXPECT_EQ(std::pair(speed->range().x1, speed->range().x2), std::pair(200.0, 300.0));
}

TEST_F(LapComparisonDockTest, TheSectorTableMarksTheBestOfEachColumnAndGivesTheTheoreticalBest) {
    addRaceLaps({0, 3, 1});
    const LapComparison& comparison = *session().comparison();
    const QTableWidget* table = dock().sectorTable();
    ASSERT_EQ(table->rowCount(), 3);
    ASSERT_EQ(table->columnCount(), 1 + kComparedSectors);
    // Which time is best and the theoretical best are the core's; the table shows them.
    for (int column = 1; column <= kComparedSectors; ++column) {
        const SectorComparison& sector = comparison.sectors[static_cast<std::size_t>(column - 1)];
        EXPECT_EQ(table->horizontalHeaderItem(column)->text(), "Sector " + QString::number(column));
        for (int row = 0; row < 3; ++row) {
            SCOPED_TRACE(testing::Message() << row << ", " << column);
            const QTableWidgetItem* cell = table->item(row, column);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->font().bold(), row == sector.best);
            const QString time = QString::asprintf("%.3f", *sector.times[row]);
            EXPECT_EQ(cell->text(),
                      row == 0 ? time : time + QString::asprintf("\n%+.3f", *sector.deltas[row]));
        }
    }
    EXPECT_EQ(dock().theoreticalBestLabel()->text().toStdString(),
              "Theoretical best: " + formatElapsedTime(static_cast<std::uint32_t>(
                                         std::lround(*comparison.theoreticalBest * 1000))));
}

TEST_F(LapComparisonDockTest, ThePlotsSaveAsAPictureAndTheDataAsUtf8Csv) {
    addRaceLaps({0, 3});
    TempDir folder;
    QStringList messages;
    std::vector<QString> filters;
    dock().showMessage = [&](const QString& text) { messages << text; };
    QString chosen;
    dock().chooseSavePath = [&](const QString&, const QString& filter) -> std::optional<QString> {
        filters.push_back(filter);
        return chosen;
    };

    chosen = QString::fromStdString((folder / "plots.png").string());
    dock().savePicture();
    const QImage picture(chosen);
    const ComparisonPlotsView* plots = dock().plots();
    EXPECT_EQ(picture.size(), QSize(plots->deltaPlot()->width(),
                                    plots->deltaPlot()->height() + plots->speedPlot()->height()));

    chosen = QString::fromStdString((folder / "data.csv").string());
    dock().saveData();
    const std::vector<std::uint8_t> csv = fileBytes(folder / "data.csv");
    EXPECT_NE(std::string(csv.begin(), csv.end()).find("Tanaka \xC2\xB7 Race lap 2"), std::string::npos)
        << "captions in UTF-8";

    chosen = QString::fromStdString((folder / "missing" / "data.csv").string());
    dock().saveData();
    dock().savePicture();
    EXPECT_EQ(messages, (QStringList{"Error creating file!", "Error creating file!"}));
    EXPECT_EQ(filters, (std::vector<QString>{"PNG pictures (*.png)", "CSV files (*.csv)", "CSV files (*.csv)",
                                             "PNG pictures (*.png)"}));
}

// vxra compare -o draws this picture: the delta plot over the speed plot. Here the second lap loses
// a second steadily at one steady speed, so its delta climbs across the upper half while its speed
// lies flat in the lower one.
TEST(ComparisonPicture, StacksTheDeltaPlotOverTheSpeedPlot) {
    LapComparison comparison;
    for (const double slope : {0.0, 0.001}) {
        ComparedLap lap{};
        for (double distance = 0; distance <= 1000; distance += 10)
            lap.points.push_back({distance, distance / 50, distance * slope, 100 + 100 * slope * 1000});
        comparison.laps.push_back(lap);
    }
    const QImage picture = comparisonplots::picture(comparison, {0xFF0000, 0x0000FF}, false, QSize(600, 400));
    ASSERT_EQ(picture.size(), QSize(600, 400));
    struct Rows {
        int first = 400, last = -1;
    };
    Rows upper, lower;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 600; ++x) {
            if (picture.pixelColor(x, y) != QColor(Qt::blue)) continue;
            Rows& rows = y < 200 ? upper : lower;
            rows.first = std::min(rows.first, y);
            rows.last = std::max(rows.last, y);
        }
    }
    EXPECT_GT(upper.last - upper.first, 100) << "the delta climbs over most of the upper plot";
    EXPECT_GE(lower.first, 200);
    EXPECT_LE(lower.last - lower.first, 1) << "the speed lies flat";
}

}  // namespace
