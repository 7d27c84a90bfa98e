#pragma once

#include <cstddef>
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
inline constexpr std::size_t kChunkLengthAt = 8;  // within a chunk head
inline constexpr std::size_t kHeadSize = 268;     // file, header and weekend chunks
inline constexpr std::size_t kDriverTableOffset = 268;
inline constexpr std::size_t kDriverRecordsOffset = 280;
inline constexpr std::size_t kDriverRecordSize = 184;

// Fields of the head (file offsets). Numbers are little-endian; texts are NUL-terminated.
namespace head {
inline constexpr std::size_t kVersionWord = 4;         // u32; its low byte is the format version
inline constexpr std::size_t kFileLength = 8;          // u32: file length - 12
inline constexpr std::size_t kFrameCount = 24;         // u32: telemetry frames, 36 a second
inline constexpr std::size_t kFramesLength = 28;       // u32: bytes of telemetry frames
inline constexpr std::size_t kLastFrameLength = 32;    // u16
inline constexpr std::size_t kOwnerIndex = 36;         // u32: the owner's record in the driver table
inline constexpr std::size_t kOwnerFirstName = 40;     // char[16]
inline constexpr std::size_t kOwnerLastName = 56;      // char[16]
inline constexpr std::size_t kSessionInProgress = 80;  // u32 session code
inline constexpr std::size_t kTrackName = 96;          // char[32]
inline constexpr std::size_t kCarSet = 128;            // char[16]
inline constexpr std::size_t kRules =
    174;  // bits: 1 double-file restarts, 3 in-car view, 4 yellows, 6-7 damage
inline constexpr std::size_t kModes = 175;  // bits: 0 full pace lap, 1 arcade, 2-4 wind direction, 5 smoke
inline constexpr std::size_t kManualWeather = 180;  // 1: weather set by hand
inline constexpr std::size_t kClouds = 184;         // bit 1: cloudy
inline constexpr std::size_t kTemperature = 188;    // degrees Fahrenheit
inline constexpr std::size_t kWindSpeed = 189;      // mph
inline constexpr std::size_t kAiStrength = 191;
inline constexpr std::size_t kRaceDistance = 192;  // per cent of the full distance
inline constexpr std::size_t kFixedSetup = 196;    // bit 0
inline constexpr std::size_t kAiCars = 198;
inline constexpr std::size_t kRaceType = 199;  // 2: quick race
inline constexpr std::size_t kQuickQualifyingLaps = 205;
inline constexpr std::size_t kPracticeLength = 207;  // f32 seconds
inline constexpr std::size_t kQualifyingLaps = 213;  // u16; the race laps of a quick race
inline constexpr std::size_t kWarmupLength = 223;    // f32 seconds
inline constexpr std::size_t kRaceLaps = 229;        // u16, full weekend
inline constexpr std::uint8_t kQuickRace = 2;
}  // namespace head

// A frame: u16 length, u16 previous frame's length, u32 word, then records.
inline constexpr std::size_t kFrameHeadSize = 8;
// A record: u16 type, u16 size (head included, padding excluded), payload, padded to 4 bytes.
inline constexpr std::size_t kRecordHeadSize = 4;

inline constexpr int kSamplesPerSecond = 36;
inline constexpr double kMsPerSample = 27.777778;

enum RecordType : std::uint16_t {
    kOwnerStateRecord = 1,
    kCarStatesRecord = 3,
    kFlagRecord = 9,  // byte 0: 1 when the flag changes, byte 4: the flag shown
    kSessionMarkerRecord = 13,
};
inline constexpr std::size_t kOwnerStatePayload = 36;
inline constexpr std::size_t kCarStateEntry = 16;

// Types 1-18 but 7 are legal; anything else means the telemetry cannot be read on.
constexpr bool isValidRecordType(std::uint16_t type) {
    constexpr std::uint32_t kValidTypes = 0x7FF7Eu;  // bits 1-18 but 7
    return type < 32 && ((kValidTypes >> type) & 1u) != 0;
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
