#include "desktop/racechart/RaceChartWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "MainWindowTestBase.h"
#include "common/SimulatorFolders.h"
#include "racechart/RaceChartPalette.h"

namespace {

using namespace racechart;

class RaceChartWindowTest : public MainWindowTestBase {
protected:
    // Opens the chart through the Reports menu's command; the test looks at the open window.
    void openChart(const std::function<void(RaceChartWindow&)>& look) {
        int shown = 0;
        frame_->raceChartShower = [&](RaceChartWindow& window) {
            ++shown;
            look(window);
        };
        frame_->runCommand(ID_GRAPHICAL_RACE_REPORT);
        EXPECT_EQ(shown, 1);
    }
    static QColor colourOf(int index) {
        const Rgb& c = palette()[static_cast<std::size_t>(index)];
        return QColor(c.r, c.g, c.b);
    }
};

TEST_F(RaceChartWindowTest, AReplayWithoutARaceGivesAMessageAndNoWindow) {
    ReportCommands& reports = frame_->reportCommands();
    reports.askYesNo = [](const QString&) { return true; };
    reports.replayChooser = [] { return std::optional(replay("Hollowmere practice, two drivers.rpy")); };
    frame_->raceChartShower = [](RaceChartWindow&) { ADD_FAILURE() << "no window without a race"; };
    EXPECT_TRUE(enabled(ID_GRAPHICAL_RACE_REPORT));
    frame_->runCommand(ID_GRAPHICAL_RACE_REPORT);
    EXPECT_EQ(messages_,
              (QStringList{"No replay lap loaded!", "This replay file does not contain race info!"}));
}

TEST_F(RaceChartWindowTest, TheExportedBitmapHoldsTheChartsColoursAtItsCells) {
    addLap("Rivaldi weekend (saved in race).rpy");
    QTemporaryDir out;
    openChart([&](RaceChartWindow& window) {
        EXPECT_EQ(window.windowTitle(), "Graphical Race Report");
        const RaceChartLayout& chart = window.chart();
        EXPECT_EQ(window.image().size(), QSize(chart.width, chart.height));

        QString proposed;
        window.pathChooser = [&](const QString& proposal) {
            proposed = proposal;
            return std::optional(out.filePath("weekend chart.BMP"));
        };
        window.exportBitmap();
        EXPECT_EQ(proposed.toStdString(), (replayFolder(sim_->path()) / "Rivaldi_RaceReport.bmp").string());
        const QImage read(out.filePath("weekend chart.BMP"));
        ASSERT_FALSE(read.isNull());
        EXPECT_EQ(read.format(), QImage::Format_Indexed8);
        ASSERT_EQ(read.size(), QSize(chart.width, chart.height));

        const int r = chart.drivers;
        EXPECT_EQ(read.pixelColor(chart.width - 3, chart.height - 3), colourOf(kBackground));
        EXPECT_EQ(read.pixelColor(187, kTopMargin), colourOf(kInterior));
        // Race Control never drives: his row is empty and shaded at every lap.
        const RaceChartColumn& lap1 = chart.columns.front();
        ASSERT_TRUE(lap1.shadedFrom.has_value());
        EXPECT_EQ(read.pixelColor(kColumnWidth + 190, kRowHeight * (r - 1) + kTopMargin + 4),
                  colourOf(kLapped));
        // The polesitter's line leaves the start column's top row.
        EXPECT_EQ(read.pixelColor(197, kTopMargin + 8), colourOf(driverColour(chart.start.front())));

        window.pathChooser = [&](const QString&) { return std::optional(out.filePath("second")); };
        window.exportBitmap();
        EXPECT_TRUE(QFile::exists(out.filePath("second.bmp")));
    });
}

TEST_F(RaceChartWindowTest, TheBarsScrollInPerCentAndTheWheelStepsALine) {
    addLap("Rivaldi weekend (saved in race).rpy");
    openChart([&](RaceChartWindow& window) {
        window.resize(300, 260);
        window.show();
        const QSize canvas = window.canvas()->size();
        const QSize image = window.image().size();
        EXPECT_EQ(window.sourceOffset(), QPoint(0, 0));
        window.horizontalBar()->setValue(100);
        window.verticalBar()->setValue(50);
        EXPECT_EQ(window.sourceOffset(), QPoint(std::max(0, image.width() - canvas.width() + 20),
                                                std::max(0, (image.height() - canvas.height() + 60) / 2)));
        window.verticalBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(window.verticalBar()->value(), 55);
        window.verticalBar()->setValue(200);
        EXPECT_EQ(window.verticalBar()->value(), 100);

        window.verticalBar()->setValue(10);
        const QPointF at(20, 20);
        QWheelEvent down(at, window.canvas()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.canvas(), &down);
        EXPECT_EQ(window.verticalBar()->value(), 11);
    });
}

}  // namespace
