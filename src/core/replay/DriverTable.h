#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "replay/ReplayFormat.h"

class BinaryFile;

// Everything a replay file says about its drivers: the driver records, every driver's lap list in
// every session the file holds, the replay owner, and the time window of each session that the
// telemetry covers, from which each lap is marked selectable (its telemetry is in the file).
//
// About half a megabyte of fixed tables: always make it on the heap.
class DriverTable {
public:
    static constexpr int kOk = 0;
    static constexpr int kReadFailed = 3;
    static constexpr std::uint16_t kNotLoaded = 65535;

    // Why the last Read failed, for callers and diagnostics.
    enum class Failure {
        None,
        CannotOpen,
        TooManyDrivers,     // driverCount holds the count found
        DamagedStructure,   // a length, count or offset that does not fit the file
        InvalidRecordType,  // a telemetry record of a type the format does not have
        DamagedTelemetry,   // a frame or record that does not fit its frame or the telemetry
    };

    DriverTable();

    // Returns kOk or kReadFailed (with `failure` saying why, and loadedCount = kNotLoaded).
    int read(const std::filesystem::path& path);

    std::filesystem::path fileName;
    std::string fileDate;  // modification date as "2001 Mar 05"
    Failure failure = Failure::None;
    std::uint16_t loadedCount = kNotLoaded;
    std::uint16_t driverCount = 0;
    std::uint16_t lastFrameLength = 0;
    int ownerIndex = 0;
    int ownerSearched = 0;
    int quickRace = 0;
    int onlineRace = 0;

    std::array<std::string, kMaxDrivers> firstName;  // Windows-1252, at most 15 characters
    std::array<std::string, kMaxDrivers> lastName;
    std::array<std::string, kMaxDrivers> chatNick;  // at most 31 characters
    std::array<std::string, kMaxDrivers> carName;
    std::array<std::uint32_t, kMaxDrivers> carNumber{};
    std::array<std::uint32_t, kMaxDrivers> driverId{};
    std::array<std::uint8_t, kMaxDrivers> driverKind{};  // 0 human, 1 AI car, 2 non-competing

    std::array<std::uint8_t, kSessionCount> sessionPresent{};
    std::array<std::array<int, kMaxDrivers>, kSessionCount> lapCount{};
    std::array<std::array<std::array<std::uint32_t, kLapSlots>, kMaxDrivers>, kSessionCount> laps;
    std::array<std::array<std::array<std::uint8_t, kLapSlots>, kMaxDrivers>, kSessionCount> selectable{};
    std::array<std::uint32_t, kSessionCount> windowStart{};
    std::array<std::uint32_t, kSessionCount> windowEnd{};
    int firstMarkerSession = 0;
    int lastMarkerSession = 0;
    std::uint64_t telemetryOffset = 0;

    // Start of lap `slot` in session time (ms): the sum of the slots before it.
    std::uint64_t lapStartTime(int session, int driver, int slot) const;

private:
    Failure parse(BinaryFile& file);
    Failure readDrivers(BinaryFile& file, std::size_t count);
    Failure readLapTables(BinaryFile& file, std::uint64_t begin, std::uint64_t end, int sessionInProgress);
    Failure readLapTable(const std::uint8_t* data, std::size_t length, int session);
    Failure findWindows(BinaryFile& file, std::uint64_t telemetryEnd);
    Failure walkForward(BinaryFile& file, std::uint64_t telemetryEnd);
    Failure walkBackward(BinaryFile& file, std::uint64_t telemetryEnd);
    Failure bookMarkers(std::span<const std::uint8_t> frame, std::array<std::uint32_t, kSessionCount>& window,
                        int& markerSession, bool& seen) const;
    void markSelectableLaps();
};

// What a failure means, in a few words.
const char* failureText(DriverTable::Failure failure);

// The text shown when a replay holds more drivers than the format allows.
std::string tooManyDriversMessage(int driverCount);
