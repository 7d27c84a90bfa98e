#include "desktop/compare/LapComparisonDock.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <sstream>

#include "common/TimeText.h"
#include "common/WholeFile.h"
#include "compare/ComparisonCsv.h"
#include "compare/GainColours.h"
#include "desktop/common/QtText.h"
#include "desktop/common/UserProfile.h"
#include "desktop/compare/ComparisonPlots.h"
#include "desktop/compare/ComparisonPlotsView.h"
#include "desktop/compare/ComparisonSession.h"
#include "desktop/document/DocumentColours.h"
#include "document/ReplayDocument.h"

namespace {

// The best time of a sector column: violet, as timing screens mark a best sector.
const QColor kBestSectorColour(0xE6, 0xD5, 0xF7);

std::uint32_t milliseconds(double seconds) {
    return static_cast<std::uint32_t>(std::lround(std::max(0.0, seconds) * 1000));
}

// "17.638", or "1:05.123" past a minute: a sector's time, short enough for four columns.
QString sectorTime(double seconds) {
    const TimeParts time = splitTime(milliseconds(seconds));
    return time.minutes ? QString::asprintf("%u:%02u.%03u", time.minutes, time.seconds, time.milliseconds)
                        : QString::asprintf("%u.%03u", time.seconds, time.milliseconds);
}

std::optional<QString> askSavePath(QWidget* parent, const QString& proposal, const QString& filter) {
    const RememberedFolder folder(QStringLiteral("Lap comparison"));
    QFileDialog dialog(parent, LapComparisonDock::tr("Save lap comparison"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(QFileInfo(proposal).suffix());
    dialog.selectFile(folder.fileIn(proposal));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    folder.remember(dialog.selectedFiles().constFirst());
    return dialog.selectedFiles().constFirst();
}

}  // namespace

LapComparisonDock::LapComparisonDock(ComparisonSession& session, const ReplayDocument& document,
                                     QWidget* parent)
    : QDockWidget(tr("Lap comparison"), parent),
      session_(session),
      document_(document),
      pages_(new QStackedWidget),
      message_(new QLabel),
      reference_(new QComboBox),
      coloured_(new QComboBox),
      gainLegend_(new QLabel(fromUtf8(gainLegendText()))),
      savePicture_(new QPushButton(tr("Save plots as PNG..."))),
      saveData_(new QPushButton(tr("Save data as CSV..."))),
      plots_(new ComparisonPlotsView),
      cursorDistance_(new QLabel),
      readoutRows_(new QGridLayout),
      sectors_(new QTableWidget),
      theoreticalBest_(new QLabel) {
    setObjectName(QStringLiteral("LapComparisonDock"));
    chooseSavePath = [this](const QString& proposal, const QString& filter) {
        return askSavePath(this, proposal, filter);
    };
    showMessage = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };

    message_->setAlignment(Qt::AlignCenter);
    message_->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Reference lap:")));
    top->addWidget(reference_, 1);
    top->addWidget(new QLabel(tr("Colour on map:")));
    top->addWidget(coloured_, 1);
    top->addStretch();
    top->addWidget(savePicture_);
    top->addWidget(saveData_);
    reference_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    coloured_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    gainLegend_->setWordWrap(true);
    gainLegend_->hide();

    auto* readouts = new QWidget;
    auto* readoutColumn = new QVBoxLayout(readouts);
    readoutColumn->setContentsMargins(0, 0, 0, 0);
    readoutColumn->addWidget(cursorDistance_);
    readoutColumn->addLayout(readoutRows_);
    readoutColumn->addStretch();

    sectors_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sectors_->setSelectionMode(QAbstractItemView::NoSelection);
    sectors_->verticalHeader()->hide();
    auto* table = new QWidget;
    auto* tableColumn = new QVBoxLayout(table);
    tableColumn->setContentsMargins(0, 0, 0, 0);
    tableColumn->addWidget(sectors_);
    tableColumn->addWidget(theoreticalBest_);
    tableColumn->addWidget(gainLegend_);
    tableColumn->addWidget(readouts, 1);

    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(plots_);
    split->addWidget(table);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setChildrenCollapsible(false);

    auto* comparison = new QWidget;
    auto* column = new QVBoxLayout(comparison);
    column->setContentsMargins(4, 4, 4, 4);
    column->addLayout(top);
    column->addWidget(split, 1);
    pages_->addWidget(message_);
    pages_->addWidget(comparison);
    setWidget(pages_);

    connect(reference_, &QComboBox::activated, this,
            [this](int index) { session_.setReferenceSlot(reference_->itemData(index).toInt()); });
    connect(coloured_, &QComboBox::activated, this,
            [this](int index) { session_.setColouredSlot(coloured_->itemData(index).toInt()); });
    connect(savePicture_, &QPushButton::clicked, this, &LapComparisonDock::savePicture);
    connect(saveData_, &QPushButton::clicked, this, &LapComparisonDock::saveData);
    connect(plots_, &ComparisonPlotsView::pointerAt, this,
            [this](double distance) { session_.setCursor(distance); });
    connect(&session_, &ComparisonSession::comparisonChanged, this, &LapComparisonDock::showComparison);
    connect(&session_, &ComparisonSession::cursorMoved, this, &LapComparisonDock::showCursor);
    showComparison();
}

bool LapComparisonDock::speedUnitMph() const {
    return document_.speedUnitMph();
}

QString LapComparisonDock::caption(int slot) const {
    return fromWin1252(fullLapCaption(document_.slots()[static_cast<std::size_t>(slot)]));
}

int LapComparisonDock::colourIndex(int slot) const {
    return document_.lapColourIndex(slot);
}

std::vector<std::uint32_t> LapComparisonDock::lapColours() const {
    std::vector<std::uint32_t> colours;
    for (const int slot : session_.slots())
        colours.push_back(documentColour(colourIndex(slot)).rgb() & 0xFFFFFFu);
    return colours;
}

void LapComparisonDock::settingsChanged() {
    plots_->setSpeedUnit(session_.comparison(), lapColours(), speedUnitMph());
    showCursor();
}

void LapComparisonDock::setGainLegendShown(bool shown) {
    gainLegend_->setVisible(shown);
}

void LapComparisonDock::showComparison() {
    fillReferenceChooser();
    fillColouredChooser();
    const LapComparison* comparison = session_.comparison();
    if (session_.refusal()) {
        message_->setText(fromUtf8(*session_.refusal()));
    } else if (!comparison) {
        message_->setText(tr("Load two or more laps to compare them."));
    }
    pages_->setCurrentIndex(comparison ? 1 : 0);
    plots_->setComparison(comparison, lapColours(), speedUnitMph());
    fillReadoutRows();
    fillSectorTable();
    showCursor();
}

void LapComparisonDock::fillReferenceChooser() {
    reference_->clear();
    for (const int slot : session_.loadedSlots()) {
        reference_->addItem(caption(slot), slot);
        if (slot == session_.referenceSlot()) reference_->setCurrentIndex(reference_->count() - 1);
    }
}

// The compared laps other than the reference, which comes first.
void LapComparisonDock::fillColouredChooser() {
    coloured_->clear();
    const std::vector<int>& slots = session_.slots();
    for (std::size_t entry = 1; entry < slots.size(); ++entry) {
        coloured_->addItem(caption(slots[entry]), slots[entry]);
        if (slots[entry] == session_.colouredSlot()) coloured_->setCurrentIndex(coloured_->count() - 1);
    }
}

void LapComparisonDock::fillReadoutRows() {
    while (QLayoutItem* item = readoutRows_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    readouts_.clear();
    if (!session_.comparison()) return;
    const std::vector<int>& slots = session_.slots();
    for (std::size_t lap = 0; lap < slots.size(); ++lap) {
        const int row = static_cast<int>(lap);
        const QString style = textColourStyle(colourIndex(slots[lap]));
        auto* number = new QLabel(QString::number(slots[lap] + 1));
        number->setStyleSheet(style + QStringLiteral(" font-weight: bold;"));
        auto* name = new QLabel(caption(slots[lap]));
        name->setStyleSheet(style);
        auto* value = new QLabel;
        // As wide as the widest readout from the start, so the plots keep their width as the
        // pointer comes and goes.
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(
            fromUtf8(comparisonplots::readout({0, 0, -88.888, 888}, false))));
        readoutRows_->addWidget(number, row, 0);
        readoutRows_->addWidget(name, row, 1);
        readoutRows_->addWidget(value, row, 2);
        readouts_.push_back(value);
    }
    readoutRows_->setColumnStretch(1, 1);
}

void LapComparisonDock::fillSectorTable() {
    sectors_->clear();
    theoreticalBest_->clear();
    const LapComparison* comparison = session_.comparison();
    if (!comparison) {
        sectors_->setRowCount(0);
        sectors_->setColumnCount(0);
        return;
    }
    const std::vector<int>& slots = session_.slots();
    sectors_->setRowCount(static_cast<int>(slots.size()));
    sectors_->setColumnCount(kComparedSectors + 1);
    QStringList headers{QString()};
    for (const SectorComparison& sector : comparison->sectors)
        headers << fromUtf8(sector.name);
    sectors_->setHorizontalHeaderLabels(headers);
    for (std::size_t lap = 0; lap < slots.size(); ++lap) {
        const int row = static_cast<int>(lap);
        // The lap's number in its colour, as the plot settings bar numbers it; named in full beside
        // its readout.
        auto* number = new QTableWidgetItem(QString::number(slots[lap] + 1));
        number->setForeground(documentColour(colourIndex(slots[lap])).darker(125));
        number->setToolTip(caption(slots[lap]));
        QFont numberFont = number->font();
        numberFont.setBold(true);
        number->setFont(numberFont);
        number->setTextAlignment(Qt::AlignCenter);
        sectors_->setItem(row, 0, number);
        for (int column = 0; column < kComparedSectors; ++column) {
            const SectorComparison& sector = comparison->sectors[static_cast<std::size_t>(column)];
            const std::optional<double> time = lap < sector.times.size() ? sector.times[lap] : std::nullopt;
            if (!time) continue;
            QString text = sectorTime(*time);
            const std::optional<double> delta =
                lap < sector.deltas.size() ? sector.deltas[lap] : std::nullopt;
            if (lap > 0 && delta)
                text += QLatin1Char('\n') + fromUtf8(comparisonplots::signedSeconds(*delta));
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (sector.best == row) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(kBestSectorColour);
                item->setToolTip(tr("Best %1").arg(fromUtf8(sector.name)));
            }
            sectors_->setItem(row, column + 1, item);
        }
    }
    sectors_->resizeColumnsToContents();
    sectors_->resizeRowsToContents();
    // No empty rows below the laps: the readouts follow the table.
    sectors_->setMaximumHeight(sectors_->horizontalHeader()->sizeHint().height() +
                               sectors_->verticalHeader()->length() + 2 * sectors_->frameWidth());
    if (comparison->theoreticalBest)
        theoreticalBest_->setText(
            tr("Theoretical best: %1")
                .arg(fromUtf8(formatElapsedTime(milliseconds(*comparison->theoreticalBest)))));
}

void LapComparisonDock::showCursor() {
    const std::optional<double> cursor = session_.cursor();
    plots_->setCursor(cursor);
    const LapComparison* comparison = session_.comparison();
    cursorDistance_->setText(cursor && comparison ? tr("At %1 m").arg(std::lround(*cursor)) : QString());
    if (!comparison) return;
    for (std::size_t lap = 0; lap < readouts_.size() && lap < comparison->laps.size(); ++lap) {
        const std::optional<DeltaPoint> point = cursor ? comparison->laps[lap].at(*cursor) : std::nullopt;
        readouts_[lap]->setText(point ? fromUtf8(comparisonplots::readout(*point, speedUnitMph()))
                                      : QString());
    }
}

void LapComparisonDock::savePicture() {
    if (!session_.comparison()) return;
    const std::optional<QString> path =
        chooseSavePath(QStringLiteral("Lap comparison.png"), tr("PNG pictures (*.png)"));
    if (!path) return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!plots_->picture().save(&buffer, "PNG") ||
        !writeWholeFile(path->toStdString(),
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        std::ios::binary))
        showMessage(QStringLiteral("Error creating file!"));
}

void LapComparisonDock::saveData() {
    const LapComparison* comparison = session_.comparison();
    if (!comparison) return;
    const std::optional<QString> path =
        chooseSavePath(QStringLiteral("Lap comparison.csv"), tr("CSV files (*.csv)"));
    if (!path) return;
    std::vector<std::string> captions;
    for (const int slot : session_.slots())
        captions.push_back(fullLapCaption(document_.slots()[static_cast<std::size_t>(slot)]));
    std::ostringstream csv;
    writeComparisonCsv(csv, *comparison, captions);
    if (!writeWholeFile(path->toStdString(), csv.str())) showMessage(QStringLiteral("Error creating file!"));
}

void LapComparisonDock::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    Q_EMIT closedByUser();
}
