#include <QAction>
#include <QSettings>
#include <algorithm>

#include "compare/GainColours.h"
#include "desktop/app/MainWindow.h"
#include "desktop/common/UserProfile.h"
#include "desktop/compare/ComparisonSession.h"
#include "desktop/map/PlaybackController.h"
#include "desktop/map/TrackMapView.h"

namespace {

const QString kColourByGainKey = QStringLiteral("Window/ColourLineByTimeGained");

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
    const LapComparison* comparison = comparison_->comparison();
    const std::optional<int> slot = comparison_->colouredSlot();
    const std::vector<int>& compared = comparison_->slots();
    const auto entry = slot ? std::find(compared.begin(), compared.end(), *slot) : compared.end();
    if (!colourByGain_ || !comparison || entry == compared.end() ||
        static_cast<std::size_t>(entry - compared.begin()) >= comparison->laps.size())
        return view_->setSampleColours(std::nullopt);
    const ReplayDocument::Slot& lap = document_.slots()[static_cast<std::size_t>(*slot)];
    const Rgb own = ReplayDocument::colourTable()[static_cast<std::size_t>(document_.lapColourIndex(*slot))];
    view_->setSampleColours(SampleColours{
        *slot, sampleGainColours(comparison->laps[static_cast<std::size_t>(entry - compared.begin())],
                                 *lap.lapData, own)});
}
