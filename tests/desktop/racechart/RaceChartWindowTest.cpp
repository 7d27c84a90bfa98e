#include "desktop/racechart/RaceChartWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPaintEngine>
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
        dialogs_.onWindow<RaceChartWindow>([&](RaceChartWindow& window) {
            ++shown;
            look(window);
        });
        frame_->runCommand(ID_GRAPHICAL_RACE_REPORT);
        EXPECT_EQ(shown, 1);
    }
    static QColor colourOf(int index) {
        const Rgb& c = palette()[static_cast<std::size_t>(index)];
        return QColor(c.r, c.g, c.b);
    }
};

TEST_F(RaceChartWindowTest, AReplayWithoutARaceGivesAMessageAndNoWindow) {
    dialogs_.yesNo = [](const QString&) { return true; };
    dialogs_.replayFile = [](const QString&) {
        return std::optional(replay("Hollowmere practice, two drivers.rpy"));
    };
    dialogs_.window = [](QDialog&) { ADD_FAILURE() << "no window without a race"; };
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
        EXPECT_EQ(read.pixelColor(kColumnWidth + 190, kRowHeight * (r - 1) + kTopMargin + 4),
                  colourOf(kLapped));
        // The polesitter's line leaves the start column's top row.
        EXPECT_EQ(read.pixelColor(197, kTopMargin + 8), colourOf(driverColour(chart.start.front())));

        window.pathChooser = [&](const QString&) { return std::optional(out.filePath("second")); };
        window.exportBitmap();
        EXPECT_TRUE(QFile::exists(out.filePath("second.bmp")));
    });
}

TEST_F(RaceChartWindowTest, TheBarsScrollInPerCent) {
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
    });
}

struct WheelStep {
    QPoint angle;
    Qt::KeyboardModifiers modifiers;
    QPoint barsAfter;  // horizontal, vertical
};

TEST_F(RaceChartWindowTest, TheWheelStepsALineANotchAddingUpPartsOfOne) {
    const std::vector<WheelStep> steps{
        {{0, -120}, Qt::NoModifier, {0, 1}},
        {{0, -40}, Qt::NoModifier, {0, 1}},
        {{0, -40}, Qt::NoModifier, {0, 1}},
        {{0, -40}, Qt::NoModifier, {0, 2}},  // a touchpad's thirds make a notch
        {{-120, 0}, Qt::NoModifier, {1, 2}},
        {{0, -120}, Qt::ShiftModifier, {2, 2}},
        {{0, 60}, Qt::NoModifier, {2, 2}},
        {{0, 60}, Qt::NoModifier, {2, 1}},
    };
    addLap("Rivaldi weekend (saved in race).rpy");
    openChart([&](RaceChartWindow& window) {
        const QPointF at(20, 20);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            QWheelEvent event(at, window.canvas()->mapToGlobal(at), QPoint(), steps[i].angle, Qt::NoButton,
                              steps[i].modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(window.canvas(), &event);
            EXPECT_EQ(QPoint(window.horizontalBar()->value(), window.verticalBar()->value()),
                      steps[i].barsAfter)
                << "step " << i;
        }
    });
}

// Records the texts painted on it, in order, whatever font draws them.
class TextRecorder : public QPaintDevice {
public:
    QStringList texts;

    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        if (metric == PdmWidth || metric == PdmHeight) return 1000;
        if (metric == PdmDepth) return 32;
        if (metric == PdmDpiX || metric == PdmDpiY || metric == PdmPhysicalDpiX || metric == PdmPhysicalDpiY)
            return 96;
        return QPaintDevice::metric(metric);
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(QStringList& texts) : QPaintEngine(AllFeatures), texts_(texts) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawRects(const QRect*, int) override {}
        void drawRects(const QRectF*, int) override {}
        void drawLines(const QLineF*, int) override {}
        void drawLines(const QLine*, int) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override { texts_.append(item.text()); }
        Type type() const override { return User; }

    private:
        QStringList& texts_;
    };

    mutable Engine engine_{texts};
};

TEST(RaceChartImage, TheLegendIsPaintedBeforeTheHeadingsItReachesInto) {
    RaceChartLayout chart;
    chart.laps = 2;
    chart.width = kColumnWidth * 3 + 218;
    chart.height = kTopMargin + 30;
    TextRecorder recorder;
    paintRaceChart(recorder, chart);
    EXPECT_EQ(recorder.texts.join(" | ").toStdString(),
              "S | =On lead lap | =Lapped | 1 | 2 | Created with VELTRA4 Replay Analyser | Lap | Pos");
}

}  // namespace
