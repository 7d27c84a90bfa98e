#include "desktop/library/LapFinderDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "Version.h"
#include "common/PathText.h"
#include "common/SimulatorFolders.h"
#include "desktop/library/BackgroundLapScan.h"
#include "desktop/library/LapFinderModel.h"
#include "desktop/library/ScanWaitWindow.h"
#include "document/ReplayDocument.h"
#include "library/InstalledTracks.h"
#include "settings/Settings.h"

namespace {

QGroupBox* radioGroup(const QString& title, QButtonGroup* group, const std::vector<const char*>& texts) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    for (std::size_t id = 0; id < texts.size(); ++id) {
        auto* button = new QRadioButton(QString::fromLatin1(texts[id]));
        group->addButton(button, static_cast<int>(id));
        layout->addWidget(button);
    }
    group->button(0)->setChecked(true);
    return box;
}

}  // namespace

LapFinderDialog::LapFinderDialog(const Settings& settings, const ReplayDocument& document, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      document_(document),
      tracks_(new QComboBox),
      filters_(new QButtonGroup(this)),
      orders_(new QButtonGroup(this)),
      list_(new QTableView),
      model_(new LapFinderModel(this)),
      count_(new QLabel(QStringLiteral("0"))),
      wait_(new ScanWaitWindow(this)) {
    setWindowTitle(tr("Lap Finder"));
    setSizeGripEnabled(true);
    showMessage = [this](QMessageBox::Icon icon, const QString& caption, const QString& text) {
        QMessageBox box(icon, caption.isEmpty() ? QString::fromLatin1(kProductName) : caption, text,
                        QMessageBox::Ok, this);
        box.exec();
    };

    // Each entry keeps its folder's own name: a name that is not UTF-8 would not survive a
    // round trip through its text.
    for (const std::string& track : installedTracks(settings_.simulatorFolder()))
        tracks_->addItem(QString::fromStdString(nameText(track)), QByteArray::fromStdString(track));
    tracks_->setCurrentIndex(-1);
    tracks_->setPlaceholderText(
        tracks_->count() > 0
            ? tr("Choose a track")
            : tr("No tracks in %1 - check VELTRA4 Path in File > Settings")
                  .arg(QString::fromStdString(tracksFolder(settings_.simulatorFolder()).string())));
    tracks_->setMinimumContentsLength(20);
    connect(tracks_, &QComboBox::activated, this, &LapFinderDialog::chooseTrack);
    auto* trackRow = new QHBoxLayout;
    trackRow->addWidget(new QLabel(tr("Choose track to view:")));
    trackRow->addWidget(tracks_, 1);

    auto* filterBox = radioGroup(tr("Select options"), filters_,
                                 {"Show all laps", "Don't show AI laps", "Show only local drivers laps"});
    auto* orderBox = radioGroup(tr("Sort options"), orders_,
                                std::vector<const char*>(kLapOrderTitles.begin(), kLapOrderTitles.end()));
    connect(orders_, &QButtonGroup::idClicked, this, [this](int id) { sortBy(static_cast<LapOrder>(id)); });

    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setWordWrap(false);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->horizontalHeader()->setSectionsClickable(true);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->resizeColumnsToContents();
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, &LapFinderDialog::sortByHead);
    connect(list_, &QTableView::doubleClicked, this, &LapFinderDialog::accept);

    auto* side = new QVBoxLayout;
    side->addWidget(filterBox);
    side->addWidget(orderBox);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(list_, 1);
    body->addLayout(side);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &LapFinderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LapFinderDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(tr("Number of laps in table:")));
    bottom->addWidget(count_);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(trackRow);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
    resize(900, 520);

    // Cancel is the user's last word: a track chosen meanwhile is not scanned after all.
    connect(wait_, &ScanWaitWindow::cancelled, this, [this] {
        queuedTrack_.reset();
        cancelScan();
    });
}

LapFinderDialog::~LapFinderDialog() = default;

QRadioButton* LapFinderDialog::filterButton(LapFilter filter) const {
    return qobject_cast<QRadioButton*>(filters_->button(static_cast<int>(filter)));
}

QRadioButton* LapFinderDialog::sortButton(LapOrder order) const {
    return qobject_cast<QRadioButton*>(orders_->button(static_cast<int>(order)));
}

void LapFinderDialog::chooseTrack(int index) {
    if (index < 0 || index >= tracks_->count()) return;
    if (scan_) {
        // A scan stops at once or within its file; the new one follows it.
        queuedTrack_ = index;
        return cancelScan();
    }
    model_->clear();
    sortButton(LapOrder::Unsorted)->setChecked(true);
    list_->horizontalHeader()->setSortIndicatorShown(false);
    updateCount();

    const LapFinderRequest request{settings_.simulatorFolder(), settings_.alternativeReplayFolder(),
                                   tracks_->itemData(index).toByteArray().toStdString(),
                                   static_cast<LapFilter>(filters_->checkedId())};
    scan_ = std::make_unique<BackgroundLapScan>(request);
    connect(scan_.get(), &BackgroundLapScan::progressed, wait_, &ScanWaitWindow::setProgress);
    connect(scan_.get(), &BackgroundLapScan::lapsFound, this, [this](const std::vector<FoundLap>& laps) {
        model_->append(laps);
        updateCount();
    });
    connect(scan_.get(), &BackgroundLapScan::unreadableFile, this, &LapFinderDialog::showUnreadable);
    connect(scan_.get(), &BackgroundLapScan::finished, this, &LapFinderDialog::finishScan);
    wait_->setProgress(0, 0);
    wait_->show();
    scan_->start();
}

void LapFinderDialog::sortBy(LapOrder order) {
    sortButton(order)->setChecked(true);
    QHeaderView* header = list_->horizontalHeader();
    header->setSortIndicatorShown(order != LapOrder::Unsorted);
    if (order != LapOrder::Unsorted)
        header->setSortIndicator(static_cast<int>(order) - 1, Qt::AscendingOrder);
    if (order == model_->order()) return;
    model_->sort(order);
}

void LapFinderDialog::sortByHead(int section) {
    sortBy(orderByColumn(static_cast<LapColumn>(section)));
}

// One box after the other, each free of the wait window so its Cancel ends the scan at any time.
void LapFinderDialog::showUnreadable(const std::vector<ScanMessage>& messages) {
    pendingMessages_.insert(pendingMessages_.end(), messages.begin(), messages.end());
    showNextScanMessage();
}

void LapFinderDialog::showNextScanMessage() {
    if (scanMessage_ || !scan_) return;
    if (pendingMessages_.empty()) return scan_->messagesShown();
    const ScanMessage message = pendingMessages_.front();
    pendingMessages_.pop_front();
    const bool unreadable = message.caption == kUnreadableReplayCaption;
    scanMessage_ = new QMessageBox(
        unreadable ? QMessageBox::Critical : QMessageBox::Warning,
        message.caption.empty() ? QString::fromLatin1(kProductName) : QString::fromStdString(message.caption),
        QString::fromStdString(message.text), QMessageBox::Ok, wait_);
    scanMessage_->setAttribute(Qt::WA_DeleteOnClose);
    scanMessage_->setModal(false);
    connect(scanMessage_, &QMessageBox::finished, this, [this] {
        scanMessage_ = nullptr;
        showNextScanMessage();
    });
    // Below the wait window, so its progress and Cancel stay in sight.
    scanMessage_->adjustSize();
    const QRect wait = wait_->frameGeometry();
    scanMessage_->move(wait.center().x() - scanMessage_->width() / 2, wait.bottom() + 8);
    scanMessage_->show();
    scanMessage_->activateWindow();
}

// The scan is told first: closing the box lets a waiting scan go on, and it must find itself
// cancelled when it does.
void LapFinderDialog::cancelScan() {
    if (scan_) scan_->cancel();
    pendingMessages_.clear();
    if (scanMessage_) scanMessage_->close();
}

void LapFinderDialog::finishScan() {
    wait_->hide();
    pendingMessages_.clear();
    scan_.release()->deleteLater();
    list_->resizeColumnsToContents();
    updateCount();
    Q_EMIT scanFinished();
    if (const std::optional<int> next = std::exchange(queuedTrack_, std::nullopt)) chooseTrack(*next);
}

void LapFinderDialog::updateCount() {
    count_->setText(QString::number(model_->rowCount()));
}

void LapFinderDialog::accept() {
    QModelIndexList selected = list_->selectionModel()->selectedRows();
    if (selected.size() + document_.lapCount() > ReplayDocument::maxLaps)
        return showMessage(QMessageBox::Warning, {}, tr("Too many laps selected!"));
    if (selected.isEmpty())
        return showMessage(QMessageBox::Critical, tr("No lap choosen!"), tr("Choose a lap to view!"));
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    // Copied first: loading may show messages, and the list must not change under them.
    std::vector<FoundLap> chosen;
    for (const QModelIndex& row : selected)
        chosen.push_back(model_->lap(row.row()));
    for (const FoundLap& lap : chosen)
        loadLap(lap);
    QDialog::accept();
}
