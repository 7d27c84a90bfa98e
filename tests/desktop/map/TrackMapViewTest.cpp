#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include "ImagePixels.h"
#include "MainWindowTestBase.h"
#include "PrintPreviewPage.h"
#include "TempDir.h"
#include "desktop/document/DocumentColours.h"
#include "desktop/map/TrackMapView.h"
#include "map/LapPosition.h"

namespace {

namespace fs = std::filesystem;

class TrackMapViewTest : public MainWindowTestBase {
protected:
    void SetUp() override {
        MainWindowTestBase::SetUp();
        dialogs_.bitmapPath = [this](const QString& proposed) {
            proposed_ = proposed;
            return bitmapAnswer_;
        };
    }

    // The first race lap of the weekend on a window of 900 x 700, laid out.
    TrackMapView& viewWithALap() {
        addLap("Rivaldi weekend (saved in race).rpy");
        frame_->resize(900, 700);
        frame_->view()->viewport()->grab();
        return *frame_->view();
    }
    void movePointer(QPointF at) {
        QWidget* viewport = frame_->view()->viewport();
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
    }

    QString proposed_;
    std::optional<QString> bitmapAnswer_;
};

TEST_F(TrackMapViewTest, ZoomToolsSwitchEachOtherOff) {
    EXPECT_FALSE(enabled(ID_ZOOM_IN) || enabled(ID_PANNING_TOOL));
    addLap("Rivaldi weekend (saved in race).rpy");
    EXPECT_TRUE(enabled(ID_ZOOM_IN) && enabled(ID_ZOOM_OUT) && enabled(ID_PANNING_TOOL) &&
                enabled(ID_FIT_TO_TRACK));

    frame_->runCommand(ID_ZOOM_IN);
    EXPECT_TRUE(frame_->action(ID_ZOOM_IN)->isChecked());
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Click to zoom in on point or drag a zoom box.");
    frame_->runCommand(ID_PANNING_TOOL);
    EXPECT_FALSE(frame_->action(ID_ZOOM_IN)->isChecked()) << "panning switches the zoom tool off";
    EXPECT_TRUE(frame_->action(ID_PANNING_TOOL)->isChecked());
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Use the panning tool to move the trackmap around.");
    frame_->runCommand(ID_ZOOM_OUT);
    EXPECT_FALSE(frame_->action(ID_PANNING_TOOL)->isChecked()) << "zooming switches panning off";
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Click to zoom out on point.");
    frame_->runCommand(ID_ZOOM_OUT);
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Ready") << "the tool's hint ends";
    frame_->runCommand(ID_PANNING_TOOL);
    frame_->runCommand(ID_FIT_TO_TRACK);
    EXPECT_FALSE(frame_->view()->panning()) << "Show whole track switches panning off";
}

TEST_F(TrackMapViewTest, TheWheelZoomsAndANewTrackIsShownWhole) {
    viewWithALap();
    QWheelEvent wheel(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(frame_->view()->viewport(), &wheel);
    EXPECT_DOUBLE_EQ(frame_->view()->zoom().factor(), 1.25);

    frame_->runCommand(ID_FILE_NEW);
    addLap("Rivaldi quick race.rpy");
    frame_->view()->viewport()->grab();
    EXPECT_EQ(frame_->view()->zoom().factor(), 1);
}

TEST_F(TrackMapViewTest, KeyboardShortcutsZoomAboutTheCentreFitAndQuit) {
    addLap("Rivaldi weekend (saved in race).rpy");
    frame_->show();
    frame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    const TrackMapView& view = *frame_->view();
    const auto centre = [&view] {
        return view.zoom().toMap(view.zoom().viewportWidth() / 2.0, view.zoom().viewportHeight() / 2.0);
    };
    const MapZoom::Point before = centre();

    QTest::keyClick(frame_.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.zoom().factor(), 1.25);
    QTest::keyClick(frame_.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.zoom().factor(), 1.5625);
    EXPECT_NEAR(centre().x, before.x, 1) << "the middle of the map stays in the middle";
    EXPECT_NEAR(centre().y, before.y, 1);
    QTest::keyClick(frame_.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.zoom().factor(), 1.25);
    QTest::keyClick(frame_.get(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(frame_.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(view.zoom().factor(), 1) << "Ctrl+0 fits the track";
    QTest::keyClick(frame_.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(frame_->isVisible()) << "Ctrl+Q closes the window";
}

TEST_F(TrackMapViewTest, AFittedMapHasNoScrollBars) {
    addLap("Rivaldi weekend (saved in race).rpy");
    frame_->show();
    const TrackMapView& view = *frame_->view();
    frame_->runCommand(ID_ZOOM_IN_CENTRE);
    // The fitted map's size in pixels is a fraction over the view's for some view sizes.
    for (int height = 700; height < 730; ++height) {
        frame_->resize(1000, height);
        QApplication::processEvents();
        frame_->runCommand(ID_FIT_TO_TRACK);
        QApplication::processEvents();
        EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0) << "window height " << height;
        EXPECT_EQ(view.verticalScrollBar()->maximum(), 0) << "window height " << height;
    }
}

TEST_F(TrackMapViewTest, ExportedBitmapShowsTheTrackMarkersAndLines) {
    frame_->runCommand(ID_SAVE_TRACKMAP_BMP);
    EXPECT_EQ(messages_, QStringList({"No track loaded!"}));

    addLap("Rivaldi weekend (saved in race).rpy");
    addLap("Rivaldi quick race.rpy");
    ASSERT_EQ(frame_->document().lapCount(), 2);
    TempDir out;
    bitmapAnswer_ = QString::fromStdString((out.path() / "map").string());
    settings_.setBmpSizeInPixel(300);
    frame_->runCommand(ID_SAVE_TRACKMAP_BMP);
    EXPECT_EQ(proposed_, QString::fromStdString((sim_->path() / "replay" / "Rivaldi.bmp").string()));
    QFile file(QString::fromStdString((out.path() / "map.bmp").string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QImage image = QImage::fromData(file.readAll(), "BMP");
    ASSERT_EQ(image.size(), QSize(300, 300));

    const ReplayDocument& document = frame_->document();
    const MapTransform transform(300, 300, 5, 5, *document.trackModel());
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
    const TrackMarker& marker = document.trackModel()->markers()[1];
    const MapPoint nearLeft = transform.toMap({marker.left.x + (marker.right.x - marker.left.x) * 0.15,
                                               marker.left.y + (marker.right.y - marker.left.y) * 0.15});
    EXPECT_EQ(image.pixelColor(static_cast<int>(nearLeft.x), static_cast<int>(nearLeft.y)),
              QColor(255, 0, 0));
    const ReplayDocument::Slot& second = document.slots()[1];
    const auto onLine = second.drivingLine->mapPoint(second.lapData->sampleCount / 3, transform);
    ASSERT_TRUE(onLine);
    EXPECT_EQ(image.pixelColor(static_cast<int>(onLine->x), static_cast<int>(onLine->y)), QColor(0, 0, 255))
        << "lap 2's line, drawn last";

    bitmapAnswer_ = QString::fromStdString((out.path() / "no folder" / "map.bmp").string());
    frame_->runCommand(ID_SAVE_TRACKMAP_BMP);
    EXPECT_EQ(messages_.last(), "Error creating file!");
    EXPECT_FALSE(fs::exists(out.path() / "no folder"));
}

TEST_F(TrackMapViewTest, PrintingWithoutATrackPrintsTheHeaderAlone) {
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("map.pdf"));
    frame_->view()->print(printer, "     VELTRA4 Replay Analyser - No lap selected", {});
    EXPECT_TRUE(QFile::exists(folder.filePath("map.pdf")));

    addLap("Rivaldi weekend (saved in race).rpy");
    printer.setOutputFileName(folder.filePath("map2.pdf"));
    frame_->view()->print(printer, "     VELTRA4 Replay Analyser - Rivaldi",
                          {{"M Tanaka 1m 16.236s", Qt::red}});
    EXPECT_GT(QFile(folder.filePath("map2.pdf")).size(), QFile(folder.filePath("map.pdf")).size())
        << "the map follows the header";
}

TEST_F(TrackMapViewTest, ThePointerNearADrivingLineShowsItsSampleEvenPastTheFinishLine) {
    TrackMapView& view = viewWithALap();
    const QPointF onLine = onMap(frame_->document().slots()[0].lapData->sampleCount / 2);
    const MapZoom::Point at = view.zoom().toView(onLine.x(), onLine.y());

    movePointer(QPointF(at.x + 2, at.y));
    ASSERT_EQ(view.readout().size(), 6);
    EXPECT_EQ(view.readout()[0], "M Tanaka 1m 16.236s");
    const QImage withNote = view.viewport()->grab().toImage();

    movePointer(QPointF(5, view.viewport()->height() - 5));
    EXPECT_TRUE(view.readout().isEmpty()) << "nothing away from the lines";
    EXPECT_NE(view.viewport()->grab().toImage(), withNote) << "the note is gone";

    movePointer(QPointF(at.x, at.y));
    EXPECT_FALSE(view.readout().isEmpty());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(view.viewport(), &leave);
    EXPECT_TRUE(view.readout().isEmpty()) << "the pointer left the map";
    EXPECT_EQ(view.zoom().factor(), 1) << "the readout never moves the map";

    // Zoomed at the finish line, the pointer on the driving line's last sample, which lies past
    // the line, reads the lap's own sample there, not the next lap's distance and time.
    const QPointF last = onMap(frame_->document().slots()[0].lapData->sampleCount - 2);
    view.zoomAboutCentre(16);
    view.keepInView(last.x(), last.y());
    view.viewport()->grab();
    const MapZoom::Point atLast = view.zoom().toView(last.x(), last.y());
    movePointer(QPointF(atLast.x, atLast.y));
    ASSERT_EQ(view.readout().size(), 6);
    EXPECT_EQ(view.readout()[1], "Distance: 2 m") << "was 1 m, past the line";
    EXPECT_EQ(view.readout()[5], "Time: 0:00.027s") << "was 1:16.250s on a lap of 1:16.236";
}

// Zoomed in far, the pointer exactly on a sample reads that sample and tells its distance.
TEST_F(TrackMapViewTest, ThePointerNearALineTellsTheDistanceOfTheSampleItReads) {
    TrackMapView& view = viewWithALap();
    QSignalSpy hovered(&view, &TrackMapView::lineHovered);
    const int sample = frame_->document().slots()[0].lapData->sampleCount / 2;
    const QPointF onLine = onMap(sample);
    view.zoomAboutCentre(16);
    view.keepInView(onLine.x(), onLine.y());
    view.viewport()->grab();
    const MapZoom::Point at = view.zoom().toView(onLine.x(), onLine.y());

    movePointer(QPointF(at.x, at.y));
    ASSERT_EQ(hovered.count(), 1);
    EXPECT_EQ(hovered.last().at(0).toDouble(),
              frame_->document().slots()[0].lapData->distanceM[static_cast<std::size_t>(sample)]);
    movePointer(QPointF(5, view.viewport()->height() - 5));
    EXPECT_EQ(hovered.count(), 1) << "nothing away from the lines";
}

// The legend's entries give their laps' full names in a tool tip: two laps of one driver differ.
TEST_F(TrackMapViewTest, TheLegendsToolTipNamesTheLapUnderThePointerInFull) {
    TrackMapView& view = viewWithALap();
    nextLap_ = LapChoice{0, kRace, 3};
    addLap("Rivaldi weekend (saved in race).rpy");
    view.viewport()->grab();
    QFont bold = view.viewport()->font();
    bold.setBold(true);
    const int line = QFontMetrics(bold).lineSpacing();
    // The first entry's colour stroke starts 12 pixels in from the view's corner.
    const struct {
        QPoint at;
        QString tip;
    } cases[] = {
        {QPoint(14, 12 + line / 2), QString::fromUtf8("M Tanaka · Race lap 2 · 1m 16.236s")},
        {QPoint(14, 12 + line + line / 2), QString::fromUtf8("M Tanaka · Race lap 3 · 1m 16.525s")},
        {QPoint(14, 12 + 2 * line + line / 2), QString()},
        {QPoint(view.viewport()->width() - 5, 12 + line / 2), QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(view.legendToolTip(c.at), c.tip) << c.at.x() << "," << c.at.y();

    QHelpEvent help(QEvent::ToolTip, cases[1].at, view.viewport()->mapToGlobal(cases[1].at));
    QCoreApplication::sendEvent(view.viewport(), &help);
    EXPECT_EQ(QToolTip::text(), cases[1].tip) << "shown on resting there";
}

// The window may be painted between a lap's removal and the map hearing of it: the legend names
// only the slots still holding a lap.
TEST_F(TrackMapViewTest, TheLegendSkipsASlotEmptiedBeforeTheMapHeardOfIt) {
    viewWithALap();
    nextLap_ = LapChoice{0, kRace, 3};
    addLap("Rivaldi weekend (saved in race).rpy");
    // A second view of the document that is not told of the removal.
    TrackMapView view(frame_->document(), [] { return LapsShown{true, true}; });
    view.resize(900, 700);
    view.viewport()->grab();
    frame_->document().applyLapOrder({0});
    view.viewport()->grab();
    const int line = QFontMetrics(view.viewport()->font()).lineSpacing();
    EXPECT_EQ(view.legendToolTip(QPoint(14, 12 + line / 2)),
              QString::fromUtf8("M Tanaka · Race lap 2 · 1m 16.236s"));
    EXPECT_EQ(view.legendToolTip(QPoint(14, 12 + line + line / 2)), QString());
}

// Whether every pixel within `radius` of `centre` has `colour`.
bool discOf(const QImage& image, QPointF centre, int radius, const QColor& colour) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (dx * dx + dy * dy > radius * radius) continue;
            const QPoint pixel(static_cast<int>(std::floor(centre.x())) + dx,
                               static_cast<int>(std::floor(centre.y())) + dy);
            if (image.pixelColor(pixel) != colour) return false;
        }
    }
    return true;
}

TEST_F(TrackMapViewTest, TheCursorIsADotOnEachComparedLapsLineAtItsDistance) {
    TrackMapView& view = viewWithALap();
    addRaceLaps({3});
    const ReplayDocument& document = frame_->document();
    const MapTransform layout(MapZoom::kSquare, MapZoom::kSquare, 50, 50, *document.trackModel());
    const double distance = 1234.5;

    // At one distance the two cars are close: each lap's dot is looked at alone.
    for (const int slot : {0, 1}) {
        view.setComparisonCursor({slot}, distance);
        const auto expected =
            lapPositionAt(document.slots()[static_cast<std::size_t>(slot)], distance, layout);
        ASSERT_TRUE(expected && view.cursorDot(slot)) << "lap " << slot + 1;
        EXPECT_EQ(*view.cursorDot(slot), QPointF(expected->x, expected->y)) << "lap " << slot + 1;
        const QImage image = view.viewport()->grab().toImage();  // laid out at the view's size
        const MapZoom::Point at = view.zoom().toView(expected->x, expected->y);
        EXPECT_TRUE(discOf(image, QPointF(at.x, at.y), 2, documentColour(document.lapColourIndex(slot))))
            << "lap " << slot + 1 << "'s dot in its colour";
    }
    view.setComparisonCursor({1, 0}, distance);
    EXPECT_TRUE(view.cursorDot(0) && view.cursorDot(1));
    view.setComparisonCursor({1}, distance);
    EXPECT_FALSE(view.cursorDot(0)) << "a lap no longer compared";
    EXPECT_TRUE(view.cursorDot(1));
    view.setComparisonCursor({0, 1}, std::nullopt);
    EXPECT_FALSE(view.cursorDot(0) || view.cursorDot(1)) << "no distance, no dots";
    view.setComparisonCursor({0, 1}, 1e6);
    EXPECT_FALSE(view.cursorDot(0) || view.cursorDot(1)) << "beyond the laps";
}

TEST_F(TrackMapViewTest, OneLapsLineMayBeDrawnInAColourPerSample) {
    TrackMapView& view = viewWithALap();
    const ReplayDocument::Slot& lap = frame_->document().slots()[0];
    const QColor own = documentColour(frame_->document().lapColourIndex(0));
    const QColor other(10, 200, 230);
    const auto counts = [&] {
        const QImage image = view.viewport()->grab().toImage();
        return std::pair(pixelsOf(image, own), pixelsOf(image, other));
    };
    const auto [plainOwn, plainOther] = counts();
    ASSERT_GT(plainOwn, 1000);
    ASSERT_EQ(plainOther, 0);

    const std::vector<Rgb> colours(static_cast<std::size_t>(lap.lapData->sampleCount), Rgb{10, 200, 230});
    view.setSampleColours(SampleColours{0, colours});
    const auto [colouredOwn, colouredOther] = counts();
    EXPECT_LT(colouredOwn, plainOwn / 10) << "the legend's stroke keeps the lap's colour";
    EXPECT_GT(colouredOther, plainOwn / 2);

    view.setSampleColours(SampleColours{1, colours});
    EXPECT_EQ(counts(), std::pair(plainOwn, 0)) << "another lap's colours";
    view.setSampleColours(std::nullopt);
    EXPECT_EQ(counts(), std::pair(plainOwn, 0));
}

// The printed PDF's first page as the PDF renderer draws it at 300 dpi, where the thinnest
// printed line is one pixel wide.
QImage pdfPage(TrackMapView& view, const QString& header, const QString& folder) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder + "/map.pdf");
    view.print(printer, header, {});
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-r", "300", "-f", "1", "-l", "1", "-singlefile", "-png", folder + "/map.pdf",
                                folder + "/page"});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) return {};
    return QImage(folder + "/page.png").convertToFormat(QImage::Format_RGB32);
}

// The share of the inked blocks of 16 x 16 pixels of two pages whose average colours differ
// visibly: lines drawn with different antialiasing leave the same average when they cover the same
// area, a line drawn twice as wide on one of them does not.
double differingShare(const QImage& a, const QImage& b) {
    constexpr int side = 16;
    const auto average = [](const QImage& image, int bx, int by) {
        int sum[3] = {};
        for (int y = by * side; y < (by + 1) * side; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = bx * side; x < (bx + 1) * side; ++x) {
                sum[0] += qRed(line[x]);
                sum[1] += qGreen(line[x]);
                sum[2] += qBlue(line[x]);
            }
        }
        return qRgb(sum[0] / (side * side), sum[1] / (side * side), sum[2] / (side * side));
    };
    int differing = 0;
    int inked = 0;
    for (int by = 0; by < a.height() / side; ++by) {
        for (int bx = 0; bx < a.width() / side; ++bx) {
            const QRgb p = average(a, bx, by);
            const QRgb q = average(b, bx, by);
            inked += p != qRgb(255, 255, 255) || q != qRgb(255, 255, 255);
            differing += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                             std::abs(qBlue(p) - qBlue(q)) >
                         60;
        }
    }
    return inked ? static_cast<double>(differing) / inked : 0;
}

TEST_F(TrackMapViewTest, PrintPreviewShowsThePrintedPage) {
    addLap("Rivaldi weekend (saved in race).rpy");
    addLap("Rivaldi quick race.rpy");
    QTemporaryDir folder;
    const QString header = "     VELTRA4 Replay Analyser - Rivaldi";
    const QImage printed = pdfPage(*frame_->view(), header, folder.path());
    ASSERT_FALSE(printed.isNull());
    const QImage preview =
        previewPage([&](QPrinter& printer) { frame_->view()->print(printer, header, {}); }, printed.size());
    EXPECT_LT(differingShare(printed, preview), 0.02) << "lines as wide in the preview as on paper";
}

}  // namespace
