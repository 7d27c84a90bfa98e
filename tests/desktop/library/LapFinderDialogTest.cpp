#include "desktop/library/LapFinderDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDeadlineTimer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "ConstantPaceReplay.h"
#include "MainWindowTestBase.h"
#include "desktop/library/BackgroundLapScan.h"
#include "desktop/library/LapFinderModel.h"
#include "desktop/library/ScanWaitWindow.h"

namespace {

struct ShownMessage {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
};

class LapFinderDialogTest : public MainWindowTestBase {
protected:
    // Opens the finder over the demo folder, its OK messages collected.
    std::unique_ptr<LapFinderDialog> finder() {
        auto dialog = std::make_unique<LapFinderDialog>(settings_, frame_->document());
        dialog->showMessage = [this](QMessageBox::Icon icon, const QString& caption, const QString& text) {
            okMessages_.push_back({caption, text, icon});
        };
        dialog->loadLap = [this](const FoundLap& lap) { loaded_.push_back(lap); };
        return dialog;
    }
    // Scans a track as a user would: each unreadable file's box read and closed with OK (or the
    // wait window's Cancel pressed at the first box).
    void scan(LapFinderDialog& dialog, const QString& track, bool cancelAtFirstBox = false) {
        QSignalSpy finished(&dialog, &LapFinderDialog::scanFinished);
        dialog.chooseTrack(dialog.trackChoice()->findText(track));
        EXPECT_TRUE(dialog.waitWindow()->isVisible());
        waitForScans(dialog, finished, 1, cancelAtFirstBox);
    }
    // Answers the boxes as scan() does until `scans` scans have finished.
    void waitForScans(LapFinderDialog& dialog, QSignalSpy& finished, int scans,
                      bool cancelAtFirstBox = false) {
        const QDeadlineTimer deadline(20000);
        while (finished.size() < scans) {
            if (QMessageBox* box = dialog.scanMessage(); box && box->isVisible()) {
                scanMessages_.push_back({box->windowTitle(), box->text(), box->icon()});
                EXPECT_TRUE(dialog.waitWindow()->isVisible()) << "the wait window stays with its Cancel";
                if (cancelAtFirstBox)
                    dialog.waitWindow()->reject();
                else
                    box->button(QMessageBox::Ok)->click();
            }
            if (finished.size() < scans && !finished.wait(20) && deadline.hasExpired()) {
                ADD_FAILURE() << "the scan did not finish";
                return;
            }
        }
        EXPECT_FALSE(dialog.waitWindow()->isVisible());
    }
    static std::vector<std::string> column(const LapFinderDialog& dialog, LapColumn c) {
        std::vector<std::string> texts;
        for (int row = 0; row < dialog.model()->rowCount(); ++row)
            texts.push_back(dialog.model()->lap(row).text(c));
        return texts;
    }
    static void select(LapFinderDialog& dialog, std::initializer_list<int> rows) {
        for (const int row : rows)
            dialog.list()->selectionModel()->select(dialog.model()->index(row, 0),
                                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    std::vector<ShownMessage> okMessages_;
    std::vector<ShownMessage> scanMessages_;
    std::vector<FoundLap> loaded_;
};

TEST_F(LapFinderDialogTest, OpensWithTheTracksAndNothingScanned) {
    const auto dialog = finder();
    EXPECT_EQ(dialog->windowTitle(), "Lap Finder");
    ASSERT_EQ(dialog->trackChoice()->count(), 2);
    EXPECT_EQ(dialog->trackChoice()->itemText(0), "HollowMere");
    EXPECT_EQ(dialog->trackChoice()->itemText(1), "Rivaldi");
    EXPECT_EQ(dialog->trackChoice()->currentIndex(), -1);
    EXPECT_EQ(dialog->trackChoice()->placeholderText(), "Choose a track");
    EXPECT_EQ(dialog->lapCount()->text(), "0");
    EXPECT_TRUE(dialog->filterButton(LapFilter::AllLaps)->isChecked());
    EXPECT_TRUE(dialog->sortButton(LapOrder::Unsorted)->isChecked());
    EXPECT_EQ(dialog->sortButton(LapOrder::FileDate)->text(), "By Filedate");
    EXPECT_EQ(dialog->model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Lap time");
}

TEST_F(LapFinderDialogTest, ScanListsTheTracksLapsAndShowsUnreadableFilesOneByOne) {
    const auto dialog = finder();
    scan(*dialog, "Rivaldi");
    ASSERT_EQ(scanMessages_.size(), 1u);
    EXPECT_EQ(scanMessages_[0].caption, "Error reading replay file - is this a standard VELTRA4 replay?");
    EXPECT_EQ(scanMessages_[0].text, QString::fromStdString(replay("Damaged signature.rpy").string()));
    EXPECT_EQ(scanMessages_[0].icon, QMessageBox::Critical);

    const std::size_t expected = findLaps({sim_->path(), {}, "rivaldi", LapFilter::AllLaps}).laps.size();
    ASSERT_GT(expected, 50u);
    EXPECT_EQ(dialog->model()->rowCount(), static_cast<int>(expected));
    EXPECT_EQ(dialog->lapCount()->text(), QString::number(expected));
    const std::vector<std::string> files = column(*dialog, LapColumn::ReplayFile);
    EXPECT_EQ(files.front(), "Rivaldi quick race.rpy");
    EXPECT_EQ(files.back(), "Rivaldi weekend (saved in race).rpy");

    // Choosing the same track again scans again, with the filter now chosen.
    dialog->filterButton(LapFilter::OwnerLapsOnly)->click();
    scan(*dialog, "Rivaldi");
    ASSERT_GT(dialog->model()->rowCount(), 0);
    for (const std::string& driver : column(*dialog, LapColumn::Driver))
        EXPECT_EQ(driver, "Marco Tanaka");
    EXPECT_LT(dialog->model()->rowCount(), static_cast<int>(expected));
}

TEST_F(LapFinderDialogTest, CancelInTheWaitWindowEndsTheScanEvenAtAMessage) {
    const auto dialog = finder();
    scan(*dialog, "Rivaldi", true);
    EXPECT_EQ(scanMessages_.size(), 1u);
    EXPECT_EQ(dialog->scanMessage(), nullptr);
    EXPECT_EQ(dialog->model()->rowCount(), 0) << "the damaged file comes first";
    scanMessages_.clear();
    scan(*dialog, "HollowMere");
    EXPECT_EQ(scanMessages_.size(), 1u) << "a file without a head is reported whatever the track";
    EXPECT_GT(dialog->model()->rowCount(), 0);
}

// Presses the wait window's Cancel just before the scan's second call reaches the window's thread:
// the message of the scan's first file, damaged, is then already on its way.
class CancelAtTheScansSecondCall : public QObject {
public:
    explicit CancelAtTheScansSecondCall(LapFinderDialog& dialog) : dialog_(dialog) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MetaCall && qobject_cast<BackgroundLapScan*>(watched) && ++calls_ == 2)
            dialog_.waitWindow()->reject();
        return false;
    }

private:
    LapFinderDialog& dialog_;
    int calls_ = 0;
};

TEST_F(LapFinderDialogTest, NoBoxOpensAfterCancelEvenForAMessageSentBefore) {
    const auto dialog = finder();
    const CancelAtTheScansSecondCall cancel(*dialog);
    QSignalSpy finished(dialog.get(), &LapFinderDialog::scanFinished);
    QSignalSpy cancelled(dialog->waitWindow(), &ScanWaitWindow::cancelled);
    dialog->chooseTrack(dialog->trackChoice()->findText("Rivaldi"));
    ASSERT_TRUE(finished.wait(20000));
    QCoreApplication::processEvents();
    EXPECT_EQ(cancelled.size(), 1);
    EXPECT_EQ(dialog->scanMessage(), nullptr);
    EXPECT_FALSE(dialog->waitWindow()->isVisible());
}

TEST_F(LapFinderDialogTest, ATrackChosenWhileAScanIsCancelledIsScannedOnceItHasStopped) {
    const auto dialog = finder();
    QSignalSpy finished(dialog.get(), &LapFinderDialog::scanFinished);
    dialog->chooseTrack(dialog->trackChoice()->findText("Rivaldi"));
    dialog->waitWindow()->reject();
    const int hollowMere = dialog->trackChoice()->findText("HollowMere");
    dialog->trackChoice()->setCurrentIndex(hollowMere);
    dialog->chooseTrack(hollowMere);
    waitForScans(*dialog, finished, 2);
    EXPECT_EQ(scanMessages_.size(), 1u) << "only HollowMere's scan shows its file without a head";
    const std::size_t expected = findLaps({sim_->path(), {}, "hollowmere", LapFilter::AllLaps}).laps.size();
    ASSERT_GT(expected, 0u);
    EXPECT_EQ(dialog->model()->rowCount(), static_cast<int>(expected));
}

TEST_F(LapFinderDialogTest, CancelAfterChoosingAnotherTrackScansNeither) {
    const auto dialog = finder();
    QSignalSpy finished(dialog.get(), &LapFinderDialog::scanFinished);
    dialog->chooseTrack(dialog->trackChoice()->findText("Rivaldi"));
    dialog->chooseTrack(dialog->trackChoice()->findText("HollowMere"));
    dialog->waitWindow()->reject();
    waitForScans(*dialog, finished, 1);
    EXPECT_EQ(finished.size(), 1) << "the track chosen before Cancel is not scanned";
    EXPECT_EQ(dialog->model()->rowCount(), 0);
}

// Names are bytes on Linux: a track folder and a replay named in Windows-1252 show readably, and
// the track's entry scans that very folder's replays.
TEST_F(LapFinderDialogTest, NamesThatAreNotUtf8ShowReadablyAndScan) {
    const TempDir sim;
    std::filesystem::create_directories(sim.path() / "tracks" /
                                        "Montr\xe9"
                                        "al");
    std::filesystem::create_directories(sim.path() / "replay");
    ConstantPaceReplay practice = ConstantPaceReplay::twoCars();
    practice.lastFrameTime = 30000;
    for (ConstantPaceCar& car : practice.cars)
        car.laps = 1, car.lapMs = 20000, car.startTime = 2000;
    ReplayWriter writer = practice.writer();
    writer.setTrackName(
        "montr\xe9"
        "al");
    const std::filesystem::path replayPath = sim.path() / "replay" / "Qualif\xe9.rpy";
    ASSERT_TRUE(writer.write(replayPath));

    const Settings settings{memoryStores(), sim.path().string()};
    LapFinderDialog dialog(settings, frame_->document());
    ASSERT_EQ(dialog.trackChoice()->count(), 1);
    EXPECT_EQ(dialog.trackChoice()->itemText(0), QString::fromUtf8("Montr\u00e9al"));
    scan(dialog, QString::fromUtf8("Montr\u00e9al"));
    ASSERT_EQ(dialog.model()->rowCount(), 2);
    EXPECT_EQ(column(dialog, LapColumn::ReplayFile),
              (std::vector<std::string>{"Qualif\u00e9.rpy", "Qualif\u00e9.rpy"}));
    EXPECT_EQ(dialog.model()->lap(0).path(), replayPath);
    EXPECT_TRUE(scanMessages_.empty());
}

TEST_F(LapFinderDialogTest, HeadsAndRadiosSortAndTheSelectionFollowsItsLaps) {
    const auto dialog = finder();
    scan(*dialog, "HollowMere");
    const int rows = dialog->model()->rowCount();
    select(*dialog, {0});
    const FoundLap selected = dialog->model()->lap(0);

    dialog->list()->horizontalHeader()->sectionClicked(static_cast<int>(LapColumn::LapTime));
    EXPECT_TRUE(dialog->sortButton(LapOrder::LapTime)->isChecked());
    for (int row = 1; row < rows; ++row)
        EXPECT_LE(dialog->model()->lap(row - 1).lapMs, dialog->model()->lap(row).lapMs);
    const QModelIndexList chosen = dialog->list()->selectionModel()->selectedRows();
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(dialog->model()->lap(chosen[0].row()).scanOrder, selected.scanOrder);

    dialog->sortButton(LapOrder::Unsorted)->click();
    EXPECT_EQ(dialog->model()->lap(0).scanOrder, 0u);
    EXPECT_FALSE(dialog->list()->horizontalHeader()->isSortIndicatorShown());

    // A new scan starts unsorted again.
    dialog->sortButton(LapOrder::Driver)->click();
    scan(*dialog, "HollowMere");
    EXPECT_TRUE(dialog->sortButton(LapOrder::Unsorted)->isChecked());
    EXPECT_EQ(dialog->model()->lap(0).scanOrder, 0u);
}

TEST_F(LapFinderDialogTest, OkChecksTheCountThenLoadsTheSelectionInListOrder) {
    addLap("Rivaldi weekend (saved in race).rpy");
    const auto dialog = finder();
    scan(*dialog, "HollowMere");
    dialog->accept();
    ASSERT_EQ(okMessages_.size(), 1u);
    EXPECT_EQ(okMessages_[0].caption, "No lap choosen!");
    EXPECT_EQ(okMessages_[0].text, "Choose a lap to view!");
    EXPECT_EQ(okMessages_[0].icon, QMessageBox::Critical);

    select(*dialog, {5, 1, 2, 3, 4});
    dialog->accept();
    ASSERT_EQ(okMessages_.size(), 2u);
    EXPECT_EQ(okMessages_[1].text, "Too many laps selected!");
    EXPECT_TRUE(loaded_.empty());
    EXPECT_EQ(dialog->result(), 0);

    dialog->list()->selectionModel()->select(dialog->model()->index(5, 0),
                                             QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    dialog->accept();
    ASSERT_EQ(loaded_.size(), 4u);
    for (std::size_t i = 0; i < loaded_.size(); ++i)
        EXPECT_EQ(loaded_[i].scanOrder, i + 1);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(LapFinderDialogTest, TheCommandLoadsTheChosenLapsIntoTheDocument) {
    FoundLap chosen;
    dialogs_.onWindow<LapFinderDialog>([&](LapFinderDialog& dialog) {
        dialog.showMessage = [](QMessageBox::Icon, const QString&, const QString&) {};
        scan(dialog, "HollowMere");
        select(dialog, {1});
        chosen = dialog.model()->lap(1);
        dialog.accept();
    });
    EXPECT_TRUE(enabled(ID_LAP_FINDER));
    frame_->runCommand(ID_LAP_FINDER);
    ASSERT_EQ(frame_->document().lapCount(), 1);
    const ReplayDocument::Slot& slot = frame_->document().slots()[0];
    EXPECT_EQ(slot.header->fileName, chosen.path());
    EXPECT_EQ(std::tuple(slot.lapDriver, slot.lapSession, slot.lapSlot),
              std::tuple(chosen.lap.driver, chosen.lap.session, chosen.lap.slot));
    EXPECT_EQ(frame_->recentFiles().value(0).toStdString(), chosen.path().string());
    EXPECT_TRUE(messages_.isEmpty());
}

}  // namespace
