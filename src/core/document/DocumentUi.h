#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "replay/LapChoice.h"

class DriverTable;
class ReplayHeader;

// Everything the document asks or tells the user, and tells the windows. The desktop program
// answers with real dialogs; tests answer with a script. Texts are Windows-1252.
class DocumentUi {
public:
    virtual ~DocumentUi() = default;

    // An open-file dialog; nothing when cancelled.
    virtual std::optional<std::filesystem::path> chooseReplayFile(
        const std::string& title, const std::string& filter, const std::filesystem::path& startFolder) = 0;
    // The "Choose Lap To Load" dialog over a replay's head and driver table; nothing when cancelled.
    virtual std::optional<LapChoice> chooseLap(const ReplayHeader& header, const DriverTable& drivers) = 0;
    // A message box (failures) and an information box (reports about a loaded lap).
    virtual void message(const std::string& text) = 0;
    virtual void information(const std::string& text) = 0;
    // The lap quality report of a lap just read (when the settings ask for it): an information box.
    virtual void qualityReport(const std::string& text) { information(text); }

    // What the windows are told; a user interface without windows (the command-line tool) has
    // nothing to do.
    // The lap list changed: the plot settings bar rebuilds its rows.
    virtual void lapListChanged() {}
    // The five lap toggles must be cleared.
    virtual void clearLapToggles() {}
    // The laps changed: the views lay out what they show again and redraw.
    virtual void redrawViews() {}
    // Another track was loaded: the views show it whole.
    virtual void trackChanged() {}
};
