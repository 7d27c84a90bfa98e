#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "MainWindowTestBase.h"
#include "TempDir.h"
#include "desktop/app/CommandTable.h"
#include "desktop/app/MainWindow.h"
#include "desktop/map/TrackMapView.h"
#include "map/TrackMapBitmap.h"
#include "replay/ReplayFormat.h"
#include "settings/Settings.h"
#include "track/TrackModel.h"

namespace {

namespace fs = std::filesystem;

class TrackMapViewTest : public MainWindowTestBase {
protected:
    void SetUp() override {
        MainWindowTestBase::SetUp();
        frame_->bitmapPathChooser = [this](const QString& proposed) {
            proposed_ = proposed;
            return bitmapAnswer_;
        };
    }

    QString proposed_;
    std::optional<QString> bitmapAnswer_;
};

TEST_F(TrackMapViewTest, ZoomToolsSwitchEachOtherOff) {
    EXPECT_FALSE(enabled(ID_ZOOM_IN));
    EXPECT_FALSE(enabled(ID_PANNING_TOOL));
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
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "");
    frame_->runCommand(ID_PANNING_TOOL);
    frame_->runCommand(ID_FIT_TO_TRACK);
    EXPECT_FALSE(frame_->view()->panning()) << "Show whole track switches panning off";
    EXPECT_EQ(frame_->view()->zoom().factor(), 1);
}

TEST_F(TrackMapViewTest, TheWheelZoomsAndANewTrackIsShownWhole) {
    addLap("Rivaldi weekend (saved in race).rpy");
    frame_->resize(900, 700);
    frame_->view()->viewport()->grab();
    QWheelEvent wheel(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(frame_->view()->viewport(), &wheel);
    EXPECT_DOUBLE_EQ(frame_->view()->zoom().factor(), 1.25);

    frame_->runCommand(ID_FILE_NEW);
    addLap("Rivaldi quick race.rpy");
    frame_->view()->viewport()->grab();
    EXPECT_EQ(frame_->view()->zoom().factor(), 1);
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

}  // namespace
