#include "desktop/replay/LapDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "desktop/common/QtText.h"
#include "desktop/common/UserProfile.h"
#include "replay/DriverTable.h"
#include "replay/LapCatalogue.h"
#include "replay/LapTelemetry.h"
#include "replay/ReplayHeader.h"

namespace {

enum ItemRole { kDriverRole = Qt::UserRole, kSessionRole, kSlotRole, kSelectableRole };

const QString kOnlySelectableKey = QStringLiteral("LapDialog/OnlySelectable");

// Description fields by group, as indexes into describeReplay()'s list.
struct FieldGroup {
    const char* title;
    int first, last;
};
constexpr FieldGroup kGroups[] = {
    {"Replay", 0, 9}, {"Weather", 10, 13}, {"Weekend info", 14, 17}, {"Misc information", 18, 30}};
const char* const kSelectedLabels[] = {
    "Driver name:", "Type:", "Chatnick:", "Car:", "Laptime:", "Incident(s):", "Selectable lap:", "Session:"};

// A lap label's incident code ("[16]") named in words, for its tool tip; empty without a code.
QString incidentTip(const std::string& label) {
    return label.find('[') == std::string::npos ? QString() : fromUtf8(incidentText(label));
}

}  // namespace

LapDialog::LapDialog(const ReplayHeader& header, const DriverTable& drivers, QWidget* parent)
    : QDialog(parent), header_(header), drivers_(drivers) {
    setWindowTitle(QStringLiteral("Choose Lap To Load from ") +
                   QString::fromStdString(header.fileName.string()));
    showStop = [this](const QString& text, const QString& caption) {
        QMessageBox::critical(this, caption, text);
    };
    showInformation = [this](const QString& text, const QString& caption) {
        QMessageBox::information(this, caption, text);
    };

    tree_ = new QTreeWidget;
    tree_->setHeaderHidden(true);
    // Room for the longest lap label with the tree's indentation.
    tree_->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("Time before start/finish: 0m 00.000s")) +
        4 * tree_->indentation());
    onlySelectable_ = new QCheckBox(QStringLiteral("Only show selectable laps"));
    onlySelectable_->setChecked(userProfile().value(kOnlySelectableKey, false).toBool());
    quality_ = new QPushButton(QStringLiteral("Quality Analyse"));
    auto* left = new QVBoxLayout;
    left->addWidget(tree_, 1);
    left->addWidget(new QLabel(QStringLiteral("(only lap times in bold are selectable)")));
    left->addWidget(onlySelectable_);

    auto* right = new QVBoxLayout;
    const auto description = describeReplay(header, drivers);
    for (const FieldGroup& group : kGroups) {
        auto* box = new QGroupBox(QString::fromLatin1(group.title));
        auto* grid = new QGridLayout(box);
        for (int i = group.first; i <= group.last; ++i) {
            const auto& [label, value] = description[static_cast<std::size_t>(i)];
            addField(grid, (i - group.first) / 2, fromUtf8(label))->setText(fromWin1252(value));
        }
        right->addWidget(box);
    }
    auto* selected = new QGroupBox(QStringLiteral("Selected driver/lap information"));
    auto* selectedGrid = new QGridLayout(selected);
    for (int i = 0; i < 8; ++i)
        addField(selectedGrid, i / 2, QString::fromLatin1(kSelectedLabels[i]));
    right->addWidget(selected);
    right->addWidget(quality_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &LapDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LapDialog::reject);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { showSelection(); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item->data(0, kSlotRole).isValid()) accept();  // drivers and sessions only expand or collapse
    });
    connect(onlySelectable_, &QCheckBox::toggled, this, [this](bool only) {
        userProfile().setValue(kOnlySelectableKey, only);
        buildTree();
        showSelection();
    });
    connect(quality_, &QPushButton::clicked, this, [this] { showQualityReport(); });
    buildTree();
    showSelection();
}

QLabel* LapDialog::addField(QGridLayout* grid, int row, const QString& label) {
    const int column = grid->count() / 2 % 2 * 2;
    grid->addWidget(new QLabel(label), row, column);
    auto* value = new QLabel;
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Wide enough for a lap time with its incident code, so a selection never cuts a value off.
    value->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00m 00.000s [000]")));
    grid->addWidget(value, row, column + 1);
    fields_[label] = value;
    return value;
}

QString LapDialog::fieldValue(const QString& label) const {
    const auto it = fields_.find(label);
    return it == fields_.end() ? QString() : it->second->text();
}

void LapDialog::buildTree() {
    tree_->clear();
    for (const DriverItem& driver : buildLapTree(drivers_, onlySelectable_->isChecked())) {
        auto* driverItem = new QTreeWidgetItem(tree_, {fromWin1252(driver.title)});
        driverItem->setData(0, kDriverRole, driver.driver);
        for (const SessionItem& session : driver.sessions) {
            auto* sessionItem = new QTreeWidgetItem(driverItem, {fromUtf8(session.title)});
            sessionItem->setData(0, kDriverRole, driver.driver);
            sessionItem->setData(0, kSessionRole, session.session);
            for (const LapItem& lap : session.laps) {
                auto* lapItem = new QTreeWidgetItem(sessionItem, {fromUtf8(lap.label)});
                lapItem->setToolTip(0, incidentTip(lap.label));
                lapItem->setData(0, kDriverRole, driver.driver);
                lapItem->setData(0, kSessionRole, session.session);
                lapItem->setData(0, kSlotRole, lap.slot);
                lapItem->setData(0, kSelectableRole, lap.selectable);
                QFont font = lapItem->font(0);
                font.setBold(lap.selectable);
                lapItem->setFont(0, font);
            }
        }
    }
}

// The lap item under the selection, as the catalogue describes it; nothing for other items.
static std::optional<LapItem> lapOf(const QTreeWidgetItem* item) {
    if (!item || !item->data(0, kSlotRole).isValid()) return std::nullopt;
    return LapItem{item->data(0, kSlotRole).toInt(), item->text(0).toStdString(),
                   item->data(0, kSelectableRole).toBool()};
}

void LapDialog::showSelection() {
    const QTreeWidgetItem* item = tree_->currentItem();
    const int driver = item ? item->data(0, kDriverRole).toInt() : -1;
    const int session =
        item && item->data(0, kSessionRole).isValid() ? item->data(0, kSessionRole).toInt() : -1;
    const auto lap = lapOf(item);
    const SelectedLapInfo info =
        selectedLapInfo(drivers_, item ? driver : -1, session, lap ? &*lap : nullptr);
    const std::pair<const char*, const std::string*> values[] = {
        {"Driver name:", &info.driverName},    {"Type:", &info.type},
        {"Chatnick:", &info.chatNick},         {"Car:", &info.car},
        {"Laptime:", &info.lapTime},           {"Incident(s):", &info.incidents},
        {"Selectable lap:", &info.selectable}, {"Session:", &info.session}};
    for (const auto& [label, value] : values) {
        // Only a lap item tells its incidents and session; the driver fields stay with the driver.
        fields_[QString::fromLatin1(label)]->setText(fromWin1252(*value));
    }
    fields_[QStringLiteral("Laptime:")]->setToolTip(lap ? incidentTip(lap->label) : QString());
    quality_->setEnabled(lap && lap->selectable);
}

void LapDialog::accept() {
    const auto lap = lapOf(tree_->currentItem());
    if (const auto refusal = refuseLapChoice(lap ? &*lap : nullptr)) {
        showStop(fromUtf8(refusal->text), fromUtf8(refusal->caption));
        return;
    }
    const QTreeWidgetItem* item = tree_->currentItem();
    chosen_ = LapChoice{item->data(0, kDriverRole).toInt(), item->data(0, kSessionRole).toInt(), lap->slot};
    QDialog::accept();
}

void LapDialog::showQualityReport() {
    const QTreeWidgetItem* item = tree_->currentItem();
    const auto lap = lapOf(item);
    if (!lap || !lap->selectable) return;
    const int driver = item->data(0, kDriverRole).toInt(), session = item->data(0, kSessionRole).toInt();
    // A read that fails is reported on what it gathered: no samples show 0 %.
    LapTelemetry lapData;
    static_cast<void>(lapData.read(drivers_, driver, lap->slot, session));
    showInformation(fromUtf8(qualityReport(lapData, drivers_.lapEntry(session, driver, lap->slot),
                                           QualityReportForm::LapDialog)),
                    QStringLiteral("Quality report"));
}
