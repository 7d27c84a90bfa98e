#pragma once

#include <cstdint>

// Fixed facts of the replay file format shared by the readers and the writers.

// Session codes, used wherever a session is named.
enum Session : int { kPractice = 0, kQualifying = 1, kWarmup = 2, kRace = 3 };
inline constexpr int kSessionCount = 4;

inline constexpr int kMaxDrivers = 50;
inline constexpr int kMaxLaps = 500;            // laps per driver and session
inline constexpr int kLapSlots = kMaxLaps + 1;  // slot 0 holds the start time
inline constexpr std::uint32_t kUnusedSlot = 0xCDCDCDCD;
inline constexpr std::uint32_t kNoRaceSlot = 0x11111111;  // race rows of a record never read
inline constexpr std::uint32_t kOpenWindowEnd = 0xFFFFFFFF;

// Container layout (file offsets).
inline constexpr std::uint32_t kFileSignature = 0x52504C59;  // "YLPR"
inline constexpr std::size_t kChunkHeadSize = 12;
inline constexpr std::size_t kHeadSize = 268;  // file, header and weekend chunks
inline constexpr std::size_t kDriverTableOffset = 268;
inline constexpr std::size_t kDriverRecordsOffset = 280;
inline constexpr std::size_t kDriverRecordSize = 184;

// A frame: u16 length, u16 previous frame's length, u32 word, then records.
inline constexpr std::size_t kFrameHeadSize = 8;
// A record: u16 type, u16 size (head included, padding excluded), payload, padded to 4 bytes.
inline constexpr std::size_t kRecordHeadSize = 4;

inline constexpr int kSamplesPerSecond = 36;
inline constexpr double kMsPerSample = 27.777778;

enum RecordType : std::uint16_t {
    kOwnerStateRecord = 1,
    kCarStatesRecord = 3,
    kFlagRecord = 9,
    kSessionMarkerRecord = 13,
};
inline constexpr std::size_t kOwnerStatePayload = 36;
inline constexpr std::size_t kCarStateEntry = 16;

// Types 1-18 but 7 are legal; anything else means the telemetry cannot be read on.
constexpr bool isValidRecordType(std::uint16_t type) {
    return type >= 1 && type <= 18 && type != 7;
}

// Bytes a record occupies: its size rounded up to a multiple of 4.
constexpr std::size_t paddedRecordSize(std::uint16_t size) {
    return (static_cast<std::size_t>(size) + 3u) & ~3u;
}

// LapEntry: bits 0-23 duration (end time in the file), upper 8 bits incident flags.
inline constexpr std::uint32_t kLapTimeMask = 0x00FFFFFF;
inline constexpr std::uint32_t kIncompleteLap = 1u << 28;
inline constexpr std::uint32_t kOffTrackLap = 1u << 30;
inline constexpr std::uint32_t kBlackFlagLap = 1u << 31;
constexpr std::uint32_t lapDuration(std::uint32_t entry) {
    return entry & kLapTimeMask;
}
constexpr std::uint32_t lapFlags(std::uint32_t entry) {
    return entry >> 24;
}

// A session marker's value: bits 0-1 the session code, bits 8-31 the session time in hundredths.
struct SessionMarker {
    int code;
    std::uint32_t timeMs;
};
constexpr SessionMarker decodeSessionMarker(std::uint32_t value) {
    return {static_cast<int>(value & 3u), (value >> 8) * 10u};
}
// A quick race marks its qualifying with code 0 and its race with code 1.
constexpr int quickRaceSession(int markerCode) {
    if (markerCode == 1) return kRace;
    if (markerCode == 0) return kQualifying;
    return markerCode;
}
