#include "document/ReplayDocument.h"

#include <algorithm>

#include "common/PathText.h"
#include "common/SimulatorFolders.h"
#include "common/Text1252.h"
#include "common/TimeText.h"
#include "replay/LapChoice.h"

namespace {

constexpr const char* kMaxLapsLoaded = "Max number of laps already loaded!";
constexpr const char* kNotSameTrack = "This file is not from the same track!";

// The driver as a caption names them: the first name's initial and the last name, "M Tanaka".
std::string driverShortName(const ReplayDocument::Slot& slot) {
    const DriverRecord& driver = slot.driver();
    return driver.firstName.substr(0, 1) + " " + driver.lastName;
}

std::string lapTimeText(const ReplayDocument::Slot& slot) {
    return formatElapsedTime(lapDuration(slot.lapEntry()));
}

}  // namespace

std::string lapCaption(const ReplayDocument::Slot& slot) {
    return driverShortName(slot) + " " + lapTimeText(slot);
}

std::string fullLapCaption(const ReplayDocument::Slot& slot) {
    const std::string separator = " \xB7 ";  // a middle dot
    return driverShortName(slot) + separator + sessionName(slot.lapSession) + " lap " +
           std::to_string(slot.lapSlot) + separator + lapTimeText(slot);
}

ReplayDocument::ReplayDocument(DocumentUi& ui, const Settings& settings) : ui_(ui), settings_(settings) {}
ReplayDocument::~ReplayDocument() = default;

const std::array<Rgb, 22>& ReplayDocument::colourTable() {
    static const std::array<Rgb, 22> kColours = {{
        {255, 0, 0},     {0, 0, 255},     {0, 251, 56},    {240, 240, 0}, {38, 232, 226}, {0, 0, 0},
        {128, 128, 128}, {190, 190, 190}, {255, 255, 255}, {50, 128, 50}, {160, 80, 0},   {211, 174, 25},
        {185, 92, 0},    {0, 0, 255},     {255, 255, 255}, {0, 255, 0},   {255, 0, 0},    {0, 0, 255},
        {0, 127, 0},     {255, 0, 255},   {127, 127, 0},   {0, 0, 0},
    }};
    return kColours;
}

bool ReplayDocument::speedUnitMph() const {
    return settings_.speedInMph();
}
bool ReplayDocument::retireInRaceReport() const {
    return settings_.retireInRaceReport();
}
bool ReplayDocument::offTheTrackInRaceReport() const {
    return settings_.offTheTrackInRaceReport();
}

std::filesystem::path ReplayDocument::simulatorFolder() const {
    return settings_.simulatorFolder();
}

void ReplayDocument::addReplayLap() {
    load({});
}
void ReplayDocument::openPath(const std::filesystem::path& path) {
    load({path, std::nullopt});
}
void ReplayDocument::lapFinderLoad(const std::filesystem::path& path, const LapChoice& lap) {
    load({path, lap});
}

void ReplayDocument::tell(const LoadMessages& messages) {
    for (const std::string& text : messages)
        ui_.message(text);
}

// Frees what a failed load made of the slot and restores the title.
void ReplayDocument::undo(int slot, const std::string& oldTitle) {
    slots_[static_cast<std::size_t>(slot)] = Slot{};
    --lapCount_;
    title_ = oldTitle;
}

void ReplayDocument::load(const Preset& preset) {
    if (lapCount_ == maxLaps) return ui_.message(kMaxLapsLoaded);
    const auto occupied =
        std::find_if(slots_.begin(), slots_.end(), [](const Slot& slot) { return slot.inUse; });
    const std::optional<std::string> currentTrack =
        occupied != slots_.end() ? std::optional(occupied->header->trackName) : std::nullopt;

    std::filesystem::path path;
    if (preset.path) {
        path = *preset.path;
    } else {
        const auto chosen = ui_.chooseReplayFile("Select Replay File", "Replay files (*.rpy)",
                                                 replayFolder(simulatorFolder()));
        if (!chosen) return;
        path = *chosen;
    }

    const int index = static_cast<int>(
        std::find_if(slots_.begin(), slots_.end(), [](const Slot& slot) { return !slot.inUse; }) -
        slots_.begin());
    Slot& slot = slots_[static_cast<std::size_t>(index)];
    auto header = readReplayHeader(path);
    if (!header) return tell(header.error());
    if (currentTrack && header.value()->trackName != *currentTrack) return ui_.message(kNotSameTrack);

    const std::string oldTitle = title_;
    slot.inUse = true;
    slot.header = std::move(header).value();
    ++lapCount_;
    auto drivers = readDriverTable(path);
    if (!drivers) {
        tell(drivers.error());
        return undo(index, oldTitle);
    }
    slot.drivers = std::move(drivers).value();

    std::optional<LapChoice> lap = preset.lap;
    if (!lap) lap = ui_.chooseLap(*slot.header, *slot.drivers);
    if (!lap) return undo(index, oldTitle);

    title_ = slot.header->capitalisedTrackName();

    if (lapCount_ == 1) loadTrackOf(slot.header->trackName);

    LapLoad loaded = loadLap(*slot.drivers, *lap, track_.get());
    if (!loaded.read) {
        ui_.message(loaded.failureMessage());
        return undo(index, oldTitle);
    }
    if (!settings_.dontShowQualReport()) ui_.qualityReport(loaded.qualityReport);
    if (!loaded.processing) {
        ui_.message(loaded.failureMessage());
        return undo(index, oldTitle);
    }
    slot.lapData = std::move(loaded.telemetry);
    slot.drivingLine = std::move(loaded.drivingLine);
    slot.lapDriver = lap->driver;
    slot.lapSession = lap->session;
    slot.lapSlot = lap->slot;
    if (loaded.lapTimeCheck) ui_.information(*loaded.lapTimeCheck);
    ui_.lapListChanged();
    ui_.redrawViews();
}

// With the first lap of a document: decode and model the track, and read its official length.
// Without it the laps load all the same, with no map and no speeds from the map.
void ReplayDocument::loadTrackOf(const std::string& trackName) {
    track_.reset();
    ui_.trackChanged();
    auto track = loadReplayTrack(simulatorFolder(), trackName);
    if (!track) return tell(track.error());
    track_ = std::move(track).value();
    if (!track_->length.message.empty()) ui_.message(track_->length.message);
}

void ReplayDocument::clearAll() {
    for (Slot& slot : slots_)
        slot = Slot{};
    lapCount_ = 0;
    title_ = kNoLapTitle;
    ui_.clearLapToggles();
    ui_.lapListChanged();
    ui_.redrawViews();
}

void ReplayDocument::applyLapOrder(const std::vector<int>& formerSlots) {
    if (formerSlots.empty()) return clearAll();
    std::array<Slot, maxLaps> reordered;
    std::size_t next = 0;
    for (int former : formerSlots) {
        if (former < 0 || former >= maxLaps || !slots_[static_cast<std::size_t>(former)].inUse ||
            next == reordered.size()) {
            continue;
        }
        reordered[next++] = std::move(slots_[static_cast<std::size_t>(former)]);
    }
    slots_ = std::move(reordered);
    lapCount_ = static_cast<int>(next);
    if (lapCount_ == 0) return clearAll();
    ui_.lapListChanged();
    ui_.redrawViews();
}

// Newest by modification time; on equal times the first by name, so the choice is the same on
// every file system. Nothing happens without a replay.
void ReplayDocument::openMostRecentlyAdded() {
    std::error_code error;
    std::optional<std::filesystem::path> newest;
    std::filesystem::file_time_type newestTime;
    for (const auto& entry : std::filesystem::directory_iterator(replayFolder(simulatorFolder()), error)) {
        if (asciiLower(pathString(entry.path().extension())) != ".rpy" || !entry.is_regular_file(error))
            continue;
        const auto time = entry.last_write_time(error);
        if (error) continue;
        if (!newest || time > newestTime ||
            (time == newestTime && entry.path().filename() < newest->filename())) {
            newest = entry.path();
            newestTime = time;
        }
    }
    if (newest) openPath(*newest);
}
