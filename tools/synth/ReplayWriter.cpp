#include "ReplayWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace {

constexpr double kCarDistanceFactor = 2 * 0.9765628511;

void putU16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void putU32(std::uint8_t* p, std::uint32_t v) {
    putU16(p, v);
    putU16(p + 2, v >> 16);
}
void appendU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void appendU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    appendU16(out, v);
    appendU16(out, v >> 16);
}
void appendTag(std::vector<std::uint8_t>& out, const char* tag, std::uint32_t length) {
    out.insert(out.end(), tag, tag + 4);
    appendU32(out, 0);
    appendU32(out, length);
}
// A text field: the text cut to width - 1 bytes, NUL-padded.
void putText(std::uint8_t* p, std::size_t width, const std::string& text) {
    std::memset(p, 0, width);
    std::memcpy(p, text.data(), std::min(text.size(), width - 1));
}
// Bits [low, low + width) of `value` placed into a word.
constexpr std::uint32_t field(std::int64_t value, int low, int width) {
    const std::uint32_t mask = width == 32 ? 0xFFFFFFFFu : (1u << width) - 1u;
    return (static_cast<std::uint32_t>(value) & mask) << low;
}

}  // namespace

LapList lapListFromDurations(std::uint32_t driverId, std::uint32_t startTime,
                             const std::vector<std::uint32_t>& durationsWithFlags) {
    LapList list{driverId, startTime, {}};
    std::uint32_t end = startTime & kLapTimeMask;
    for (std::uint32_t lap : durationsWithFlags) {
        end = (end + lapDuration(lap)) & kLapTimeMask;
        list.entries.push_back(end | (lap & ~kLapTimeMask));
    }
    return list;
}

std::array<std::uint8_t, kOwnerStatePayload> encodeOwnerState(const TelemetrySample& sample) {
    std::array<std::uint8_t, kOwnerStatePayload> p{};
    putU32(&p[0], field(sample.distance, 0, 26) | field(sample.gear + 1, 27, 3));
    putU32(&p[4], field(sample.lateral, 0, 20) | field(sample.aux1, 20, 12));
    putU32(&p[8],
           field(sample.revs, 0, 10) | field(sample.orientation, 10, 12) | field(sample.pitch, 22, 10));
    putU32(&p[12], field(sample.roll, 0, 10) | field(sample.aux2, 20, 5));
    p[15] = static_cast<std::uint8_t>(sample.steering);  // bits 24-31 of the last word
    return p;
}

std::array<std::uint8_t, kCarStateEntry> encodeCarState(std::uint8_t driverId,
                                                        const TelemetrySample& sample) {
    std::array<std::uint8_t, kCarStateEntry> e{};
    const auto packed = static_cast<std::uint32_t>(
        std::min<double>(std::llround(sample.distance / kCarDistanceFactor), 0xFFFFFF));
    putU32(&e[0], field(sample.pitch, 11, 10));
    putU32(&e[4], packed | static_cast<std::uint32_t>(driverId) << 24);
    putU32(&e[8], field(sample.roll, 0, 10) | field(sample.revs, 10, 10) | field(sample.aux2, 16, 7));
    putU32(&e[12],
           field(sample.orientation, 0, 12) | field(sample.lateral, 12, 17) | field(sample.gear + 1, 29, 3));
    return e;
}

RecordSpec ownerStateRecord(const TelemetrySample& sample) {
    const auto payload = encodeOwnerState(sample);
    return {kOwnerStateRecord, {payload.begin(), payload.end()}, 4 + kOwnerStatePayload};
}

RecordSpec carStatesRecord(const std::vector<std::pair<std::uint8_t, TelemetrySample>>& cars) {
    RecordSpec record{kCarStatesRecord, {}, 0};
    for (const auto& [id, sample] : cars) {
        const auto entry = encodeCarState(id, sample);
        record.payload.insert(record.payload.end(), entry.begin(), entry.end());
    }
    record.size = static_cast<std::uint16_t>(4 + record.payload.size());
    return record;
}

RecordSpec sessionMarkerRecord(int code, std::uint32_t timeMs) {
    RecordSpec record{kSessionMarkerRecord, std::vector<std::uint8_t>(4), 8};
    putU32(record.payload.data(), (timeMs / 10) << 8 | static_cast<std::uint32_t>(code & 3));
    return record;
}

RecordSpec flagRecord(std::uint8_t change, std::uint8_t code) {
    RecordSpec record{kFlagRecord, std::vector<std::uint8_t>(12), 14};
    record.payload[0] = change;
    record.payload[4] = code;
    return record;
}

RecordSpec plainRecord(std::uint16_t type, std::uint16_t size) {
    RecordSpec record{type, std::vector<std::uint8_t>(size > 4 ? size - 4 : 0), size};
    for (std::size_t i = 0; i < record.payload.size(); ++i)
        record.payload[i] = static_cast<std::uint8_t>(i * 7 + type);
    return record;
}

ReplayWriter::ReplayWriter() {
    std::memcpy(&head_[0], "YLPR", 4);
    head_[4] = 3;
    std::memcpy(&head_[12], "DHPR", 4);
    putU32(&head_[20], 60);
    std::memcpy(&head_[84], "FNKW", 4);
    putU32(&head_[92], 172);
    setWeekend({});
}

void ReplayWriter::setU32(std::size_t offset, std::uint32_t value) {
    putU32(&head_[offset], value);
}

void ReplayWriter::setOwner(std::uint32_t index, const std::string& firstName, const std::string& lastName) {
    putU32(&head_[36], index);
    putText(&head_[40], 16, firstName);
    putText(&head_[56], 16, lastName);
}

void ReplayWriter::setSessionInProgress(int session) {
    putU32(&head_[80], static_cast<std::uint32_t>(session));
}
void ReplayWriter::setTrackName(const std::string& name) {
    putText(&head_[96], 32, name);
}
void ReplayWriter::setCarSet(const std::string& name) {
    putText(&head_[128], 16, name);
}

void ReplayWriter::setWeekend(const WeekendSettings& weekend) {
    head_[174] = static_cast<std::uint8_t>(weekend.doubleFileRestarts << 1 | weekend.forceInCarView << 3 |
                                           weekend.yellowFlags << 4 | (weekend.damageLevel & 3) << 6);
    head_[175] = static_cast<std::uint8_t>(weekend.fullPaceLap | weekend.arcadeMode << 1 |
                                           (weekend.windDirection & 7) << 2 | weekend.forceSmoke << 5);
    head_[180] = weekend.manualWeather ? 1 : 0;
    head_[184] = static_cast<std::uint8_t>(weekend.cloudy << 1);
    head_[188] = static_cast<std::uint8_t>(weekend.temperatureF);
    head_[189] = static_cast<std::uint8_t>(weekend.windSpeedMph);
    head_[191] = static_cast<std::uint8_t>(weekend.aiStrength);
    head_[192] = static_cast<std::uint8_t>(weekend.raceDistancePercent);
    head_[196] = weekend.fixedSetup ? 1 : 0;
    head_[198] = static_cast<std::uint8_t>(weekend.aiCars);
    head_[199] = weekend.quickRace ? 2 : 0;
    std::memcpy(&head_[207], &weekend.practiceSeconds, 4);
    std::memcpy(&head_[223], &weekend.warmupSeconds, 4);
    if (weekend.quickRace) {
        head_[205] = static_cast<std::uint8_t>(weekend.qualifyingLaps);
        putU16(&head_[213], static_cast<std::uint32_t>(weekend.raceLaps));
        putU16(&head_[229], 0);
    } else {
        head_[205] = 0;
        putU16(&head_[213], static_cast<std::uint32_t>(weekend.qualifyingLaps));
        putU16(&head_[229], static_cast<std::uint32_t>(weekend.raceLaps));
    }
}

void ReplayWriter::addFrame(const std::vector<RecordSpec>& records) {
    std::size_t length = kFrameHeadSize;
    for (const RecordSpec& r : records)
        length += std::max(paddedRecordSize(r.size), 4 + r.payload.size());
    appendU16(telemetry_, static_cast<std::uint32_t>(length));
    appendU16(telemetry_, lastFrameLength_);
    appendU32(telemetry_, static_cast<std::uint32_t>(frameCount_));
    for (const RecordSpec& r : records) {
        appendU16(telemetry_, r.type);
        appendU16(telemetry_, r.size);
        telemetry_.insert(telemetry_.end(), r.payload.begin(), r.payload.end());
        const std::size_t occupied = std::max(paddedRecordSize(r.size), 4 + r.payload.size());
        telemetry_.resize(telemetry_.size() + occupied - 4 - r.payload.size(), 0);
    }
    lastFrameLength_ = static_cast<std::uint16_t>(length);
    ++frameCount_;
}

std::vector<std::uint8_t> ReplayWriter::tables() const {
    std::vector<std::uint8_t> out;
    appendTag(out, "SLRD", static_cast<std::uint32_t>(drivers_.size() * kDriverRecordSize));
    for (const DriverSpec& d : drivers_) {
        std::array<std::uint8_t, kDriverRecordSize> r{};
        std::memcpy(&r[0], "TNRD", 4);
        putU32(&r[8], 172);
        putText(&r[12], 16, d.firstName);
        putText(&r[28], 16, d.lastName);
        putText(&r[48], 32, d.chatNick);
        putText(&r[120], 32, d.carName);
        putU32(&r[164], d.carNumber);
        putU32(&r[168], d.kindCode);
        putU32(&r[176], d.id);
        out.insert(out.end(), r.begin(), r.end());
    }
    for (const auto& table : lapTables_) {
        std::size_t length = 0;
        for (const LapList& list : table)
            length += kChunkHeadSize + 8 + 4 * list.entries.size();
        appendTag(out, "BTPL", static_cast<std::uint32_t>(length));
        for (const LapList& list : table) {
            appendTag(out, "ORPL", static_cast<std::uint32_t>(8 + 4 * list.entries.size()));
            appendU32(out, list.driverId);
            appendU32(out, list.startTime);
            for (std::uint32_t entry : list.entries)
                appendU32(out, entry);
        }
    }
    return out;
}

std::array<std::uint8_t, kHeadSize> ReplayWriter::finishedHead(std::size_t tablesSize) const {
    std::array<std::uint8_t, kHeadSize> head = head_;
    const std::size_t fileLength = kHeadSize + tablesSize + kChunkHeadSize + telemetry_.size();
    putU32(&head[8], static_cast<std::uint32_t>(fileLength - 12));
    putU32(&head[24], static_cast<std::uint32_t>(frameCount_));
    putU32(&head[28], static_cast<std::uint32_t>(telemetry_.size()));
    putU16(&head[32], lastFrameLength_);
    return head;
}

std::vector<std::uint8_t> ReplayWriter::bytes() const {
    std::vector<std::uint8_t> out = tables();
    const auto head = finishedHead(out.size());
    out.insert(out.begin(), head.begin(), head.end());
    appendTag(out, "PTPR", static_cast<std::uint32_t>(telemetry_.size()));
    out.insert(out.end(), telemetry_.begin(), telemetry_.end());
    return out;
}

bool ReplayWriter::write(const std::filesystem::path& path) const {
    const std::vector<std::uint8_t> file = bytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out.flush());
}
