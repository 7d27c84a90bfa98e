#include "desktop/document/MoveRemoveDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/TimeText.h"
#include "desktop/common/QtText.h"
#include "document/ReplayDocument.h"

namespace {
constexpr const char* kSessionNames[] = {"Practice", "Qualifying", "Warmup", "Race"};
}

MoveRemoveDialog::MoveRemoveDialog(const ReplayDocument& document, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Move/Remove loaded replay laps"));
    showStop = [this](const QString& text, const QString& caption) {
        QMessageBox::critical(this, caption, text);
    };
    list_ = new QTreeWidget;
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("Lap time"), QStringLiteral("Driver Name"),
                            QStringLiteral("Session"), QStringLiteral("Game mode"),
                            QStringLiteral("Replay file")});
    const auto& slots = document.slots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const ReplayDocument::Slot& slot = slots[i];
        if (!slot.inUse || !slot.drivers) continue;
        auto* row = new QTreeWidgetItem(
            list_, {fromUtf8(formatElapsedTime(lapDuration(slot.lapEntry()))),
                    fromWin1252(slot.drivers->driverName(slot.lapDriver)),
                    QString::fromLatin1(kSessionNames[slot.lapSession & 3]),
                    slot.header->arcadeMode ? QStringLiteral("Arcade") : QStringLiteral("Simulation"),
                    QString::fromStdString(slot.header->fileName.filename().string())});
        row->setData(0, Qt::UserRole, static_cast<int>(i));
    }
    for (int column = 0; column < 5; ++column)
        list_->resizeColumnToContents(column);

    auto* remove = new QPushButton(QStringLiteral("Remove"));
    auto* up = new QPushButton(QStringLiteral("Move up"));
    auto* down = new QPushButton(QStringLiteral("Move down"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* side = new QVBoxLayout;
    side->addWidget(remove);
    side->addWidget(up);
    side->addWidget(down);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    resize(640, 260);

    connect(remove, &QPushButton::clicked, this, &MoveRemoveDialog::removeSelected);
    connect(up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::vector<int> MoveRemoveDialog::order() const {
    std::vector<int> slots;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        slots.push_back(list_->topLevelItem(i)->data(0, Qt::UserRole).toInt());
    return slots;
}

void MoveRemoveDialog::removeSelected() {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item) return showStop(QStringLiteral("Choose a lap to remove!"), QStringLiteral("No lap choosen!"));
    delete list_->takeTopLevelItem(list_->indexOfTopLevelItem(item));
}

void MoveRemoveDialog::moveSelected(int step) {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item) return showStop(QStringLiteral("Choose a lap to move!"), QStringLiteral("No lap choosen!"));
    const int from = list_->indexOfTopLevelItem(item);
    const int to = from + step;
    if (to < 0 || to >= list_->topLevelItemCount()) return;
    list_->insertTopLevelItem(to, list_->takeTopLevelItem(from));
    list_->setCurrentItem(item);
}
