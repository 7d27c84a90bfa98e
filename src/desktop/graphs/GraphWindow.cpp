#include "desktop/graphs/GraphWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "desktop/common/QtText.h"
#include "desktop/document/DocumentColours.h"
#include "desktop/graphs/GraphTrackMap.h"
#include "desktop/graphs/PlotCanvas.h"
#include "desktop/graphs/PlotView.h"
#include "document/ReplayDocument.h"
#include "track/TrackModel.h"

GraphWindow::GraphWindow(const ReplayDocument& document, QWidget* parent)
    : QDialog(parent), document_(document), plot_(new PlotView(this)) {
    setWindowTitle(tr("Graph window"));
    setSizeGripEnabled(true);

    std::vector<GraphLap> laps;
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot) {
        const ReplayDocument::Slot& loaded = document_.slots()[static_cast<std::size_t>(slot)];
        if (!loaded.inUse || !loaded.lapData) continue;
        slotOfBox_.push_back(slot);
        laps.push_back(
            {loaded.lapData.get(), loaded.lapEntry(),
             ReplayDocument::colourTable()[static_cast<std::size_t>(document_.lapColourIndex(slot))]
                 .packed()});
    }
    graphs_ = std::make_unique<LapGraphs>(
        plot_->model(),
        [this](const PlotRange& range) { plot_->setView(range.x1, range.x2, range.y1, range.y2, true); },
        laps, ReplayDocument::colourTable()[ReplayDocument::differenceColourIndex].packed());

    auto* column = new QVBoxLayout;
    column->addWidget(createLapGroup());
    column->addWidget(createChannelGroup());
    column->addWidget(createDifferenceGroup());
    column->addWidget(createMapGroup(), 1);
    auto* hint =
        new QLabel(tr("Rightclick in graph for graph options. Hold down shift while moving mouse with left "
                      "button pressed to pan"));
    hint->setWordWrap(true);
    column->addWidget(hint);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column);
    layout->addWidget(plot_, 1);

    plot_->showPointsPane(false);
    plot_->setViewFlags(PlotCanvas::MouseCoordinates | PlotCanvas::AxisGrid, false);
    plot_->setAxis(tr("Meter"), tr("Meter"), 0, true, false);
    connect(plot_, &PlotView::pointerX, this, &GraphWindow::showMarker);
    channelButton(GraphChannel::Speed)->setChecked(true);
    resize(1040, 660);
}

GraphWindow::~GraphWindow() = default;

QWidget* GraphWindow::createLapGroup() {
    auto* group = new QGroupBox(tr("Select lap(s) to plot"));
    auto* layout = new QVBoxLayout(group);
    for (int box = 0; box < kLapBoxes; ++box) {
        auto* check = new QCheckBox(group);
        lapBoxes_[static_cast<std::size_t>(box)] = check;
        layout->addWidget(check);
        if (box >= static_cast<int>(slotOfBox_.size())) {
            check->setEnabled(false);
            check->hide();
            continue;
        }
        const int slot = slotOfBox_[static_cast<std::size_t>(box)];
        check->setText(fromWin1252(lapCaption(document_.slots()[static_cast<std::size_t>(slot)])));
        check->setStyleSheet(textColourStyle(document_.lapColourIndex(slot)));
        connect(check, &QCheckBox::toggled, this, [this, box](bool checked) {
            graphs_->setLapChecked(box, checked);
            showDifferenceState();
            showMarker(trackMap_->markerDistance());  // the lap's dot comes or goes with it
        });
    }
    return group;
}

QWidget* GraphWindow::createChannelGroup() {
    auto* group = new QGroupBox(tr("Select what to plot"));
    auto* layout = new QVBoxLayout(group);
    auto* choice = new QButtonGroup(group);
    for (const auto& [channel, text] : {std::pair{GraphChannel::Speed, tr("Speed")},
                                        {GraphChannel::Time, tr("Time")},
                                        {GraphChannel::Gear, tr("Gear")},
                                        {GraphChannel::Revs, tr("RPM")},
                                        {GraphChannel::SlipAngle, tr("Slip Angle")}}) {
        auto* button = new QRadioButton(text, group);
        choice->addButton(button);
        layout->addWidget(button);
        channelButtons_.emplace_back(channel, button);
        connect(button, &QRadioButton::toggled, this, [this, channel = channel](bool checked) {
            if (checked) chooseChannel(channel);
        });
    }
    differenceBox_ = new QCheckBox(tr("Time difference"), group);
    differenceBox_->setEnabled(false);
    // Only while it can be ticked: in its colour a disabled box would look enabled.
    differenceBox_->setStyleSheet(QStringLiteral("QCheckBox:enabled { %1 }")
                                      .arg(textColourStyle(ReplayDocument::differenceColourIndex)));
    gapByDistanceBox_ = new QCheckBox(tr("Gap by distance"), group);
    gapByDistanceBox_->setEnabled(false);
    gapByDistanceBox_->setToolTip(tr("Draw the gap as the time between the laps at each metre of the lap"));
    auto* differenceRow = new QHBoxLayout;
    differenceRow->addWidget(differenceBox_);
    differenceRow->addWidget(gapByDistanceBox_);
    differenceRow->addStretch();
    layout->addLayout(differenceRow);
    connect(differenceBox_, &QCheckBox::toggled, this, [this](bool checked) {
        graphs_->setDifferenceChecked(checked);
        showDifferenceState();
    });
    connect(gapByDistanceBox_, &QCheckBox::toggled, this, [this](bool checked) {
        graphs_->setDifferenceKind(checked ? DifferenceKind::ByDistance : DifferenceKind::BySamples);
        showDifferenceState();
    });
    return group;
}

QWidget* GraphWindow::createDifferenceGroup() {
    differenceGroup_ = new QGroupBox(tr("Time difference info"));
    differenceGroup_->setObjectName(QStringLiteral("differenceInfo"));
    auto* layout = new QFormLayout(differenceGroup_);
    const QString captions[] = {tr("At finish line:"), tr("Max ahead:"), tr("Max behind:"), tr("Spread:")};
    for (std::size_t row = 0; row < differenceTexts_.size(); ++row) {
        differenceTexts_[row] = new QLabel(differenceGroup_);
        differenceTexts_[row]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addRow(captions[row], differenceTexts_[row]);
    }
    return differenceGroup_;
}

QWidget* GraphWindow::createMapGroup() {
    QString caption = fromWin1252(document_.title());
    if (const TrackModel* model = document_.trackModel())
        caption +=
            QStringLiteral(" (%1 meters)").arg(static_cast<long long>(std::trunc(model->totalLength())));
    mapGroup_ = new QGroupBox(caption);
    auto* layout = new QVBoxLayout(mapGroup_);
    trackMap_ = new GraphTrackMap(document_.trackModel(), mapGroup_);
    layout->addWidget(trackMap_);
    return mapGroup_;
}

QRadioButton* GraphWindow::channelButton(GraphChannel channel) const {
    for (const auto& [buttonChannel, button] : channelButtons_)
        if (buttonChannel == channel) return button;
    return nullptr;
}

void GraphWindow::chooseChannel(GraphChannel channel) {
    if (graphs_->selectChannel(channel, document_.speedUnitMph())) showDifferenceState();
}

void GraphWindow::showDifferenceState() {
    const bool available = graphs_->differenceAvailable();
    differenceBox_->setEnabled(available);
    gapByDistanceBox_->setEnabled(available);
    const DifferenceTexts& texts = graphs_->texts();
    const std::string* values[] = {&texts.atFinishLine, &texts.maxAhead, &texts.maxBehind, &texts.spread};
    for (std::size_t row = 0; row < differenceTexts_.size(); ++row)
        differenceTexts_[row]->setText(fromUtf8(*values[row]));
    const std::optional<int> first = graphs_->differenceShown() ? graphs_->firstLap() : std::nullopt;
    differenceGroup_->setStyleSheet(!first ? QString()
                                           : QStringLiteral("QGroupBox#differenceInfo::title { %1 }")
                                                 .arg(textColourStyle(document_.lapColourIndex(
                                                     slotOfBox_[static_cast<std::size_t>(*first)]))));
}

void GraphWindow::showMarker(double distance) {
    std::vector<GraphTrackMap::LapDot> dots;
    const bool marked = distance != 0;  // 0 marks nothing, as for the highlighted segment
    for (int box = 0; marked && box < static_cast<int>(slotOfBox_.size()); ++box) {
        if (!graphs_->lapChecked(box)) continue;
        const GraphLap& lap = graphs_->laps()[static_cast<std::size_t>(box)];
        if (const std::optional<double> lateral = lateralAtDistance(*lap.telemetry, distance))
            dots.push_back({QColor::fromRgb(lap.colour), distance, *lateral});
    }
    trackMap_->setMarker(distance, std::move(dots));
}
