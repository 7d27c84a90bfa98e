#include "replay/DriverTable.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "common/BinaryFile.h"
#include "common/ByteReader.h"
#include "common/TimeText.h"
#include "replay/TelemetryFrames.h"

namespace {

using Failure = DriverTable::Failure;

// Offsets inside a 184-byte driver record.
constexpr std::size_t kFirstNameAt = 12, kLastNameAt = 28, kChatNickAt = 48, kCarNameAt = 120;
constexpr std::size_t kCarNumberAt = 164, kKindAt = 168, kIdAt = 176;
constexpr std::uint32_t kHumanCode = 150, kAiCode = 250;

std::string modificationDate(const std::filesystem::path& path) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    if (error) return "";
    const auto time = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
    std::tm local{};
    localtime_r(&time, &local);
    return formatFileDate(local);
}

}  // namespace

const char* failureText(DriverTable::Failure failure) {
    switch (failure) {
        case Failure::None:
            return "success";
        case Failure::CannotOpen:
            return "the file cannot be opened";
        case Failure::TooManyDrivers:
            return "more drivers than a replay can hold";
        case Failure::DamagedStructure:
            return "a length, count or offset does not fit the file";
        case Failure::InvalidRecordType:
            return "the telemetry holds a record of an invalid type";
        case Failure::DamagedTelemetry:
            return "a telemetry frame or record does not fit";
    }
    return "unknown failure";
}

std::string tooManyDriversMessage(int driverCount) {
    return "This replay cannot be opened as it contains more drivers\nthan we ever anticipated was possible. "
           "So please contact us\nat vxra-support@example.org and tell us you saw\nthis note. Please, state "
           "also this number: " +
           std::to_string(driverCount);
}

DriverTable::DriverTable() {
    for (int s = 0; s < kSessionCount; ++s) {
        for (auto& row : laps[s])
            row.fill(s == kRace ? kNoRaceSlot : kUnusedSlot);
    }
}

int DriverTable::read(const std::filesystem::path& path) {
    *this = DriverTable();  // nothing of an earlier read remains
    fileName = path;
    fileDate = modificationDate(path);
    BinaryFile file;
    failure = file.open(path) ? parse(file) : Failure::CannotOpen;
    if (failure != Failure::None) {
        loadedCount = kNotLoaded;
        return kReadFailed;
    }
    loadedCount = driverCount;
    markSelectableLaps();
    return kOk;
}

std::uint64_t DriverTable::lapStartTime(int session, int driver, int slot) const {
    std::uint64_t start = 0;
    for (int j = 0; j < slot; ++j)
        start += lapDuration(laps[session][driver][j]);
    return start;
}

DriverTable::Failure DriverTable::parse(BinaryFile& file) {
    lapCount = {};
    std::array<std::uint8_t, kDriverRecordsOffset> head;
    if (!file.readAt(0, head)) return Failure::DamagedStructure;

    lastFrameLength = loadU16(&head[32]);
    ownerIndex = static_cast<int>(loadU32(&head[36]));
    const std::size_t count = loadU32(&head[kDriverTableOffset + 8]) / kDriverRecordSize;
    driverCount = static_cast<std::uint16_t>(std::min<std::size_t>(count, 0xFFFF));
    if (count > kMaxDrivers) return Failure::TooManyDrivers;

    if (Failure f = readDrivers(file, count); f != Failure::None) return f;

    // Owner: the stored index when its record carries the owner's names, else the last record that does.
    const std::string ownerFirst = fixedText(&head[40], 16), ownerLast = fixedText(&head[56], 16);
    auto isOwner = [&](std::size_t d) { return firstName[d] == ownerFirst && lastName[d] == ownerLast; };
    ownerSearched = !(ownerIndex >= 0 && static_cast<std::size_t>(ownerIndex) < count && isOwner(ownerIndex));
    if (ownerSearched) {
        for (std::size_t d = 0; d < count; ++d) {
            if (isOwner(d)) ownerIndex = static_cast<int>(d);
        }
    }

    quickRace = head[199] == 2 ? 1 : 0;
    const std::uint64_t fileLengthField = loadU32(&head[8]);
    const std::uint64_t framesLength = loadU32(&head[28]);
    const std::uint64_t tablesBegin = kDriverRecordsOffset + kDriverRecordSize * count;
    if (fileLengthField < framesLength) return Failure::DamagedStructure;
    const std::uint64_t T = fileLengthField - framesLength;
    const std::uint64_t telemetryEnd = T + kChunkHeadSize + framesLength;
    if (T < tablesBegin || telemetryEnd > file.size()) return Failure::DamagedStructure;

    if (Failure f = readLapTables(file, tablesBegin, T, static_cast<int>(loadU32(&head[80])));
        f != Failure::None) {
        return f;
    }
    telemetryOffset = T;
    return findWindows(file, telemetryEnd);
}

DriverTable::Failure DriverTable::readDrivers(BinaryFile& file, std::size_t count) {
    std::vector<std::uint8_t> records(count * kDriverRecordSize);
    if (!file.readAt(kDriverRecordsOffset, records)) return Failure::DamagedStructure;
    for (std::size_t d = 0; d < count; ++d) {
        const std::uint8_t* r = &records[d * kDriverRecordSize];
        firstName[d] = fixedText(r + kFirstNameAt, 15);
        lastName[d] = fixedText(r + kLastNameAt, 15);
        chatNick[d] = fixedText(r + kChatNickAt, 31);
        carName[d] = fixedText(r + kCarNameAt, 31);
        carNumber[d] = loadU32(r + kCarNumberAt);
        const std::uint32_t kind = loadU32(r + kKindAt);
        driverKind[d] = kind == kHumanCode ? 0 : kind == kAiCode ? 1 : 2;
        driverId[d] = loadU32(r + kIdAt);
    }
    onlineRace = count > 0 && !chatNick[0].empty();
    return Failure::None;
}

// The lap tables fill [begin, end) exactly, one per session the replay knows, in session order.
DriverTable::Failure DriverTable::readLapTables(BinaryFile& file, std::uint64_t begin, std::uint64_t end,
                                                  int sessionInProgress) {
    std::vector<std::uint8_t> tables(static_cast<std::size_t>(end - begin));
    if (!file.readAt(begin, tables)) return Failure::DamagedStructure;

    std::vector<std::pair<std::size_t, std::size_t>> found;  // data offset and length of each table
    for (std::size_t at = 0; at < tables.size();) {
        if (tables.size() - at < kChunkHeadSize) return Failure::DamagedStructure;
        const std::size_t length = loadU32(&tables[at + 8]);
        if (length > tables.size() - at - kChunkHeadSize) return Failure::DamagedStructure;
        found.emplace_back(at + kChunkHeadSize, length);
        at += kChunkHeadSize + length;
    }

    const int K = static_cast<int>(found.size());
    for (int k = 1; k <= K; ++k) {
        const int r = K - k + 1;
        int session;
        if (quickRace) {
            if (r > 2) return Failure::DamagedStructure;
            session = (r == 2 || sessionInProgress == 0) ? kQualifying : kRace;
        } else {
            session = sessionInProgress - r + 1;
        }
        if (session < 0 || session >= kSessionCount) return Failure::DamagedStructure;
        const auto [offset, length] = found[static_cast<std::size_t>(k - 1)];
        if (Failure f = readLapTable(&tables[offset], length, session); f != Failure::None) return f;
    }
    return Failure::None;
}

DriverTable::Failure DriverTable::readLapTable(const std::uint8_t* data, std::size_t length, int session) {
    auto& rows = laps[session];
    for (auto& row : rows)
        row.fill(kUnusedSlot);
    auto& counts = lapCount[session];
    counts = {};

    for (std::size_t at = 0; at < length;) {
        if (length - at < kChunkHeadSize + 8) return Failure::DamagedStructure;
        const std::size_t listLength = loadU32(data + at + 8);
        if (listLength < 8 || listLength > length - at - kChunkHeadSize) return Failure::DamagedStructure;
        const std::uint8_t* list = data + at + kChunkHeadSize;
        at += kChunkHeadSize + listLength;

        const std::uint32_t id = loadU32(list);
        int driver = -1;
        for (int d = 0; d < driverCount; ++d) {
            if (driverId[d] == id) driver = d;
        }
        if (driver < 0) continue;

        const int count = static_cast<int>(std::min<std::size_t>((listLength - 8) / 4, kMaxLaps));
        auto& row = rows[driver];
        row.fill(kUnusedSlot);
        std::uint32_t previousEnd = loadU32(list + 4) & kLapTimeMask;
        row[0] = previousEnd;
        for (int j = 1; j <= count; ++j) {
            const std::uint32_t entry = loadU32(list + 4 + 4 * j);
            const std::uint32_t end = entry & kLapTimeMask;
            row[j] = ((end - previousEnd) & kLapTimeMask) | (entry & ~kLapTimeMask);
            previousEnd = end;
        }
        counts[driver] = count;
    }
    sessionPresent[session] = 1;
    return Failure::None;
}

DriverTable::Failure DriverTable::findWindows(BinaryFile& file, std::uint64_t telemetryEnd) {
    windowStart = {};
    windowEnd = {};
    firstMarkerSession = 0;
    lastMarkerSession = 0;
    if (Failure f = walkForward(file, telemetryEnd); f != Failure::None) return f;
    if (Failure f = walkBackward(file, telemetryEnd); f != Failure::None) return f;

    for (int s : {kPractice, kQualifying, kWarmup}) {
        if (windowEnd[s] == 0 && windowStart[s] > 0) windowEnd[s] = kOpenWindowEnd;
    }
    if (firstMarkerSession < kQualifying && lastMarkerSession > kQualifying)
        windowEnd[kQualifying] = kOpenWindowEnd;
    if (firstMarkerSession < kWarmup && lastMarkerSession > kWarmup && !quickRace) {
        windowEnd[kWarmup] = kOpenWindowEnd;
    }
    return Failure::None;
}

// Books each session marker of a frame: its time into `window` for its session (quick-race codes
// translated) and its session into `markerSession`. `seen` tells whether some session's time is
// now set.
DriverTable::Failure DriverTable::bookMarkers(std::span<const std::uint8_t> frame,
                                                std::array<std::uint32_t, kSessionCount>& window,
                                                int& markerSession, bool& seen) const {
    const auto walked = forEachRecord(frame, [&](const TelemetryRecord& record) {
        if (auto marker = readSessionMarker(record)) {
            markerSession = quickRace ? quickRaceSession(marker->code) : marker->code;
            window[static_cast<std::size_t>(markerSession)] = marker->timeMs;
        }
    });
    if (walked == FrameWalk::InvalidType) return Failure::InvalidRecordType;
    if (walked == FrameWalk::Damaged) return Failure::DamagedTelemetry;
    seen = std::any_of(window.begin(), window.end(), [](std::uint32_t t) { return t != 0; });
    return Failure::None;
}

// From the first frame on, until a frame has set some session's window start.
DriverTable::Failure DriverTable::walkForward(BinaryFile& file, std::uint64_t telemetryEnd) {
    FrameStream frames(file, telemetryOffset + kChunkHeadSize, telemetryEnd);
    std::span<const std::uint8_t> frame;
    for (;;) {
        switch (frames.next(frame)) {
            case FrameStream::Next::End:
                return Failure::None;
            case FrameStream::Next::Damaged:
                return Failure::DamagedTelemetry;
            case FrameStream::Next::Frame:
                break;
        }
        bool seen = false;
        if (Failure f = bookMarkers(frame, windowStart, firstMarkerSession, seen); f != Failure::None || seen)
            return f;
    }
}

// From the last frame back, by each frame's previous-length field, until a frame has set some
// session's window end. A previous length below 8, or one that steps before the first frame, ends
// the walk.
DriverTable::Failure DriverTable::walkBackward(BinaryFile& file, std::uint64_t telemetryEnd) {
    const std::uint64_t firstFrame = telemetryOffset + kChunkHeadSize;
    if (telemetryEnd == firstFrame) return Failure::None;
    if (lastFrameLength < kFrameHeadSize || lastFrameLength > telemetryEnd - firstFrame) {
        return Failure::DamagedTelemetry;
    }
    std::vector<std::uint8_t> frame(0xFFFF);
    std::uint64_t at = telemetryEnd - lastFrameLength;
    for (;;) {
        std::uint8_t frameHead[kFrameHeadSize];
        if (!file.readAt(at, frameHead)) return Failure::DamagedTelemetry;
        const std::size_t length = loadU16(frameHead);
        const std::size_t previous = loadU16(frameHead + 2);
        if (length < kFrameHeadSize || length > telemetryEnd - at) return Failure::DamagedTelemetry;
        const std::span<std::uint8_t> bytes(frame.data(), length);
        if (!file.readAt(at, bytes)) return Failure::DamagedTelemetry;

        bool seen = false;
        if (Failure f = bookMarkers(bytes, windowEnd, lastMarkerSession, seen); f != Failure::None || seen)
            return f;
        if (previous < kFrameHeadSize || previous > at - firstFrame) return Failure::None;
        at -= previous;
    }
}

// A lap is selectable when it is complete and lies strictly inside its session's recorded window;
// in qualifying only the owner's laps count.
void DriverTable::markSelectableLaps() {
    for (int s = 0; s < kSessionCount; ++s) {
        for (int d = 0; d < driverCount; ++d) {
            auto& flags = selectable[s][d];
            flags.fill(0);
            std::uint64_t end = 0;
            for (int j = 0; j <= lapCount[s][d]; ++j) {
                const std::uint32_t entry = laps[s][d][j];
                end += lapDuration(entry);
                const std::uint64_t start = end - lapDuration(entry);
                flags[j] = j > 0 && !(entry & kIncompleteLap) && start > windowStart[s] &&
                           end < windowEnd[s] && (s != kQualifying || d == ownerIndex);
            }
        }
    }
}
