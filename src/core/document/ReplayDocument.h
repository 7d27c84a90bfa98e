#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/DocumentUi.h"
#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"
#include "replay/LapTelemetry.h"
#include "document/DrivingLine.h"
#include "track/LoadedTrack.h"

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// The one document: up to five loaded laps of one track, each with the replay it came from, and
// the track they are on. Adding a lap is the program's main road: choose a file, read its head
// and drivers, choose a lap, load the track with the first lap, read and check the lap.
class ReplayDocument {
public:
    static constexpr int maxLaps = 5;

    struct Slot {
        bool inUse = false;
        std::unique_ptr<ReplayHeader> header;
        std::unique_ptr<DriverTable> drivers;
        std::unique_ptr<LapTelemetry> lapData;
        std::unique_ptr<DrivingLine> drivingLine;
        int lapDriver = -1;
        int lapSession = -1;
        int lapSlot = -1;
    };

    explicit ReplayDocument(DocumentUi& ui);
    ~ReplayDocument();

    // "Add replay lap": the file dialog, then the lap dialog.
    void addReplayLap();
    // A path given (command line, recent files, dropped): the lap dialog only.
    void openPath(const std::filesystem::path& path);
    // The Lap Finder: neither dialog.
    void lapFinderLoad(const std::filesystem::path& path, int driver, int session, int lapSlot);
    // "Clear all replay laps".
    void clearAll();
    // The Move/Remove dialog's OK: the slots refilled from the rows' former slot indexes, in order;
    // laps of slots not listed are removed.
    void applyLapOrder(const std::vector<int>& formerSlots);
    // "Open most recently added replay file": the newest "*.rpy" of the replay folder.
    void openMostRecentlyAdded();

    int lapCount() const { return lapCount_; }
    const std::string& title() const { return title_; }
    const std::array<Slot, maxLaps>& slots() const { return slots_; }
    bool trackLoaded() const { return track_.model != nullptr; }
    const TrackModel* trackModel() const { return track_.model.get(); }
    double trackLength() const { return track_.length.metres; }

    // Colour table: lap 1-5 lines at 0-4, surface kinds at 6-13 and 15.
    static const std::array<Rgb, 22>& colourTable();
    int lapColourIndex(int slot) const { return slot; }
    bool showColourPictures = false;
    bool mapNeedsRedrawing = true;
    bool mapLaidOut = false;
    bool lapSelectionChanged = false;  // set by the plot settings bar's lap check boxes

    // Settings the reports read through the document; read when used, so a change takes effect at once.
    bool speedUnitMph() const;
    bool retireInRaceReport() const;
    bool offTheTrackInRaceReport() const;

private:
    struct Preset {
        std::optional<std::filesystem::path> path;
        std::optional<DocumentUi::ChosenLap> lap;
    };
    void load(const Preset& preset);
    void loadTrackOf(const std::string& trackName);
    void undo(int slot, const std::string& oldTitle);
    std::filesystem::path simulatorFolder() const;

    DocumentUi& ui_;
    std::array<Slot, maxLaps> slots_;
    int lapCount_ = 0;
    std::string title_ = "No lap selected";
    LoadedTrack track_;
};

inline constexpr const char* kNoLapTitle = "No lap selected";
