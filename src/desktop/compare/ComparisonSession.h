#pragma once

#include <QObject>

#include <optional>
#include <string>
#include <vector>

#include "compare/LapComparison.h"

class ReplayDocument;
class LapTelemetry;

// What the dock and the map share: which loaded laps are compared against which reference, the
// comparison itself, the lap drawn coloured by time gained, and the one cursor.
class ComparisonSession : public QObject {
    Q_OBJECT
public:
    explicit ComparisonSession(const ReplayDocument& document, QObject* parent = nullptr);
    // Recompute after the document's laps changed (the main window calls it where it updates the views).
    void refresh();
    const LapComparison* comparison() const;            // nullptr with fewer than two laps or when refused
    const std::optional<std::string>& refusal() const;  // the refusal's text, if refused
    const std::vector<int>& slots() const;              // document slot of each entry of comparison()->laps
    std::optional<int> referenceSlot() const;           // default: the fastest loaded lap
    void setReferenceSlot(int slot);
    std::optional<int> colouredSlot() const;  // the lap "Colour line by time gained" colours; default the
                                              // first compared lap that is not the reference
    void setColouredSlot(int slot);
    std::optional<double> cursor() const;  // m from the line
    void setCursor(std::optional<double> distance);

    // The slots holding a lap, in slot order.
    std::vector<int> loadedSlots() const;

Q_SIGNALS:
    void comparisonChanged();  // laps, reference or coloured lap changed
    void cursorMoved();

private:
    void recompute();
    std::optional<int> fastestSlot() const;

    const ReplayDocument& document_;
    std::optional<LapComparison> comparison_;
    std::optional<std::string> refusal_;
    std::vector<int> slots_;
    std::optional<int> slotOf(const LapTelemetry* lap) const;  // the slot holding `lap`, if loaded

    // What the user chose, by lap rather than slot: Move/Remove reorders the slots, and a slot
    // emptied may later hold another lap. Forgotten once that lap is no longer loaded.
    const LapTelemetry* chosenReference_ = nullptr;
    const LapTelemetry* chosenColoured_ = nullptr;
    std::optional<int> referenceSlot_;
    std::optional<int> colouredSlot_;
    std::optional<double> cursor_;
};
