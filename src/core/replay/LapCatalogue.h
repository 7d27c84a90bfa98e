#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class DriverTable;
class ReplayHeader;
class LapTelemetry;

// What the "Choose Lap To Load" dialog lists and shows: every driver's laps per session, which
// of them can be loaded (shown in bold), the replay's description, the selected lap's details and
// the lap quality report. Texts are Windows-1252.

struct LapItem {
    int slot;  // the lap's slot in the driver's row (0: the time before the start/finish line)
    std::string label;
    bool selectable;  // bold: its telemetry is in the file
};

struct SessionItem {
    int session;
    std::string title;  // "Practice Laps", ...
    std::vector<LapItem> laps;
};

struct DriverItem {
    int driver;
    std::string title;  // "Marco Rossi #7"
    std::vector<SessionItem> sessions;
};

// The tree of the dialog. With onlySelectable, the items of laps that cannot be loaded are left out.
std::vector<DriverItem> buildLapTree(const DriverTable& drivers, bool onlySelectable);

// "Time before start/finish: 0m 04.096s", "Lap 7: 1m 12.500s [64]"; "No time" for an unused slot.
std::string lapLabel(int slot, std::uint32_t entry);

// The incident words of a label's bracketed flags: "Off track, Incomplete lap", "Unknown", or
// "None reported" for a label without flags.
std::string incidentText(const std::string& label);

// The "Selected driver/lap information" fields.
struct SelectedLapInfo {
    std::string driverName;
    std::string type;  // "Human", "AI-car", "Non-competing"
    std::string chatNick;
    std::string car;
    std::string lapTime;  // the label's part after ": ", or "None selected"
    std::string incidents;
    std::string selectable;  // "Yes" / "No"
    std::string session;     // "Practice", ... or empty
};
// For a lap item of a driver and session; with no lap, the fields of a driver or session item.
SelectedLapInfo selectedLapInfo(const DriverTable& drivers, int driver, int session, const LapItem* lap);

// The replay's description in the dialog: label and value, in the dialog's order.
std::vector<std::pair<std::string, std::string>> describeReplay(const ReplayHeader& header,
                                                                const DriverTable& drivers);

// OK on the dialog: nothing, a driver or session item, or a lap that cannot be loaded is refused
// with a message (text and caption); a bold lap is accepted.
struct LapChoiceRefusal {
    std::string text;
    std::string caption;
};
std::optional<LapChoiceRefusal> refuseLapChoice(const LapItem* lap);

// The lap quality report of a lap read (not processed). The load sequence's form adds the note
// about plots and graphs and the hint to turn the report off.
enum class QualityReportForm { LapDialog, LoadSequence };
std::string qualityReport(const LapTelemetry& lap, std::uint32_t lapEntry, QualityReportForm form);
