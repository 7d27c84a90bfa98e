#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>

#include "ImagePixels.h"
#include "MainWindowTestBase.h"
#include "PrintPreviewPage.h"
#include "TempDir.h"
#include "desktop/common/QtText.h"
#include "desktop/compare/ComparisonSession.h"
#include "desktop/compare/LapComparisonDock.h"
#include "desktop/document/DocumentColours.h"
#include "desktop/document/PlotSettingsBar.h"
#include "desktop/map/PlaybackController.h"
#include "desktop/map/TrackMapView.h"

namespace {

class MainWindowComparisonTest : public MainWindowTestBase {
protected:
    // Race lap 2 of drivers 4 and 1: the second, 1.1 s faster, is the reference, and the first is
    // coloured by time gained.
    void addTwoLaps() {
        addRaceLaps({4, 1});
        frame_->resize(900, 700);
    }
    QImage screen() const { return frame_->view()->viewport()->grab().toImage(); }
    std::string bitmap() {
        TempDir out;
        dialogs_.bitmapPath = [&](const QString&) {
            return std::optional(QString::fromStdString((out.path() / "map.bmp").string()));
        };
        frame_->runCommand(ID_SAVE_TRACKMAP_BMP);
        QFile file(QString::fromStdString((out.path() / "map.bmp").string()));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }
    QImage printedPage() {
        return previewPage([this](QPrinter& printer) { frame_->view()->print(printer, "header", {}); },
                           QSize(420, 594));
    }
};

// Pixels between the line's grey and its full red: lap 1's own red is brighter.
int losingPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.green() == c.blue() && c.red() > c.green() + 10 && c.red() <= 220;
        }
    }
    return count;
}

TEST_F(MainWindowComparisonTest, TheOptionColoursTheComparedLapOnScreenAndIsRemembered) {
    EXPECT_FALSE(enabled(ID_COLOUR_BY_GAIN)) << "no laps";
    addRaceLaps({0});
    EXPECT_FALSE(enabled(ID_COLOUR_BY_GAIN)) << "one lap: nothing to compare";
    frame_->runCommand(ID_FILE_NEW);
    addTwoLaps();
    ASSERT_EQ(frame_->comparisonSession().colouredSlot(), 0);
    EXPECT_TRUE(enabled(ID_COLOUR_BY_GAIN));
    EXPECT_FALSE(frame_->action(ID_COLOUR_BY_GAIN)->isChecked());

    const QColor own = documentColour(frame_->document().lapColourIndex(0));
    const QImage plain = screen();
    frame_->runCommand(ID_COLOUR_BY_GAIN);
    EXPECT_TRUE(frame_->action(ID_COLOUR_BY_GAIN)->isChecked());
    const QImage coloured = screen();
    EXPECT_LT(pixelsOf(coloured, own), pixelsOf(plain, own) / 4);
    EXPECT_GT(losingPixels(coloured), losingPixels(plain) + 50) << "where the slower lap loses";
    EXPECT_EQ(pixelsOf(coloured, documentColour(frame_->document().lapColourIndex(1))),
              pixelsOf(plain, documentColour(frame_->document().lapColourIndex(1))))
        << "the reference keeps its colour";

    frame_ = std::make_unique<MainWindow>(settings_, &dialogs_);
    EXPECT_TRUE(frame_->action(ID_COLOUR_BY_GAIN)->isChecked()) << "remembered";
    frame_->runCommand(ID_COLOUR_BY_GAIN);
    frame_ = std::make_unique<MainWindow>(settings_, &dialogs_);
    EXPECT_FALSE(frame_->action(ID_COLOUR_BY_GAIN)->isChecked());
}

// The dock chooses which lap the map colours, and gives the colours' legend while it does.
TEST_F(MainWindowComparisonTest, TheDocksChooserPicksTheColouredLapAndTheLegendExplainsIt) {
    addTwoLaps();
    addRaceLaps({0});
    const ComparisonSession& session = frame_->comparisonSession();
    const LapComparisonDock& dock = *frame_->comparisonDock();
    const std::vector<int> others(std::next(session.slots().begin()), session.slots().end());
    QComboBox* chooser = dock.colouredChooser();
    ASSERT_EQ(chooser->count(), 2);
    for (int item = 0; item < 2; ++item)
        EXPECT_EQ(chooser->itemText(item),
                  fromWin1252(fullLapCaption(frame_->document().slots()[others[item]])));
    EXPECT_EQ(chooser->currentIndex(), 0);
    EXPECT_FALSE(dock.gainLegendLabel()->isVisibleTo(&dock));

    const auto ownPixels = [&](const QImage& image, int slot) {
        return pixelsOf(image, documentColour(frame_->document().lapColourIndex(slot)));
    };
    // Only the lap to choose on the map: the others would hide it where the lines overlap.
    for (const int slot : {session.slots().front(), others[0]})
        frame_->plotSettingsBar()->lapBox(slot)->click();
    const QImage plain = screen();
    frame_->runCommand(ID_COLOUR_BY_GAIN);
    EXPECT_EQ(ownPixels(screen(), others[1]), ownPixels(plain, others[1])) << "not chosen yet";
    EXPECT_TRUE(dock.gainLegendLabel()->isVisibleTo(&dock));
    EXPECT_EQ(dock.gainLegendLabel()->text(),
              "Green gains, red loses more than 2 ms per 10 m (full colour from 5 ms)");
    chooser->setCurrentIndex(1);
    Q_EMIT chooser->activated(1);
    EXPECT_EQ(session.colouredSlot(), others[1]);
    const QImage coloured = screen();
    EXPECT_LT(ownPixels(coloured, others[1]), ownPixels(plain, others[1]) / 4) << "the chosen lap";

    frame_->runCommand(ID_COLOUR_BY_GAIN);
    EXPECT_FALSE(dock.gainLegendLabel()->isVisibleTo(&dock));
}

TEST_F(MainWindowComparisonTest, TheBitmapAndThePrintKeepThePlainLines) {
    addTwoLaps();
    settings_.setBmpSizeInPixel(300);
    const std::string plainBitmap = bitmap();
    const QImage plainPage = printedPage();
    ASSERT_FALSE(plainBitmap.empty());
    frame_->runCommand(ID_COLOUR_BY_GAIN);
    EXPECT_EQ(bitmap(), plainBitmap);
    EXPECT_EQ(printedPage(), plainPage);
}

TEST_F(MainWindowComparisonTest, ThePointerOnALineAndThePlaybacksLeaderMoveTheCursorDots) {
    addTwoLaps();
    ComparisonSession& session = frame_->comparisonSession();
    TrackMapView& view = *frame_->view();
    EXPECT_FALSE(view.cursorDot(0) || view.cursorDot(1));

    Q_EMIT view.lineHovered(1500);
    EXPECT_EQ(session.cursor(), 1500);
    EXPECT_TRUE(view.cursorDot(0) && view.cursorDot(1));

    frame_->playback().start();
    while (frame_->playback().state().position() < 2000)
        frame_->playback().tick();
    EXPECT_EQ(session.cursor(), frame_->document().slots()[1].lapData->distanceM[2000]) << "the leader's";
    EXPECT_TRUE(view.cursorDot(0) && view.cursorDot(1));

    frame_->playback().stop();
    frame_->runCommand(ID_FILE_NEW);
    EXPECT_FALSE(view.cursorDot(0) || view.cursorDot(1)) << "nothing compared";
}

}  // namespace
