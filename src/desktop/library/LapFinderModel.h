#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "library/FoundLap.h"
#include "library/LapSorting.h"

// The Lap Finder's list: the laps found so far, in the chosen order. Rows arrive in batches while
// a scan runs; sorting keeps the selection on the same laps.
class LapFinderModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void clear();
    // Adds a batch at the end, as the scan found it (the scan starts unsorted).
    void append(std::vector<FoundLap> laps);
    void sort(LapOrder order);
    LapOrder order() const { return order_; }
    const FoundLap& lap(int row) const { return laps_[static_cast<std::size_t>(row)]; }

private:
    std::vector<FoundLap> laps_;
    LapOrder order_ = LapOrder::Unsorted;
};
