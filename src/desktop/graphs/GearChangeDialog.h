#pragma once

#include <QDialog>
#include <array>
#include <vector>

class QComboBox;
class QLabel;
class QTreeWidget;
class ReplayDocument;

// "Gear Change Analyser": the gear changes of a chosen loaded lap, the time spent in neutral, the
// averages of each upshift kind and how many upshifts were speedshifts. Reads the document only.
class GearChangeDialog : public QDialog {
    Q_OBJECT

public:
    explicit GearChangeDialog(const ReplayDocument& document, QWidget* parent = nullptr);

    // Analyses the lap of the combo's entry (the same lap again too).
    void chooseLap(int entry);

    QComboBox* lapChoice() const { return laps_; }
    QTreeWidget* changes() const { return changes_; }
    QLabel* changeCount() const { return changeCount_; }
    QLabel* neutralUpshift() const { return neutralUpshift_; }
    QLabel* neutralDownshift() const { return neutralDownshift_; }
    QLabel* summary() const { return summary_; }
    // Row 0 is 1->2 .. 4 is 5->6; column 0 "Avg Revs", 1 revs dropped, 2 speed dropped.
    QLabel* statistic(int row, int column) const {
        return statistics_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }

private:
    const ReplayDocument& document_;
    std::vector<int> slotOfEntry_;
    QComboBox* laps_;
    QTreeWidget* changes_;
    QLabel* changeCount_;
    QLabel* neutralUpshift_;
    QLabel* neutralDownshift_;
    QLabel* summary_;
    std::array<std::array<QLabel*, 3>, 5> statistics_{};
};
