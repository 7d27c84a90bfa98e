#include "desktop/graphs/GearChangeDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "desktop/common/QtText.h"
#include "document/ReplayDocument.h"
#include "graphs/GearChanges.h"

GearChangeDialog::GearChangeDialog(const ReplayDocument& document, QWidget* parent)
    : QDialog(parent),
      document_(document),
      laps_(new QComboBox),
      changes_(new QTreeWidget),
      changeCount_(new QLabel),
      neutralUpshift_(new QLabel),
      neutralDownshift_(new QLabel),
      summary_(new QLabel) {
    setWindowTitle(tr("Gear Change Analyser"));
    setSizeGripEnabled(true);

    auto* lapGroup = new QGroupBox(tr("Select Lap"));
    auto* lapLayout = new QVBoxLayout(lapGroup);
    lapLayout->addWidget(laps_);
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot) {
        const ReplayDocument::Slot& loaded = document_.slots()[static_cast<std::size_t>(slot)];
        if (!loaded.inUse || !loaded.lapData) continue;
        laps_->addItem(fromWin1252(lapCaption(loaded)));
        slotOfEntry_.push_back(slot);
    }
    laps_->setCurrentIndex(-1);
    connect(laps_, &QComboBox::activated, this, &GearChangeDialog::chooseLap);

    const QStringList titles = {tr("Gearchange"), tr("Meter "), tr("Revs "),
                                tr("Revs-"),      tr("Speed-"), tr("Time")};
    changes_->setHeaderLabels(titles);
    changes_->setRootIsDecorated(false);
    changes_->setSelectionMode(QAbstractItemView::NoSelection);
    for (int column = 0; column < titles.size(); ++column)
        changes_->setColumnWidth(column,
                                 changes_->header()->fontMetrics().horizontalAdvance(titles[column]) + 15);

    auto* count = new QFormLayout;
    count->addRow(tr("No of gearchanges:"), changeCount_);
    auto* neutral = new QGroupBox(tr("Time spent in neutral"));
    auto* neutralLayout = new QFormLayout(neutral);
    neutralLayout->addRow(tr("-during upshift:"), neutralUpshift_);
    neutralLayout->addRow(tr("-during downshift:"), neutralDownshift_);

    auto* statistics = new QGridLayout;
    const QString heads[] = {tr("Avg Revs"), tr("Avg Revs\n dropped"), tr("Avg Speed\n  dropped")};
    for (int column = 0; column < 3; ++column)
        statistics->addWidget(new QLabel(heads[column]), 0, column + 1);
    for (int row = 0; row < 5; ++row) {
        statistics->addWidget(new QLabel(QStringLiteral("%1->%2").arg(row + 1).arg(row + 2)), row + 1, 0);
        for (int column = 0; column < 3; ++column) {
            auto* value = new QLabel;
            statistics_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = value;
            statistics->addWidget(value, row + 1, column + 1);
        }
    }

    auto* speedshifts = new QGroupBox(tr("Speedshifter analysis"));
    auto* speedshiftLayout = new QVBoxLayout(speedshifts);
    summary_->setWordWrap(true);
    speedshiftLayout->addWidget(summary_);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addLayout(count);
    side->addWidget(neutral);
    side->addLayout(statistics);
    side->addWidget(speedshifts);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(changes_, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lapGroup);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    resize(760, 460);
}

void GearChangeDialog::chooseLap(int entry) {
    if (entry < 0 || entry >= static_cast<int>(slotOfEntry_.size())) return;
    const ReplayDocument::Slot& slot =
        document_.slots()[static_cast<std::size_t>(slotOfEntry_[static_cast<std::size_t>(entry)])];
    const GearAnalysis analysis = analyseGearChanges(*slot.lapData);
    changes_->clear();
    for (const GearChangeRow& row : analysis.rows) {
        auto* item = new QTreeWidgetItem(changes_);
        for (std::size_t column = 0; column < row.size(); ++column)
            item->setText(static_cast<int>(column), fromUtf8(row[column]));
    }
    changeCount_->setText(QString::number(analysis.changeCount));
    neutralUpshift_->setText(fromUtf8(analysis.neutralUpshiftTime()));
    neutralDownshift_->setText(fromUtf8(analysis.neutralDownshiftTime()));
    summary_->setText(fromUtf8(analysis.summary()));
    // A kind the lap never made shows nothing rather than another lap's numbers.
    for (std::size_t row = 0; row < statistics_.size(); ++row) {
        const auto& averages = analysis.upshifts[row];
        const long long values[] = {averages ? averages->startRevs : 0, averages ? averages->revsLost : 0,
                                    averages ? averages->speedLost : 0};
        for (std::size_t column = 0; column < 3; ++column)
            statistics_[row][column]->setText(averages ? QString::number(values[column]) : QString());
    }
}
