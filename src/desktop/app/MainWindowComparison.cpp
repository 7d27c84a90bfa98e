#include <QAction>
#include <QSettings>
#include <algorithm>

#include "compare/GainColours.h"
#include "desktop/app/MainWindow.h"
#include "desktop/common/UserProfile.h"
#include "desktop/compare/ComparisonSession.h"
#include "desktop/compare/LapComparisonDock.h"
#include "desktop/map/PlaybackController.h"
#include "desktop/map/TrackMapView.h"

namespace {

const QString kColourByGainKey = QStringLiteral("Window/ColourLineByTimeGained");
const QString kComparisonWantedKey = QStringLiteral("Window/LapComparisonWanted");

// The colours of the coloured lap's samples by time gained against the reference.
std::optional<SampleColours> gainColours(const ComparisonSession& session, const ReplayDocument& document) {
    const LapComparison* comparison = session.comparison();
    const std::optional<int> slot = session.colouredSlot();
    if (!comparison || !slot) return std::nullopt;
    const std::vector<int>& compared = session.slots();
    const auto entry =
        static_cast<std::size_t>(std::find(compared.begin(), compared.end(), *slot) - compared.begin());
    if (entry >= comparison->laps.size()) return std::nullopt;
    const Rgb own = ReplayDocument::colourTable()[static_cast<std::size_t>(document.lapColourIndex(*slot))];
    return SampleColours{*slot,
                         sampleGainColours(comparison->laps[entry],
                                           *document.slots()[static_cast<std::size_t>(*slot)].lapData, own)};
}

}  // namespace

// The lap comparison on the map: the cursor's dots on the compared laps' lines, moved by the
// pointer on a line and by the leading car of a playback, and the line coloured by time gained.
void MainWindow::connectComparison() {
    const auto moveCursor = [this](double distance) { comparison_->setCursor(distance); };
    connect(view_, &TrackMapView::lineHovered, comparison_, moveCursor);
    connect(playback_.get(), &PlaybackController::leaderMoved, comparison_, moveCursor);
    connect(comparison_, &ComparisonSession::cursorMoved, this, &MainWindow::showComparisonCursor);
    connect(comparison_, &ComparisonSession::comparisonChanged, this, [this] {
        showComparisonCursor();
        showGainColours();
        updateCommands();
    });
    colourByGain_ = userProfile().value(kColourByGainKey, false).toBool();
    action(ID_COLOUR_BY_GAIN)->setChecked(colourByGain_);
    comparisonWanted_ = userProfile().value(kComparisonWantedKey, true).toBool();
    connect(comparisonDock_, &LapComparisonDock::closedByUser, this, [this] {
        comparisonWanted_ = false;
        userProfile().setValue(kComparisonWantedKey, false);
    });
}

// Shown or hidden from the View menu, the dock opens by itself with the next laps compared, or not.
void MainWindow::toggleComparison() {
    toggleBar(ID_VIEW_LAP_COMPARISON);
    comparisonWanted_ = !comparisonDock_->isHidden();
    userProfile().setValue(kComparisonWantedKey, comparisonWanted_);
}

void MainWindow::toggleColourByGain() {
    colourByGain_ = !colourByGain_;
    action(ID_COLOUR_BY_GAIN)->setChecked(colourByGain_);
    userProfile().setValue(kColourByGainKey, colourByGain_);
    showGainColours();
}

void MainWindow::showComparisonCursor() {
    view_->setComparisonCursor(comparison_->comparison() ? comparison_->slots() : std::vector<int>{},
                               comparison_->cursor());
}

void MainWindow::showGainColours() {
    view_->setSampleColours(colourByGain_ ? gainColours(*comparison_, document_) : std::nullopt);
    comparisonDock_->setGainLegendShown(colourByGain_);
}
