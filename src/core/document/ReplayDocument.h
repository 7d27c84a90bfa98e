#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/DocumentUi.h"
#include "document/DrivingLine.h"
#include "document/LoadPipeline.h"
#include "replay/DriverTable.h"
#include "replay/LapTelemetry.h"
#include "replay/ReplayHeader.h"
#include "settings/Settings.h"
#include "track/LoadedTrack.h"

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
    // 0xRRGGBB, as the plot keeps colours.
    std::uint32_t packed() const {
        return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | b;
    }
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

        // The loaded lap's driver and its entry in the lap table.
        const DriverRecord& driver() const { return drivers->driver(lapDriver); }
        std::uint32_t lapEntry() const { return drivers->lapEntry(lapSession, lapDriver, lapSlot); }
    };

    // Settings are read when used (the simulator folder, the quality report, the report switches),
    // so a change in the Settings dialog takes effect at once.
    ReplayDocument(DocumentUi& ui, const Settings& settings);
    ~ReplayDocument();

    // "Add replay lap": the file dialog, then the lap dialog.
    void addReplayLap();
    // A path given (command line, recent files, dropped): the lap dialog only.
    void openPath(const std::filesystem::path& path);
    // The Lap Finder: neither dialog.
    void lapFinderLoad(const std::filesystem::path& path, const LapChoice& lap);
    // "Clear all replay laps".
    void clearAll();
    // The Move/Remove dialog's OK: the slots refilled from the rows' former slot indexes, in order;
    // laps of slots not listed are removed. The laps keep their toggles.
    void applyLapOrder(const std::vector<int>& formerSlots);
    // "Open most recently added replay file": the newest "*.rpy" of the replay folder.
    void openMostRecentlyAdded();

    int lapCount() const { return lapCount_; }
    const std::string& title() const { return title_; }
    const std::array<Slot, maxLaps>& slots() const { return slots_; }
    bool trackLoaded() const { return track_ != nullptr; }
    const TrackModel* trackModel() const { return track_ ? &track_->model : nullptr; }
    double trackLength() const { return track_ ? track_->length.metres : 0; }

    // Colour table: lap 1-5 lines at 0-4, surface kinds at 6-13 and 15.
    static const std::array<Rgb, 22>& colourTable();
    // The graphs' time difference curves.
    static constexpr int differenceColourIndex = 5;
    int lapColourIndex(int slot) const { return slot; }

    // Settings the reports read through the document.
    bool speedUnitMph() const;
    bool retireInRaceReport() const;
    bool offTheTrackInRaceReport() const;

private:
    struct Preset {
        std::optional<std::filesystem::path> path;
        std::optional<LapChoice> lap;
    };
    void load(const Preset& preset);
    void loadTrackOf(const std::string& trackName);
    void undo(int slot, const std::string& oldTitle);
    void tell(const LoadMessages& messages);
    std::filesystem::path simulatorFolder() const;

    DocumentUi& ui_;
    const Settings& settings_;
    std::array<Slot, maxLaps> slots_;
    int lapCount_ = 0;
    std::string title_ = "No lap selected";
    std::unique_ptr<LoadedTrack> track_;
};

inline constexpr const char* kNoLapTitle = "No lap selected";

// What every command that needs a loaded lap says without one.
inline constexpr const char* kNoLapLoaded = "No replay lap loaded!";

// A loaded lap's caption wherever one is shown: the first name's initial, the last name and the
// lap's time, "M Tanaka 1m 16.236s". Windows-1252.
std::string lapCaption(const ReplayDocument::Slot& slot);

// A loaded lap named in full, so two laps of one driver are told apart: driver, session, lap
// number and time, "M Tanaka · Race lap 2 · 1m 16.236s". Windows-1252.
std::string fullLapCaption(const ReplayDocument::Slot& slot);
