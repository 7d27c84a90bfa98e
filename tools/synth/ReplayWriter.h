#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "replay/RecordDecoding.h"
#include "replay/ReplayFormat.h"

// Assembles replay files from explicit content: head and weekend fields, drivers, the lap table of
// each session, and telemetry frames of records. Frames are laid out as they are added, so large
// files can be built frame by frame.

struct DriverSpec {
    std::string firstName;
    std::string lastName;
    std::string chatNick;
    std::string carName;
    std::uint32_t carNumber = 0;
    std::uint32_t kindCode = 250;  // 150 human, 250 AI car, other non-competing
    std::uint32_t id = 0;
};

// One driver's laps in one session, as the file stores them: end times (low 24 bits, ms of
// session time) with incident flags in the upper 8 bits.
struct LapList {
    std::uint32_t driverId = 0;
    std::uint32_t startTime = 0;
    std::vector<std::uint32_t> entries;
};
// A lap list from the start time and each lap's duration (low 24 bits) with its flags.
LapList lapListFromDurations(std::uint32_t driverId, std::uint32_t startTime,
                             const std::vector<std::uint32_t>& durationsWithFlags);

struct WeekendSettings {
    bool quickRace = false;
    int raceLaps = 0;
    int qualifyingLaps = 0;  // a quick race stores it in one byte
    float practiceSeconds = 0;
    float warmupSeconds = 0;
    int raceDistancePercent = 100;
    int aiStrength = 100;
    int aiCars = 0;
    int temperatureF = 70;
    int windSpeedMph = 0;
    int windDirection = 0;  // 0 N .. 7 NW
    bool cloudy = false;
    bool manualWeather = false;
    bool fixedSetup = false;
    bool forceInCarView = false;
    bool forceSmoke = false;
    bool fullPaceLap = false;
    bool arcadeMode = false;
    bool yellowFlags = true;
    bool doubleFileRestarts = false;
    int damageLevel = 3;
};

// A telemetry record: its type, payload and the size written in its head (head included,
// padding excluded; normally 4 + payload size).
struct RecordSpec {
    std::uint16_t type = 0;
    std::vector<std::uint8_t> payload;
    std::uint16_t size = 0;
};

RecordSpec ownerStateRecord(const TelemetrySample& sample);
RecordSpec carStatesRecord(const std::vector<std::pair<std::uint8_t, TelemetrySample>>& cars);
RecordSpec sessionMarkerRecord(int code, std::uint32_t timeMs);
// A flag record (type 9, size 14, 12-byte payload): byte 0 the change mark, byte 4 the flag code.
RecordSpec flagRecord(std::uint8_t change, std::uint8_t code);
// A record of a type that is stepped over, of the given size (head included).
RecordSpec plainRecord(std::uint16_t type, std::uint16_t size);

// The payload bytes that decode to `sample` (its distance within the type's resolution).
std::array<std::uint8_t, kOwnerStatePayload> encodeOwnerState(const TelemetrySample& sample);
std::array<std::uint8_t, kCarStateEntry> encodeCarState(std::uint8_t driverId, const TelemetrySample& sample);

class ReplayWriter {
public:
    ReplayWriter();

    void setFormatVersion(std::uint8_t version) { head_[4] = version; }
    void setOwner(std::uint32_t index, const std::string& firstName, const std::string& lastName);
    void setSessionInProgress(int session);
    void setTrackName(const std::string& name);
    void setCarSet(const std::string& name);
    void setWeekend(const WeekendSettings& weekend);
    // Raw access to the 268-byte head for cases the named setters do not cover.
    void setByte(std::size_t offset, std::uint8_t value) { head_[offset] = value; }
    void setU32(std::size_t offset, std::uint32_t value);

    void addDriver(const DriverSpec& driver) { drivers_.push_back(driver); }
    // Lap tables are written in the order added: one per session the replay knows, in session order.
    void addLapTable(const std::vector<LapList>& lists) { lapTables_.push_back(lists); }

    void addFrame(const std::vector<RecordSpec>& records);
    std::size_t frameCount() const { return frameCount_; }
    std::size_t telemetrySize() const { return telemetry_.size(); }

    std::vector<std::uint8_t> bytes() const;
    // Writes the file; false when it cannot be written.
    bool write(const std::filesystem::path& path) const;

private:
    std::vector<std::uint8_t> tables() const;
    std::array<std::uint8_t, kHeadSize> finishedHead(std::size_t tablesSize) const;

    std::array<std::uint8_t, kHeadSize> head_{};
    std::vector<DriverSpec> drivers_;
    std::vector<std::vector<LapList>> lapTables_;
    std::vector<std::uint8_t> telemetry_;
    std::size_t frameCount_ = 0;
    std::uint16_t lastFrameLength_ = 0;
};
