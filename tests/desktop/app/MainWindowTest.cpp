#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <utility>

#include "MainWindowTestBase.h"
#include "TempDir.h"
#include "desktop/app/AboutBox.h"
#include "desktop/app/CommandTable.h"
#include "desktop/app/GuideWindow.h"
#include "desktop/document/MoveRemoveDialog.h"
#include "desktop/document/PlotSettingsBar.h"
#include "desktop/replay/LapDialog.h"
#include "desktop/settings/SettingsDialog.h"

namespace {

class MainWindowTest : public MainWindowTestBase {
protected:
    static QString weekend() {
        return QString::fromStdString(replay("Rivaldi weekend (saved in race).rpy").string());
    }
};

TEST_F(MainWindowTest, EnablingRulesFollowTheLoadedLaps) {
    EXPECT_EQ(frame_->windowTitle(), "No lap selected - VELTRA4 Replay Analyser");
    for (const int id : {ID_FILE_NEW, ID_ADD_REPLAY_LAP, ID_MOVE_REMOVE, ID_SETTINGS})
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(enabled(ID_TOGGLE_LAP_1));
    EXPECT_FALSE(enabled(ID_EDIT_COPY)) << "the Edit menu's standard commands stay disabled";

    frame_->openReplay(weekend());
    EXPECT_EQ(frame_->windowTitle(), "Rivaldi - VELTRA4 Replay Analyser");
    EXPECT_TRUE(enabled(ID_TOGGLE_LAP_1));
    EXPECT_TRUE(frame_->action(ID_TOGGLE_LAP_1)->isChecked()) << "a new lap is shown at once";
    EXPECT_FALSE(enabled(ID_TOGGLE_LAP_1 + 1));
    EXPECT_TRUE(frame_->plotSettingsBar()->lapBox(0)->isVisibleTo(frame_.get()));
    EXPECT_EQ(frame_->plotSettingsBar()->lapBox(0)->text(), "M Tanaka 1m 16.236s");

    frame_->runCommand(ID_TOGGLE_LAP_1);
    EXPECT_FALSE(frame_->plotSettingsBar()->isLapChecked(0));
    EXPECT_FALSE(frame_->action(ID_TOGGLE_LAP_1)->isChecked());

    frame_->runCommand(ID_FILE_NEW);
    EXPECT_FALSE(enabled(ID_TOGGLE_LAP_1));
    EXPECT_EQ(frame_->plotSettingsBar()->lapBox(0)->text(), "") << "no stale rows after clearing";
    EXPECT_EQ(frame_->windowTitle(), "No lap selected - VELTRA4 Replay Analyser");
}

// A split time the document could not compute (no track, so no track length) leaves its cell
// empty rather than showing a zero time.
TEST_F(MainWindowTest, ThePanelShowsTheSplitTimesComputed) {
    struct Case {
        std::string replay;
        LapChoice lap;
        QStringList splits;
    };
    const Case cases[] = {
        {"Rivaldi weekend (saved in race).rpy", {0, kRace, 2}, {"0:17.694s", "0:38.888s", "0:55.555s"}},
        {"Phantom Ring practice (track not installed).rpy", {0, kPractice, 1}, {"", "", ""}},
    };
    for (const Case& c : cases) {
        frame_->runCommand(ID_FILE_NEW);
        nextLap_ = c.lap;
        addLap(c.replay);
        ASSERT_EQ(frame_->document().lapCount(), 1) << c.replay;
        QStringList shown;
        for (int column = 0; column < 3; ++column)
            shown << frame_->plotSettingsBar()->splitTime(0, column)->text();
        EXPECT_EQ(shown, c.splits) << c.replay;
    }
}

TEST_F(MainWindowTest, BarsToggleWithTheirViewCommands) {
    frame_->show();
    QApplication::processEvents();
    for (int id : {ID_VIEW_ZOOM_BAR, ID_VIEW_LAP_BAR, ID_VIEW_PLAYBACK_BAR, ID_VIEW_TOOLBAR}) {
        QToolBar* bar = frame_->toolBar(id);
        ASSERT_TRUE(bar->isVisible());
        for (const bool shown : {false, true}) {
            frame_->runCommand(id);
            EXPECT_EQ(bar->isVisible(), shown) << id;
            EXPECT_EQ(frame_->action(id)->isChecked(), shown) << id;
        }
    }
    frame_->runCommand(ID_VIEW_PLOT_SETTINGS);
    EXPECT_FALSE(frame_->plotSettingsBar()->isVisible());
}

TEST_F(MainWindowTest, DroppedFilesAndTheCommandLineAddLapsAndRecentFiles) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(weekend()), QUrl::fromLocalFile(weekend())});
    frame_->openDropped(mime);
    EXPECT_EQ(frame_->document().lapCount(), 2);
    EXPECT_EQ(frame_->recentFiles(), QStringList{weekend()});

    nextLap_.reset();  // the lap dialog cancelled: nothing added, nothing remembered
    frame_->openReplay(QString::fromStdString((sim_->path() / "replay/Rivaldi quick race.rpy").string()));
    EXPECT_EQ(frame_->document().lapCount(), 2);
    EXPECT_EQ(frame_->recentFiles().size(), 1);

    frame_->openReplay(QStringLiteral("/nowhere/gone.rpy"));
    EXPECT_EQ(messages_.first(), "HeaderClass: Error reading file!");
}

TEST_F(MainWindowTest, CommandLineLapsAreAddedWithoutTheLapDialog) {
    dialogs_.lap = [](const ReplayHeader&, const DriverTable&) -> std::optional<LapChoice> {
        ADD_FAILURE() << "the lap dialog was shown";
        return std::nullopt;
    };
    frame_->openArgument(weekend() + ":3:race:2");
    ASSERT_EQ(frame_->document().lapCount(), 1);
    EXPECT_EQ(frame_->document().slots()[0].lapDriver, 3);
    EXPECT_EQ(frame_->recentFiles(), QStringList{weekend()});

    nextLap_ = LapChoice{0, kRace, 2};
    dialogs_.lap = [this](const ReplayHeader&, const DriverTable&) { return nextLap_; };
    frame_->openArgument(weekend());
    EXPECT_EQ(frame_->document().lapCount(), 2) << "a plain path asks for the lap";
    frame_->openArgument(weekend() + ":0:race:0");
    EXPECT_EQ(messages_, QStringList{"RpyDataClass: Error reading file!"}) << "slot 0 is not a lap";
}

TEST_F(MainWindowTest, TheWindowLayoutIsRememberedBetweenRuns) {
    frame_->show();
    QApplication::processEvents();
    frame_->resize(820, 610);
    frame_->runCommand(ID_VIEW_PLOT_SETTINGS);
    frame_->runCommand(ID_VIEW_ZOOM_BAR);
    frame_->runCommand(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(frame_->close());

    MainWindow next(settings_);
    next.show();
    QApplication::processEvents();
    EXPECT_EQ(next.size(), QSize(820, 610));
    EXPECT_FALSE(next.plotSettingsBar()->isVisible());
    EXPECT_FALSE(next.toolBar(ID_VIEW_ZOOM_BAR)->isVisible());
    EXPECT_TRUE(next.toolBar(ID_VIEW_LAP_BAR)->isVisible());
    EXPECT_FALSE(next.statusBar()->isVisible());
    for (const int id : {ID_VIEW_PLOT_SETTINGS, ID_VIEW_ZOOM_BAR, ID_VIEW_STATUS_BAR})
        EXPECT_FALSE(next.action(id)->isChecked()) << id;
}

TEST_F(MainWindowTest, TheGuideOpensInAWindowOfTheProgram) {
    EXPECT_EQ(frame_->guideWindow(), nullptr);
    frame_->runCommand(ID_VIEW_README);
    GuideWindow* guide = frame_->guideWindow();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_TRUE(guide->text().startsWith("VELTRA4 Replay Analyser - version 1.0\n"));
    EXPECT_TRUE(guide->text().contains("Getting started"));

    guide->close();
    auto* homepage = frame_->plotSettingsBar()->findChild<QLabel*>("homepage");
    ASSERT_NE(homepage, nullptr);
    EXPECT_EQ(homepage->text(), "<a href=\"guide\">Visit VxRA homepage!</a>");
    Q_EMIT homepage->linkActivated("guide");
    EXPECT_EQ(frame_->guideWindow(), guide) << "the same window, shown again";
    EXPECT_TRUE(guide->isVisible());
}

// The tools that analyse a loaded lap say so without one, and open their own window with one.
TEST_F(MainWindowTest, TheLapToolsOpenOnlyWithALap) {
    QStringList shown;
    dialogs_.window = [&shown](QDialog& window) { shown << window.metaObject()->className(); };
    for (const bool withLap : {false, true}) {
        if (withLap) addLap("Rivaldi weekend (saved in race).rpy");
        for (const int command : {ID_GRAPH, ID_GEARCHANGE_ANALYSER}) {
            EXPECT_TRUE(enabled(command)) << command;
            frame_->runCommand(command);
        }
    }
    EXPECT_EQ(messages_, QStringList({"No replay lap loaded!", "No replay lap loaded!"}));
    EXPECT_EQ(shown, QStringList({"GraphWindow", "GearChangeDialog"}));
}

TEST_F(MainWindowTest, TheStatusBarSaysReadyWhenAFlyByTextEnds) {
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Ready");
    frame_->statusBar()->showMessage(frame_->action(ID_FILE_OPEN)->statusTip());
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Add a lap from a replay file");
    frame_->statusBar()->clearMessage();
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Ready");
}

TEST_F(MainWindowTest, DisabledToolbarIconsAreFaded) {
    // Opacity summed over the picture: a disabled icon shows much less of itself.
    const auto ink = [](const QPixmap& pixmap) {
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        long sum = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                sum += qAlpha(image.pixel(x, y));
        }
        return sum;
    };
    for (const int id : {ID_ZOOM_IN, ID_START_CONTINUE, ID_TOGGLE_LAP_1}) {
        const QIcon icon = frame_->action(id)->icon();
        const long normal = ink(icon.pixmap(22, 22, QIcon::Normal));
        EXPECT_GT(normal, 0) << id;
        EXPECT_LT(ink(icon.pixmap(22, 22, QIcon::Disabled)), normal / 2) << id;
    }
}

TEST_F(MainWindowTest, LapDialogFilterSelectionAndRefusals) {
    ReplayHeader header;
    DriverTable drivers;
    ASSERT_TRUE(header.read(weekend().toStdString()) && drivers.read(weekend().toStdString()));
    LapDialog dialog(header, drivers);
    QStringList stops;
    dialog.showStop = [&](const QString& text, const QString& caption) { stops << caption + ": " + text; };
    EXPECT_EQ(dialog.windowTitle(), "Choose Lap To Load from " + weekend());
    EXPECT_EQ(dialog.fieldValue("Saved by:"), "Marco Tanaka");
    EXPECT_EQ(dialog.fieldValue("Practice (min):"), "30");

    dialog.accept();
    EXPECT_EQ(stops.last(), "No lap choosen!: Choose a lap to view!");
    QTreeWidgetItem* race = dialog.tree()->topLevelItem(0)->child(3);
    ASSERT_EQ(race->text(0), "Race Laps");
    dialog.tree()->setCurrentItem(race->child(0));  // before the start/finish line: not loadable
    EXPECT_EQ(dialog.fieldValue("Selectable lap:"), "No");
    EXPECT_FALSE(dialog.qualityButton()->isEnabled());
    dialog.accept();
    EXPECT_EQ(stops.last(),
              "Not a valid lap!: Data for this lap is not stored in the replay file\nor lap isn't complete.");

    dialog.tree()->setCurrentItem(race->child(2));
    EXPECT_EQ(dialog.fieldValue("Laptime:"), "1m 16.236s");
    EXPECT_EQ(dialog.fieldValue("Session:"), "Race");
    EXPECT_EQ(dialog.fieldValue("Type:"), "Human");
    EXPECT_TRUE(dialog.qualityButton()->isEnabled());
    QString report;
    dialog.showInformation = [&](const QString& text, const QString& caption) {
        report = caption + ": " + text;
    };
    dialog.qualityButton()->click();
    EXPECT_EQ(report, "Quality report: Online quality of lapdata: 100%\nLargest online gap: 0 seconds");

    dialog.show();
    QTreeWidgetItem* qualifying = dialog.tree()->topLevelItem(0)->child(1);
    dialog.tree()->setCurrentItem(qualifying->child(3));
    QApplication::processEvents();
    EXPECT_EQ(qualifying->child(3)->toolTip(0), "Incomplete lap");
    EXPECT_EQ(dialog.fieldValue("Laptime:"), "1m 15.873s [16]");
    const auto labels = dialog.findChildren<QLabel*>();
    const auto lapTime = std::find_if(labels.begin(), labels.end(),
                                      [](const QLabel* l) { return l->text() == "1m 15.873s [16]"; });
    ASSERT_NE(lapTime, labels.end());
    EXPECT_EQ((*lapTime)->toolTip(), "Incomplete lap") << "the code named";
    EXPECT_GE((*lapTime)->width(), (*lapTime)->sizeHint().width()) << "the whole label shows";
    dialog.tree()->setCurrentItem(race->child(2));
    EXPECT_EQ((*lapTime)->toolTip(), "") << "no code, no tip";

    dialog.onlySelectable()->setChecked(true);
    EXPECT_EQ(dialog.fieldValue("Laptime:"), "None selected");
    EXPECT_FALSE(dialog.qualityButton()->isEnabled());
    const QTreeWidgetItem* filtered = dialog.tree()->topLevelItem(0)->child(3);
    EXPECT_EQ(filtered->child(0)->text(0), "Lap 1: 1m 19.764s") << "slot 0 left out";
    dialog.tree()->setCurrentItem(filtered->child(1));
    dialog.accept();
    ASSERT_TRUE(dialog.chosenLap());
    EXPECT_EQ(dialog.chosenLap()->slot, 2) << "items keep their own slot numbers";
    EXPECT_EQ(dialog.chosenLap()->session, kRace);

    LapDialog next(header, drivers);
    EXPECT_TRUE(next.onlySelectable()->isChecked()) << "the choice is remembered";
}

TEST_F(MainWindowTest, MoveRemoveDialogReordersTheSlots) {
    addRaceLaps({0, 1, 2});
    MoveRemoveDialog dialog(frame_->document());
    QStringList stops;
    dialog.showStop = [&](const QString& text, const QString& caption) { stops << caption + ": " + text; };
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 3);
    const QTreeWidgetItem* first = dialog.list()->topLevelItem(0);
    EXPECT_EQ((QStringList{first->text(1), first->text(2), first->text(3), first->text(4)}),
              (QStringList{"Marco Tanaka", "Race", "Simulation", "Rivaldi weekend (saved in race).rpy"}));
    dialog.moveSelected(1);
    dialog.removeSelected();
    EXPECT_EQ(stops, (QStringList{"No lap choosen!: Choose a lap to move!",
                                  "No lap choosen!: Choose a lap to remove!"}));
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
    dialog.moveSelected(1);
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(2));
    dialog.removeSelected();
    EXPECT_EQ(dialog.order(), (std::vector<int>{1, 0}));
    frame_->runCommand(ID_TOGGLE_LAP_1 + 1);  // the second lap (driver 1) hidden
    frame_->document().applyLapOrder(dialog.order());
    EXPECT_EQ(frame_->document().lapCount(), 2);
    EXPECT_EQ(frame_->document().slots()[0].lapDriver, 1);
    EXPECT_FALSE(frame_->plotSettingsBar()->isLapChecked(0)) << "a lap's tick moves with it";
    EXPECT_TRUE(frame_->plotSettingsBar()->isLapChecked(1));
    EXPECT_FALSE(frame_->action(ID_TOGGLE_LAP_1)->isChecked());
    EXPECT_FALSE(frame_->plotSettingsBar()->isLapChecked(2)) << "the removed lap's row is gone";
    frame_->document().applyLapOrder({0, 1});
    EXPECT_FALSE(frame_->plotSettingsBar()->isLapChecked(0)) << "OK with nothing changed keeps the ticks";
    EXPECT_TRUE(frame_->plotSettingsBar()->isLapChecked(1));
}

TEST_F(MainWindowTest, SettingsDialogInsistsOnTheSimulatorFolder) {
    Settings& settings = settings_;
    SettingsDialog dialog(settings);
    QStringList messages;
    std::optional<QString> located;  // the locate dialog's answer, given once
    dialog.showMessage = [&](const QString& text) { messages << text; };
    dialog.locateSimulator = [&]() { return std::exchange(located, std::nullopt); };
    EXPECT_FALSE(dialog.qualityReport()->isChecked()) << "the report is suppressed in this test";
    EXPECT_TRUE(dialog.removeOffTrack()->isChecked()) << "stored 0: the lines are removed";

    dialog.simulatorPath()->setText(QString());
    dialog.accept();  // the locate dialog is cancelled: back in the dialog, nothing saved
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    TempDir empty;  // a name in it too long for the system holds no simulator either
    dialog.simulatorPath()->setText(QString::fromStdString((empty / std::string(300, 's')).string()));
    located = QString::fromStdString((sim_->path() / "VELTRA Racing 4.exe").string());
    dialog.mph()->setChecked(true);
    dialog.qualityReport()->setChecked(true);
    dialog.removeOffTrack()->setChecked(false);
    dialog.bitmapSize()->setValue(1024);
    dialog.accept();
    EXPECT_EQ(messages,
              QStringList{"Unable to find the file VELTRA Racing 4.exe in the specified directory.\n"
                          "Please choose a valid Veltra 4 directory."});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.simulatorDirectory(), sim_->path().string());
    EXPECT_TRUE(settings.speedInMph());
    EXPECT_FALSE(settings.dontShowQualReport());
    EXPECT_TRUE(settings.offTheTrackInRaceReport()) << "unchecked: the off-track lines are written";
    EXPECT_EQ(settings.bmpSizeInPixel(), 1024);
    EXPECT_EQ(std::pair(dialog.bitmapSize()->minimum(), dialog.bitmapSize()->maximum()),
              std::pair(16, 16384));
}

TEST(AboutBox, AnimationFrames) {
    const std::array<int, 2> frames[] = {{1, 3}, {2, 2}, {3, 1}, {2, 2}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(AboutBox::framePictures(i), frames[i]) << "frame " << i;
    AboutBox about;
    for (int i = 0; i < 254; ++i)
        about.advance();
    EXPECT_EQ(about.counter(), 0) << "the counter wraps to 0 after 254";
}

}  // namespace
