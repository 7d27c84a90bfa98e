#include "desktop/graphs/GearChangeDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QTreeWidget>

#include "MainWindowTestBase.h"
#include "graphs/GearChanges.h"

namespace {

class GearChangeDialogTest : public MainWindowTestBase {};

TEST_F(GearChangeDialogTest, ShowsTheChosenLapsAnalysisAndEmptiesKindsItNeverMade) {
    addRaceLaps({0, 3});
    GearChangeDialog dialog(frame_->document());
    EXPECT_EQ(dialog.windowTitle(), "Gear Change Analyser");
    ASSERT_EQ(dialog.lapChoice()->count(), 2);
    EXPECT_EQ(dialog.lapChoice()->currentIndex(), -1);
    EXPECT_EQ(dialog.changes()->topLevelItemCount(), 0);

    dialog.statistic(0, 0)->setText("stale");
    dialog.chooseLap(1);
    const GearAnalysis expected = analyseGearChanges(*frame_->document().slots()[1].lapData);
    ASSERT_EQ(dialog.changes()->topLevelItemCount(), static_cast<int>(expected.rows.size()));
    EXPECT_EQ(dialog.changes()->topLevelItem(0)->text(0), QString::fromStdString(expected.rows[0][0]));
    EXPECT_EQ(dialog.changeCount()->text(), QString::number(expected.changeCount));
    EXPECT_EQ(dialog.summary()->text(), QString::fromStdString(expected.summary()));
    EXPECT_EQ(dialog.neutralUpshift()->text(), QString::fromStdString(expected.neutralUpshiftTime()));
    EXPECT_EQ(dialog.statistic(0, 0)->text(),
              expected.upshifts[0] ? QString::number(expected.upshifts[0]->startRevs) : QString());
    EXPECT_EQ(dialog.changes()->headerItem()->text(1), "Meter ");
}

}  // namespace
