#include "desktop/document/PlotSettingsBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <map>

#include "common/TimeText.h"
#include "desktop/common/QtText.h"
#include "desktop/document/DocumentColours.h"
#include "desktop/document/OrientCompass.h"
#include "document/ReplayDocument.h"

namespace {

QLabel* colouredLabel(const QString& text, int colourIndex) {
    auto* label = new QLabel(text);
    label->setStyleSheet(textColourStyle(colourIndex) + QStringLiteral(" font-weight: bold;"));
    return label;
}

}  // namespace

PlotSettingsBar::PlotSettingsBar(QWidget* parent) : QDockWidget(QStringLiteral("Plot Settings"), parent) {
    setObjectName(QStringLiteral("PlotSettingsBar"));
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);

    auto* laps = new QGroupBox(QStringLiteral("Select lap(s) to plot"));
    auto* lapGrid = new QGridLayout(laps);
    auto* focus = new QGroupBox(QStringLiteral("Focus settings"));
    auto* focusLayout = new QGridLayout(focus);
    focusLeader_ = new QRadioButton(QStringLiteral("Focus Leader"));
    focusManual_ = new QRadioButton(QStringLiteral("Manual"));
    auto* byDriver = new QRadioButton(QStringLiteral("Focus Driver:"));
    focusDriver_ = new QComboBox;
    focusLeader_->setChecked(true);
    focusDriver_->setEnabled(false);
    focusLayout->addWidget(focusLeader_, 0, 0);
    focusLayout->addWidget(focusManual_, 1, 0);
    focusLayout->addWidget(byDriver, 2, 0);
    focusLayout->addWidget(focusDriver_, 3, 0);
    connect(byDriver, &QRadioButton::toggled, focusDriver_, &QComboBox::setEnabled);

    realtime_ = new QGroupBox(QStringLiteral("Realtime Information"));
    auto* realtimeGrid = new QGridLayout(realtime_);
    // The revs field shows tens of rpm, so its caption says so.
    const char* captions[] = {"Speed:", "Revs (x10):", "Gear:", "Elapsed time:", "Orient:"};
    for (int i = 0; i < 5; ++i) {
        realtimeCaptions_[static_cast<std::size_t>(i)] =
            i == 4 ? colouredLabel(QString::fromLatin1(captions[i]), 5)
                   : new QLabel(QString::fromLatin1(captions[i]));
        realtimeGrid->addWidget(realtimeCaptions_[static_cast<std::size_t>(i)], i + 1, 0);
    }
    elapsed_ = new QLabel;
    realtimeGrid->addWidget(elapsed_, 4, 1, 1, kRows);

    auto* splits = new QGroupBox(QStringLiteral("Splittimes"));
    auto* splitGrid = new QGridLayout(splits);
    const char* heads[] = {"25%", "50%", "75%"};
    for (int column = 0; column < 3; ++column)
        splitGrid->addWidget(new QLabel(QString::fromLatin1(heads[column])), 0, column + 1);

    for (int row = 0; row < kRows; ++row) {
        Row& widgets = rows_[static_cast<std::size_t>(row)];
        const QString number = QString::number(row + 1);
        widgets.number = colouredLabel(number, row);
        widgets.box = new QCheckBox;
        lapGrid->addWidget(widgets.number, row, 0);
        lapGrid->addWidget(widgets.box, row, 1);
        connect(widgets.box, &QCheckBox::clicked, this, &PlotSettingsBar::lapSelectionChanged);
        widgets.realtimeHead = colouredLabel(number, row);
        realtimeGrid->addWidget(widgets.realtimeHead, 0, row + 1);
        for (int reading = 0; reading < 3; ++reading) {
            widgets.realtime[static_cast<std::size_t>(reading)] = new QLabel;
            realtimeGrid->addWidget(widgets.realtime[static_cast<std::size_t>(reading)], reading + 1,
                                    row + 1);
        }
        widgets.orient = new OrientCompass(documentColour(row));
        realtimeGrid->addWidget(widgets.orient, 5, row + 1);
        widgets.splitNumber = colouredLabel(number, row);
        splitGrid->addWidget(widgets.splitNumber, row + 1, 0);
        for (int column = 0; column < 3; ++column) {
            widgets.splits[static_cast<std::size_t>(column)] = new QLabel;
            splitGrid->addWidget(widgets.splits[static_cast<std::size_t>(column)], row + 1, column + 1);
        }
    }
    auto* homepage = new QLabel(QStringLiteral("<a href=\"guide\">Visit VxRA homepage!</a>"));
    homepage->setObjectName(QStringLiteral("homepage"));
    connect(homepage, &QLabel::linkActivated, this, &PlotSettingsBar::homepageRequested);

    layout->addWidget(laps);
    layout->addWidget(focus);
    layout->addWidget(realtime_);
    layout->addWidget(splits);
    layout->addWidget(homepage);
    layout->addStretch();
    setWidget(panel);
    for (int row = 0; row < kRows; ++row)
        showRow(row, false);
    enterStoppedState();
}

void PlotSettingsBar::showRow(int row, bool shown) {
    Row& widgets = rows_[static_cast<std::size_t>(row)];
    for (QWidget* widget : {static_cast<QWidget*>(widgets.number), static_cast<QWidget*>(widgets.box),
                            static_cast<QWidget*>(widgets.splitNumber)}) {
        widget->setVisible(shown);
    }
    for (QLabel* split : widgets.splits) {
        split->setVisible(shown);
        if (!shown) split->clear();
    }
    if (!shown) {
        widgets.box->setChecked(false);
        widgets.box->setText(QString());
        widgets.lap = nullptr;
    }
}

// Rows 1 to k show the k loaded laps; the rest are hidden. With no lap every row is hidden. A lap
// keeps its tick when the laps are reordered; a newly added lap is ticked, so it is shown at once.
void PlotSettingsBar::refresh(const ReplayDocument& document) {
    focusDriver_->clear();
    std::map<const LapTelemetry*, bool> ticks;
    for (const Row& widgets : rows_) {
        if (widgets.lap) ticks[widgets.lap] = widgets.box->isChecked();
    }
    int row = 0;
    for (const ReplayDocument::Slot& slot : document.slots()) {
        if (!slot.inUse || !slot.lapData || row == kRows) continue;
        Row& widgets = rows_[static_cast<std::size_t>(row)];
        const QString label = fromWin1252(lapCaption(slot));
        showRow(row, true);
        widgets.box->setText(label);
        widgets.box->setStyleSheet(textColourStyle(row));
        const auto tick = ticks.find(slot.lapData.get());
        widgets.box->setChecked(tick == ticks.end() || tick->second);
        widgets.lap = slot.lapData.get();
        focusDriver_->addItem(label);
        const int splits[] = {slot.lapData->splitTime1, slot.lapData->splitTime2, slot.lapData->splitTime3};
        // A split time of 0 was never computed (no track length): its cell stays empty.
        for (int column = 0; column < 3; ++column)
            widgets.splits[static_cast<std::size_t>(column)]->setText(
                splits[column] == 0 ? QString()
                                    : fromUtf8(formatSplitTime(static_cast<std::uint32_t>(splits[column]))));
        ++row;
    }
    for (int unusedRow = row; unusedRow < kRows; ++unusedRow)
        showRow(unusedRow, false);
    if (focusDriver_->count() > 0) focusDriver_->setCurrentIndex(0);
}

void PlotSettingsBar::clearLaps() {
    for (Row& row : rows_)
        row.box->setChecked(false);
}

void PlotSettingsBar::toggleLap(int row) {
    if (row < 0 || row >= kRows) return;
    rows_[static_cast<std::size_t>(row)].box->toggle();
    Q_EMIT lapSelectionChanged();
}

bool PlotSettingsBar::isLapChecked(int row) const {
    return row >= 0 && row < kRows && rows_[static_cast<std::size_t>(row)].box->isChecked();
}

void PlotSettingsBar::enterPlayingState() {
    realtime_->setVisible(true);
    for (int row = 0; row < kRows; ++row) {
        Row& widgets = rows_[static_cast<std::size_t>(row)];
        widgets.box->setEnabled(false);
        for (QLabel* split : widgets.splits)
            split->setVisible(false);
        const bool shown = widgets.box->isChecked() && widgets.lap;
        widgets.realtimeHead->setVisible(shown);
        for (QLabel* value : widgets.realtime)
            value->setVisible(shown);
        widgets.orient->setVisible(shown);
    }
}

PlotSettingsBar::Focus PlotSettingsBar::focus() const {
    if (focusLeader_->isChecked()) return Focus::Leader;
    return focusManual_->isChecked() ? Focus::Manual : Focus::Driver;
}

int PlotSettingsBar::focusDriverRow() const {
    return focusDriver_->currentIndex();
}

void PlotSettingsBar::showElapsed(const QString& elapsed) {
    elapsed_->setText(elapsed);
}

void PlotSettingsBar::showLapRealtime(int row, int speed, int revs, const QString& gear,
                                      std::optional<int> sector, const std::array<bool, 3>& splitsPassed) {
    Row& widgets = rows_[static_cast<std::size_t>(row)];
    widgets.realtime[0]->setText(QString::number(speed));
    widgets.realtime[1]->setText(QString::number(revs));
    widgets.realtime[2]->setText(gear);
    widgets.orient->setSector(sector);
    for (std::size_t split = 0; split < widgets.splits.size(); ++split)
        widgets.splits[split]->setVisible(splitsPassed[split]);
}

void PlotSettingsBar::enterStoppedState() {
    realtime_->setVisible(false);
    elapsed_->clear();
    for (Row& row : rows_) {
        for (QLabel* value : row.realtime)
            value->clear();
        row.orient->setSector(std::nullopt);
        row.box->setEnabled(true);
        for (QLabel* split : row.splits)
            split->setVisible(row.lap != nullptr);
    }
}
