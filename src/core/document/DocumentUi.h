#pragma once

#include <filesystem>
#include <optional>
#include <string>

class DriverTable;
class ReplayHeader;

// Everything the document asks or tells the user, and tells the windows. The desktop program
// answers with real dialogs; tests answer with a script.
class DocumentUi {
public:
    struct ChosenLap {
        int driver;
        int session;
        int slot;
    };

    virtual ~DocumentUi() = default;

    // An open-file dialog; nothing when cancelled.
    virtual std::optional<std::filesystem::path> chooseReplayFile(const std::string& title, const std::string& filter,
                                                                  const std::filesystem::path& startFolder) = 0;
    // The "Choose Lap To Load" dialog over a replay's head and driver table; nothing when cancelled.
    virtual std::optional<ChosenLap> chooseLap(const ReplayHeader& header, const DriverTable& drivers) = 0;
    // A message box (failures) and an information box (reports about a loaded lap).
    virtual void message(const std::string& text) = 0;
    virtual void information(const std::string& text) = 0;

    // The lap list changed: the plot settings bar rebuilds its rows.
    virtual void lapListChanged() = 0;
    // The five lap toggles must be cleared.
    virtual void clearLapToggles() = 0;
    // The views must redraw.
    virtual void redrawViews() = 0;
};
