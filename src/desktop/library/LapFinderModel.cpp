#include "desktop/library/LapFinderModel.h"

int LapFinderModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(laps_.size());
}

int LapFinderModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kLapColumnCount);
}

QVariant LapFinderModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return QString::fromStdString(lap(index.row()).text(static_cast<LapColumn>(index.column())));
}

QVariant LapFinderModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(kLapColumnCount))
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(kLapColumnTitles[static_cast<std::size_t>(section)]);
}

void LapFinderModel::clear() {
    beginResetModel();
    laps_.clear();
    order_ = LapOrder::Unsorted;
    endResetModel();
}

void LapFinderModel::append(std::vector<FoundLap> laps) {
    if (laps.empty()) return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(laps.size()) - 1);
    laps_.insert(laps_.end(), std::make_move_iterator(laps.begin()), std::make_move_iterator(laps.end()));
    endInsertRows();
}

void LapFinderModel::sort(LapOrder order) {
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<std::size_t> positions = sortedPositions(laps_, order);
    std::vector<FoundLap> sorted;
    sorted.reserve(laps_.size());
    std::vector<int> newRow(laps_.size());
    for (std::size_t row = 0; row < positions.size(); ++row) {
        newRow[positions[row]] = static_cast<int>(row);
        sorted.push_back(std::move(laps_[positions[row]]));
    }
    laps_ = std::move(sorted);
    order_ = order;
    // The selection follows its laps.
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    for (const QModelIndex& index : from)
        to.append(this->index(newRow[static_cast<std::size_t>(index.row())], index.column()));
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
