#include "desktop/compare/ComparisonSession.h"

#include <iterator>

#include "compare/LapComparison.h"
#include "document/ReplayDocument.h"
#include "replay/ReplayFormat.h"

namespace {

// The dock's points are a metre apart: fine enough to tell a braking point, few enough to draw.
constexpr double kDockStep = 1;

}  // namespace

ComparisonSession::ComparisonSession(const ReplayDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
    recompute();
}

void ComparisonSession::refresh() {
    recompute();
    Q_EMIT comparisonChanged();
}

const LapComparison* ComparisonSession::comparison() const {
    return comparison_ ? &*comparison_ : nullptr;
}

const std::optional<std::string>& ComparisonSession::refusal() const {
    return refusal_;
}

const std::vector<int>& ComparisonSession::slots() const {
    return slots_;
}

std::optional<int> ComparisonSession::referenceSlot() const {
    return referenceSlot_;
}

void ComparisonSession::setReferenceSlot(int slot) {
    chosenReference_ = document_.slots()[static_cast<std::size_t>(slot)].lapData.get();
    refresh();
}

std::optional<int> ComparisonSession::colouredSlot() const {
    return colouredSlot_;
}

void ComparisonSession::setColouredSlot(int slot) {
    chosenColoured_ = document_.slots()[static_cast<std::size_t>(slot)].lapData.get();
    refresh();
}

std::optional<double> ComparisonSession::cursor() const {
    return cursor_;
}

void ComparisonSession::setCursor(std::optional<double> distance) {
    if (distance == cursor_) return;
    cursor_ = distance;
    Q_EMIT cursorMoved();
}

std::vector<int> ComparisonSession::loadedSlots() const {
    std::vector<int> loaded;
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot)
        if (document_.slots()[static_cast<std::size_t>(slot)].inUse) loaded.push_back(slot);
    return loaded;
}

std::optional<int> ComparisonSession::fastestSlot() const {
    std::optional<int> fastest;
    for (const int slot : loadedSlots()) {
        const auto& candidate = document_.slots()[static_cast<std::size_t>(slot)];
        if (!fastest || lapDuration(candidate.lapEntry()) <
                            lapDuration(document_.slots()[static_cast<std::size_t>(*fastest)].lapEntry()))
            fastest = slot;
    }
    return fastest;
}

std::optional<int> ComparisonSession::slotOf(const LapTelemetry* lap) const {
    for (const int slot : loadedSlots())
        if (lap && document_.slots()[static_cast<std::size_t>(slot)].lapData.get() == lap) return slot;
    return std::nullopt;
}

void ComparisonSession::recompute() {
    const std::optional<int> chosenReference = slotOf(chosenReference_);
    const std::optional<int> chosenColoured = slotOf(chosenColoured_);
    // A lap no longer loaded is forgotten: another lap loaded later may reuse its memory.
    if (!chosenReference) chosenReference_ = nullptr;
    if (!chosenColoured) chosenColoured_ = nullptr;
    referenceSlot_ = chosenReference ? chosenReference : fastestSlot();

    slots_.clear();
    if (referenceSlot_) slots_.push_back(*referenceSlot_);
    for (const int slot : loadedSlots())
        if (slot != referenceSlot_) slots_.push_back(slot);

    colouredSlot_.reset();
    if (chosenColoured && chosenColoured != referenceSlot_)
        colouredSlot_ = chosenColoured;
    else if (slots_.size() > 1)
        colouredSlot_ = slots_[1];

    comparison_.reset();
    refusal_.reset();
    if (slots_.size() < 2) {
        cursor_.reset();
        return;
    }
    auto result =
        compareLoadedLaps(document_, slots_.front(), {std::next(slots_.begin()), slots_.end()}, kDockStep);
    if (result)
        comparison_ = std::move(result).value();
    else
        refusal_ = refusalText(result.error());
}
