#include "replay/DriverTable.h"

#include <algorithm>
#include <optional>

#include "common/BinaryFile.h"
#include "common/ByteReader.h"
#include "common/System.h"
#include "common/TimeText.h"
#include "replay/TelemetryFrames.h"

namespace {

using Failure = Outcome<DriverTableError>;

// Fields of a 184-byte driver record.
constexpr std::size_t kFirstNameAt = 12, kLastNameAt = 28, kChatNickAt = 48, kCarNameAt = 120;
constexpr std::size_t kCarNumberAt = 164, kKindAt = 168, kIdAt = 176;
constexpr std::uint32_t kHumanCode = 150, kAiCode = 250;

// A lap list ("ORPL"): u32 driver id, u32 start time, then the end time of each lap.
constexpr std::size_t kLapListHead = 8;

// The most lap-table bytes a file may claim: a full table of every session is under 0.5 MB.
constexpr std::uint64_t kMaxLapTablesSize = 1 << 20;

// Reads the frame at `at`, its head included; false when the frame is shorter than its head or
// runs past `telemetryEnd`. The walks for the session windows read a few frames at each end of
// the telemetry: one at a time, through the file's read-ahead.
bool readFrame(BinaryFile& file, std::uint64_t at, std::uint64_t telemetryEnd,
               std::vector<std::uint8_t>& frame) {
    frame.resize(kFrameHeadSize);
    if (!file.readAt(at, frame)) return false;
    const std::size_t length = ByteReader(frame).u16();
    if (length < kFrameHeadSize || length > telemetryEnd - at) return false;
    frame.resize(length);
    return file.readAt(at + kFrameHeadSize, std::span(frame).subspan(kFrameHeadSize));
}

bool stopped(const StopCheck& stopRequested) {
    return stopRequested && stopRequested();
}

}  // namespace

std::string tooManyDriversMessage(int driverCount) {
    return "This replay cannot be opened as it contains more drivers\nthan we ever anticipated was possible. "
           "So please contact us\nat vxra-support@example.org and tell us you saw\nthis note. Please, state "
           "also this number: " +
           std::to_string(driverCount);
}

const DriverTable::Row& DriverTable::row(int session, int driver) const {
    static const Row kNoRow;
    const std::size_t index =
        static_cast<std::size_t>(session) * driverCount + static_cast<std::size_t>(driver);
    return driver >= 0 && driver < driverCount && index < rows_.size() ? rows_[index] : kNoRow;
}

int DriverTable::lapCount(int session, int driver) const {
    const std::size_t slots = row(session, driver).slots;
    return slots == 0 ? 0 : static_cast<int>(slots) - 1;
}

// Race rows of a file without a race keep a filler of their own.
std::uint32_t DriverTable::lapEntry(int session, int driver, int slot) const {
    const Row& laps = row(session, driver);
    if (static_cast<std::size_t>(slot) < laps.slots)
        return entries_[laps.first + static_cast<std::size_t>(slot)];
    return session == kRace && !sessionPresent[kRace] ? kNoRaceSlot : kUnusedSlot;
}

bool DriverTable::selectable(int session, int driver, int slot) const {
    const Row& laps = row(session, driver);
    const std::size_t index = laps.first + static_cast<std::size_t>(slot);
    // A read that failed after the lap tables marked nothing selectable.
    return static_cast<std::size_t>(slot) < laps.slots && index < selectable_.size() && selectable_[index];
}

Outcome<DriverTableError> DriverTable::read(const std::filesystem::path& path) {
    BinaryFile file;
    file.open(path);
    Outcome<DriverTableError> outcome = read(file);
    fileName = path;
    return outcome;
}

Outcome<DriverTableError> DriverTable::read(BinaryFile& file, const StopCheck& stopRequested) {
    reset();
    if (!file.isOpen()) return DriverTableError::CannotOpen;
    fileDate = formatFileDate(localTime(file.modificationTime()));
    Failure parsed = parse(file, stopRequested);
    if (parsed) markSelectableLaps();
    return parsed;
}

// Starts afresh; the buffers keep their room, as a scan reads one file's table after another into
// the same object.
void DriverTable::reset() {
    std::vector<DriverRecord> drivers = std::move(drivers_);
    std::vector<Row> rows = std::move(rows_);
    std::vector<std::uint32_t> entries = std::move(entries_);
    std::vector<bool> selectable = std::move(selectable_);
    std::vector<std::uint8_t> fileBytes = std::move(fileBytes_);
    *this = DriverTable();
    drivers_ = std::move(drivers);
    rows_ = std::move(rows);
    entries_ = std::move(entries);
    selectable_ = std::move(selectable);
    fileBytes_ = std::move(fileBytes);
    drivers_.clear();
    rows_.clear();
    entries_.clear();
    selectable_.clear();
}

std::uint64_t DriverTable::lapStartTime(int session, int driver, int slot) const {
    std::uint64_t start = 0;
    for (int earlier = 0; earlier < slot; ++earlier)
        start += lapDuration(lapEntry(session, driver, earlier));
    return start;
}

Failure DriverTable::parse(BinaryFile& file, const StopCheck& stopRequested) {
    std::array<std::uint8_t, kDriverRecordsOffset> bytes;
    if (!file.readAt(0, bytes)) return DriverTableError::DamagedStructure;
    ByteReader head(bytes);

    lastFrameLength = head.at(head::kLastFrameLength).u16();
    ownerIndex = static_cast<int>(head.at(head::kOwnerIndex).u32());
    const std::size_t count = head.at(kDriverTableOffset + kChunkLengthAt).u32() / kDriverRecordSize;
    driverCount = static_cast<std::uint16_t>(std::min<std::size_t>(count, 0xFFFF));
    if (count > kMaxDrivers) return DriverTableError::TooManyDrivers;

    if (Failure f = readDrivers(file, count); !f) return f;

    // Owner: the stored index when its record carries the owner's names, else the last record that does.
    const std::string ownerFirst = head.at(head::kOwnerFirstName).text(16);
    const std::string ownerLast = head.at(head::kOwnerLastName).text(16);
    auto isOwner = [&](std::size_t record) {
        return drivers_[record].firstName == ownerFirst && drivers_[record].lastName == ownerLast;
    };
    ownerSearched = !(ownerIndex >= 0 && static_cast<std::size_t>(ownerIndex) < count && isOwner(ownerIndex));
    if (ownerSearched) {
        for (std::size_t record = 0; record < count; ++record) {
            if (isOwner(record)) ownerIndex = static_cast<int>(record);
        }
    }

    quickRace = head.at(head::kRaceType).u8() == head::kQuickRace;
    const std::uint64_t fileLengthField = head.at(head::kFileLength).u32();
    const std::uint64_t framesLength = head.at(head::kFramesLength).u32();
    const int sessionInProgress = static_cast<int>(head.at(head::kSessionInProgress).u32());
    const std::uint64_t tablesBegin = kDriverRecordsOffset + kDriverRecordSize * count;
    if (fileLengthField < framesLength) return DriverTableError::DamagedStructure;
    const std::uint64_t telemetryStart = fileLengthField - framesLength;
    const std::uint64_t telemetryEnd = telemetryStart + kChunkHeadSize + framesLength;
    if (telemetryStart < tablesBegin || telemetryEnd > file.size()) return DriverTableError::DamagedStructure;

    if (Failure f = readLapTables(file, tablesBegin, telemetryStart, sessionInProgress); !f) return f;
    telemetryOffset = telemetryStart;
    return findWindows(file, telemetryEnd, stopRequested);
}

Failure DriverTable::readDrivers(BinaryFile& file, std::size_t count) {
    std::vector<std::uint8_t>& records = fileBytes_;
    records.resize(count * kDriverRecordSize);
    if (!file.readAt(kDriverRecordsOffset, records)) return DriverTableError::DamagedStructure;
    rows_.resize(kSessionCount * count);
    // Each record filled in its place, with no record made and moved for it: a scan reads tens of
    // thousands of them.
    drivers_.resize(count);
    for (std::size_t index = 0; index < count; ++index) {
        ByteReader record(
            std::span<const std::uint8_t>(records).subspan(index * kDriverRecordSize, kDriverRecordSize));
        DriverRecord& driver = drivers_[index];
        record.at(kFirstNameAt).readText(driver.firstName, 15);
        record.at(kLastNameAt).readText(driver.lastName, 15);
        record.at(kChatNickAt).readText(driver.chatNick, 31);
        record.at(kCarNameAt).readText(driver.carName, 31);
        driver.carNumber = record.at(kCarNumberAt).u32();
        driver.driverId = record.at(kIdAt).u32();
        const std::uint32_t kind = record.at(kKindAt).u32();
        driver.kind = kind == kHumanCode ? DriverRecord::Human
                      : kind == kAiCode  ? DriverRecord::AiCar
                                         : DriverRecord::NonCompeting;
    }
    onlineRace = count > 0 && !drivers_[0].chatNick.empty();
    return {};
}

// The lap tables fill [begin, end) exactly, one per session the replay knows, in session order.
// The last table is the session in progress, so the tables are counted before any is assigned.
Failure DriverTable::readLapTables(BinaryFile& file, std::uint64_t begin, std::uint64_t end,
                                   int sessionInProgress) {
    // Real tables are far smaller; a damaged length could otherwise claim the whole file.
    if (end - begin > kMaxLapTablesSize) return DriverTableError::DamagedStructure;
    std::vector<std::uint8_t>& tables = fileBytes_;
    tables.resize(static_cast<std::size_t>(end - begin));
    if (!file.readAt(begin, tables)) return DriverTableError::DamagedStructure;
    entries_.reserve(tables.size() / 4);  // each slot is a 4-byte entry of a table

    auto nextTable = [](ByteReader& chunks) {
        if (chunks.remaining() < kChunkHeadSize) return std::optional<std::span<const std::uint8_t>>();
        chunks.skip(kChunkLengthAt);
        const std::span<const std::uint8_t> data = chunks.bytes(chunks.u32());
        return chunks.ok() ? std::optional(data) : std::nullopt;
    };
    long long tableCount = 0;
    for (ByteReader chunks(tables); chunks.remaining() > 0; ++tableCount) {
        if (!nextTable(chunks)) return DriverTableError::DamagedStructure;
    }

    ByteReader chunks(tables);
    for (long long tablesAfter = tableCount - 1; tablesAfter >= 0; --tablesAfter) {
        long long session;  // wide: a damaged header's session number may be anything
        if (quickRace) {
            if (tablesAfter > 1) return DriverTableError::DamagedStructure;
            session = (tablesAfter == 1 || sessionInProgress == 0) ? kQualifying : kRace;
        } else {
            session = static_cast<long long>(sessionInProgress) - tablesAfter;
        }
        if (session < 0 || session >= kSessionCount) return DriverTableError::DamagedStructure;
        if (Failure f = readLapTable(*nextTable(chunks), static_cast<int>(session)); !f) return f;
    }
    return {};
}

// A session's table: one lap list ("ORPL" chunk) per driver; lists of unknown drivers are skipped.
// Lap entries hold each lap's end time, which become durations here.
Failure DriverTable::readLapTable(std::span<const std::uint8_t> table, int session) {
    for (int driver = 0; driver < driverCount; ++driver)
        row(session, driver) = Row{};

    for (ByteReader lists(table); lists.remaining() > 0;) {
        if (lists.remaining() < kChunkHeadSize + kLapListHead) return DriverTableError::DamagedStructure;
        lists.skip(kChunkLengthAt);
        const std::uint32_t listLength = lists.u32();
        if (listLength < kLapListHead || listLength > lists.remaining())
            return DriverTableError::DamagedStructure;
        ByteReader list(lists.bytes(listLength));

        const std::uint32_t id = list.u32();
        int driver = -1;
        for (int candidate = 0; candidate < driverCount; ++candidate) {
            if (drivers_[static_cast<std::size_t>(candidate)].driverId == id) driver = candidate;
        }
        if (driver < 0) continue;

        // A driver's second list replaces the first.
        const int count = static_cast<int>(std::min<std::size_t>((listLength - kLapListHead) / 4, kMaxLaps));
        row(session, driver) = Row{entries_.size(), static_cast<std::size_t>(count) + 1};
        std::uint32_t previousEnd = list.u32() & kLapTimeMask;
        entries_.push_back(previousEnd);
        for (int lap = 1; lap <= count; ++lap) {
            const std::uint32_t entry = list.u32();
            const std::uint32_t end = entry & kLapTimeMask;
            entries_.push_back(((end - previousEnd) & kLapTimeMask) | (entry & ~kLapTimeMask));
            previousEnd = end;
        }
    }
    sessionPresent[static_cast<std::size_t>(session)] = true;
    return {};
}

Failure DriverTable::findWindows(BinaryFile& file, std::uint64_t telemetryEnd,
                                 const StopCheck& stopRequested) {
    if (Failure f = walkForward(file, telemetryEnd, stopRequested); !f) return f;
    if (Failure f = walkBackward(file, telemetryEnd, stopRequested); !f) return f;

    for (int session : {kPractice, kQualifying, kWarmup}) {
        if (windowEnd[session] == 0 && windowStart[session] > 0) windowEnd[session] = kOpenWindowEnd;
    }
    if (firstMarkerSession < kQualifying && lastMarkerSession > kQualifying)
        windowEnd[kQualifying] = kOpenWindowEnd;
    if (firstMarkerSession < kWarmup && lastMarkerSession > kWarmup && !quickRace) {
        windowEnd[kWarmup] = kOpenWindowEnd;
    }
    return {};
}

// Books each session marker of a frame: its time into `window` for its session (quick-race codes
// translated) and its session into `markerSession`. `seen` tells whether some session's time is
// now set.
Failure DriverTable::bookMarkers(std::span<const std::uint8_t> frame,
                                 std::array<std::uint32_t, kSessionCount>& window, int& markerSession,
                                 bool& seen) const {
    const auto walked = forEachRecord(frame, [&](const TelemetryRecord& record) {
        if (auto marker = readSessionMarker(record)) {
            markerSession = quickRace ? quickRaceSession(marker->code) : marker->code;
            window[static_cast<std::size_t>(markerSession)] = marker->timeMs;
        }
    });
    if (walked == FrameWalk::InvalidType) return DriverTableError::InvalidRecordType;
    if (walked == FrameWalk::Damaged) return DriverTableError::DamagedTelemetry;
    seen = std::any_of(window.begin(), window.end(), [](std::uint32_t time) { return time != 0; });
    return {};
}

// From the first frame on, until a frame has set some session's window start.
Failure DriverTable::walkForward(BinaryFile& file, std::uint64_t telemetryEnd,
                                 const StopCheck& stopRequested) {
    std::vector<std::uint8_t>& frame = fileBytes_;
    for (std::uint64_t at = telemetryOffset + kChunkHeadSize; at < telemetryEnd; at += frame.size()) {
        if (stopped(stopRequested)) return DriverTableError::Cancelled;
        if (!readFrame(file, at, telemetryEnd, frame)) return DriverTableError::DamagedTelemetry;
        bool seen = false;
        if (Failure f = bookMarkers(frame, windowStart, firstMarkerSession, seen); !f || seen) return f;
    }
    return {};
}

// From the last frame back, by each frame's previous-length field, until a frame has set some
// session's window end. A previous length below 8, or one that steps before the first frame, ends
// the walk.
Failure DriverTable::walkBackward(BinaryFile& file, std::uint64_t telemetryEnd,
                                  const StopCheck& stopRequested) {
    const std::uint64_t firstFrame = telemetryOffset + kChunkHeadSize;
    if (telemetryEnd == firstFrame) return {};
    if (lastFrameLength < kFrameHeadSize || lastFrameLength > telemetryEnd - firstFrame) {
        return DriverTableError::DamagedTelemetry;
    }
    std::vector<std::uint8_t>& frame = fileBytes_;
    std::uint64_t at = telemetryEnd - lastFrameLength;
    for (;;) {
        if (stopped(stopRequested)) return DriverTableError::Cancelled;
        if (!readFrame(file, at, telemetryEnd, frame)) return DriverTableError::DamagedTelemetry;
        const std::size_t previous = ByteReader(frame).at(2).u16();

        bool seen = false;
        if (Failure f = bookMarkers(frame, windowEnd, lastMarkerSession, seen); !f || seen) return f;
        if (previous < kFrameHeadSize || previous > at - firstFrame) return {};
        at -= previous;
    }
}

// A lap is selectable when it is complete and lies strictly inside its session's recorded window;
// in qualifying only the owner's laps count.
void DriverTable::markSelectableLaps() {
    selectable_.assign(entries_.size(), false);
    for (int session = 0; session < kSessionCount; ++session) {
        for (int driver = 0; driver < driverCount; ++driver) {
            const Row& laps = row(session, driver);
            std::uint64_t end = 0;
            for (std::size_t slot = 0; slot < laps.slots; ++slot) {
                const std::uint32_t entry = entries_[laps.first + slot];
                end += lapDuration(entry);
                const std::uint64_t start = end - lapDuration(entry);
                selectable_[laps.first + slot] = slot > 0 && !(entry & kIncompleteLap) &&
                                                 start > windowStart[session] && end < windowEnd[session] &&
                                                 (session != kQualifying || driver == ownerIndex);
            }
        }
    }
}
