#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"
#include "replay/ReplayFormat.h"

class BinaryFile;

enum class DriverTableError {
    CannotOpen,
    TooManyDrivers,     // driverCount holds the count found
    DamagedStructure,   // a length, count or offset that does not fit the file
    InvalidRecordType,  // a telemetry record of a type the format does not have
    DamagedTelemetry,   // a frame or record that does not fit its frame or the telemetry
    Cancelled,          // the caller's stop check said so during the read
};

// Asked between the frames a read walks: true ends the read with DriverTableError::Cancelled.
using StopCheck = std::function<bool()>;

// One driver of a replay. Texts are Windows-1252.
struct DriverRecord {
    enum Kind : std::uint8_t { Human = 0, AiCar = 1, NonCompeting = 2 };

    std::string firstName;  // at most 15 characters
    std::string lastName;
    std::string chatNick;  // at most 31 characters
    std::string carName;
    std::uint32_t carNumber = 0;
    std::uint32_t driverId = 0;
    Kind kind = Human;
};

// Everything a replay file says about its drivers: the driver records, every driver's lap list in
// every session the file holds, the replay owner, and the time window of each session that the
// telemetry covers, from which each lap is marked selectable (its telemetry is in the file).
// A row holds the slots its lap list has; the slots past them read as the format's fillers.
class DriverTable {
public:
    // Reads the driver table of `path`; nothing of an earlier read remains.
    Outcome<DriverTableError> read(const std::filesystem::path& path);
    // The same from `file`, opened (or not) by the caller, leaving fileName empty (a scan of many
    // files keeps their paths itself); a damaged file's telemetry may be long to walk, so a scan
    // can stop the read with `stopRequested`.
    Outcome<DriverTableError> read(BinaryFile& file, const StopCheck& stopRequested = {});

    std::filesystem::path fileName;
    std::string fileDate;  // modification date as "2001 Mar 05"
    std::uint16_t driverCount = 0;
    std::uint16_t lastFrameLength = 0;
    int ownerIndex = 0;
    bool ownerSearched = false;
    bool quickRace = false;
    bool onlineRace = false;
    std::array<bool, kSessionCount> sessionPresent{};
    std::array<std::uint32_t, kSessionCount> windowStart{};
    std::array<std::uint32_t, kSessionCount> windowEnd{};
    int firstMarkerSession = 0;
    int lastMarkerSession = 0;
    std::uint64_t telemetryOffset = 0;

    // Driver `d` (0 .. driverCount - 1).
    const DriverRecord& driver(int index) const { return drivers_[static_cast<std::size_t>(index)]; }
    // First name, blank, last name.
    std::string driverName(int index) const { return driver(index).firstName + " " + driver(index).lastName; }

    // The laps a driver's row of a session holds (slots 1 .. count; slot 0 is the time before the
    // start/finish line), each slot's LapEntry, and whether its telemetry is in the file. A slot
    // past the row's laps holds kUnusedSlot, or kNoRaceSlot in the race of a file without one.
    int lapCount(int session, int driver) const;
    std::uint32_t lapEntry(int session, int driver, int slot) const;
    bool selectable(int session, int driver, int slot) const;

    // Start of lap `slot` in session time (ms): the sum of the slots before it.
    std::uint64_t lapStartTime(int session, int driver, int slot) const;

private:
    // A driver's row in a session: its slots 0 .. count, at `first` in entries_ and selectable_.
    struct Row {
        std::size_t first = 0;
        std::size_t slots = 0;
    };
    // A driver outside the table has an empty row.
    const Row& row(int session, int driver) const;
    Row& row(int session, int driver) {
        return rows_[static_cast<std::size_t>(session) * driverCount + static_cast<std::size_t>(driver)];
    }

    using Failure = Outcome<DriverTableError>;
    void reset();
    Failure parse(BinaryFile& file, const StopCheck& stopRequested);
    Failure readDrivers(BinaryFile& file, std::size_t count);
    Failure readLapTables(BinaryFile& file, std::uint64_t begin, std::uint64_t end, int sessionInProgress);
    Failure readLapTable(std::span<const std::uint8_t> table, int session);
    Failure findWindows(BinaryFile& file, std::uint64_t telemetryEnd, const StopCheck& stopRequested);
    Failure walkForward(BinaryFile& file, std::uint64_t telemetryEnd, const StopCheck& stopRequested);
    Failure walkBackward(BinaryFile& file, std::uint64_t telemetryEnd, const StopCheck& stopRequested);
    Failure bookMarkers(std::span<const std::uint8_t> frame, std::array<std::uint32_t, kSessionCount>& window,
                        int& markerSession, bool& seen) const;
    void markSelectableLaps();

    std::vector<DriverRecord> drivers_;
    std::vector<Row> rows_;                // [session][driver], once the driver records are read
    std::vector<std::uint32_t> entries_;   // the slots of every row, one after the other
    std::vector<bool> selectable_;         // each slot's selectable flag
    std::vector<std::uint8_t> fileBytes_;  // the records, tables or frame being read
};

// The text shown when a replay holds more drivers than the format allows.
std::string tooManyDriversMessage(int driverCount);
