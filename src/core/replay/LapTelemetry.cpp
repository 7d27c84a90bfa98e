#include "replay/LapTelemetry.h"

#include <cmath>

#include "common/BinaryFile.h"
#include "common/ByteReader.h"
#include "replay/DriverTable.h"
#include "replay/ReplayFormat.h"
#include "replay/TelemetryFrames.h"

namespace {

// A marker up to this long before the lap's start still opens it, so the samples begin about a
// second before the line; the lap ends at the first marker past its end by more than the slack.
constexpr std::uint64_t kStartLead = 1050;
constexpr std::uint64_t kEndSlack = 30;
constexpr double kMetresPerUnit = 0.0005;
constexpr double kKmhPerUnitPerSample = kMetresPerUnit * 129.6;  // 36 samples/s, 3.6 km/h per m/s

int walkStatus(FrameWalk walked) {
    return walked == FrameWalk::End ? LapTelemetry::kOk : LapTelemetry::kInvalidRecord;
}

}  // namespace

const char* LapTelemetry::statusText(int code) {
    switch (code) {
        case kOk:
            return "success";
        case kCannotOpen:
            return "the file cannot be opened";
        case kCannotSeek:
            return "seeking in the file failed";
        case kInvalidRecord:
            return "the telemetry holds an invalid or damaged record";
        case kNotSelectable:
            return "the lap is not selectable";
        case kFramesNotFound:
            return "the lap's frames were not found";
        case kNoLineCrossing:
            return "the samples hold no start/finish line crossing at both ends of the lap";
        default:
            return "unknown status";
    }
}

int LapTelemetry::read(const DriverTable& source, int driver, int lapSlot, int lapSession) {
    drivers = &source;
    fileName = source.fileName;
    driverIndex = driver;
    session = lapSession;
    processed = 0;
    filledSamples = missingSamples = longestGap = 0;
    startFrame = endFrame = 0;
    resize(0);

    const bool known = source.loadedCount != DriverTable::kNotLoaded && driver >= 0 &&
                       driver < source.loadedCount && lapSession >= 0 && lapSession < kSessionCount &&
                       lapSlot >= 1 && lapSlot <= source.lapCount[lapSession][driver];
    if (!known || !source.selectable[lapSession][driver][lapSlot]) return status = kNotSelectable;
    lapStart = source.lapStartTime(lapSession, driver, lapSlot);
    lapEnd = lapStart + lapDuration(source.laps[lapSession][driver][lapSlot]);

    BinaryFile file;
    if (!file.open(fileName)) return status = kCannotOpen;
    std::uint8_t length[4];
    if (!file.readAt(source.telemetryOffset + 8, length)) return status = kInvalidRecord;
    telemetryEnd_ = source.telemetryOffset + kChunkHeadSize + loadU32(length);

    std::uint64_t startOffset = 0;
    if ((status = findFrames(file, startOffset)) != kOk) return status;
    return status = readSamples(file, startOffset);
}

// First pass: the frames that bound the lap, found by the markers of its session.
int LapTelemetry::findFrames(BinaryFile& file, std::uint64_t& startOffset) {
    int wantedCode = session;
    if (drivers->quickRace) wantedCode = session == kQualifying ? 0 : session == kRace ? 1 : session;

    FrameStream frames(file, drivers->telemetryOffset + kChunkHeadSize, telemetryEnd_);
    std::span<const std::uint8_t> frame;
    for (int number = 1; endFrame == 0; ++number) {
        const FrameStream::Next next = frames.next(frame);
        if (next == FrameStream::Next::End) break;
        if (next == FrameStream::Next::Damaged) return kInvalidRecord;
        const auto walked = forEachRecord(frame, [&](const TelemetryRecord& record) {
            const auto marker = readSessionMarker(record);
            if (!marker || marker->code != wantedCode || endFrame != 0) return;
            const std::uint64_t t = marker->timeMs;
            if (startFrame == 0 && lapStart < t + kStartLead) {
                startFrame = number;
                startTime = marker->timeMs;
                startOffset = frames.frameOffset();
            }
            if (t > lapEnd + kEndSlack) {
                endFrame = number;
                endTime = marker->timeMs;
            }
        });
        if (walkStatus(walked) != kOk) return kInvalidRecord;
    }
    // Two frames past the end frame are read as well.
    const int lastFrame = endFrame + 2;
    if (startFrame == 0 || lastFrame < startFrame) return kFramesNotFound;
    sampleCount = lastFrame - startFrame;
    resize(sampleCount);
    return kOk;
}

// Second pass: sample k from frame startFrame + k - 1. Frames past the end of the telemetry
// leave their samples empty.
int LapTelemetry::readSamples(BinaryFile& file, std::uint64_t startOffset) {
    const bool owner = driverIndex == drivers->ownerIndex;
    const std::uint32_t id = drivers->driverId[driverIndex];
    int previousMissing = -1;
    int run = 0;

    FrameStream frames(file, startOffset, telemetryEnd_);
    std::span<const std::uint8_t> frame;
    for (int k = 1; k <= sampleCount; ++k) {
        const FrameStream::Next next = frames.next(frame);
        if (next == FrameStream::Next::End) break;
        if (next == FrameStream::Next::Damaged) return kInvalidRecord;
        bool sawCarStates = false;
        bool found = false;
        const auto walked = forEachRecord(frame, [&](const TelemetryRecord& record) {
            if (owner && record.type == kOwnerStateRecord && record.payload.size() >= kOwnerStatePayload) {
                store(k, decodeOwnerState(record.payload.data()));
                found = true;
            } else if (!owner && record.type == kCarStatesRecord) {
                sawCarStates = true;
                for (std::size_t at = 0; at + kCarStateEntry <= record.payload.size(); at += kCarStateEntry) {
                    const std::uint8_t* entry = record.payload.data() + at;
                    if (carStateDriverId(entry) != id) continue;
                    store(k, decodeCarState(entry));
                    found = true;
                }
            }
        });
        if (walkStatus(walked) != kOk) return kInvalidRecord;
        if (sawCarStates && !found) markMissing(k, previousMissing, run);
    }
    return kOk;
}

void LapTelemetry::store(int k, const TelemetrySample& s) {
    distance[k] = s.distance;
    lateral[k] = s.lateral;
    gear[k] = s.gear;
    revs[k] = s.revs;
    orientation[k] = s.orientation;
    roll[k] = s.roll;
    pitch[k] = s.pitch;
    steering[k] = s.steering;
    aux1[k] = s.aux1;
    aux2[k] = s.aux2;
    filled_[k] = 1;
    ++filledSamples;
}

// A sample whose frame carries other cars' states but not this driver's. Runs of consecutive
// missing samples give the longest gap.
void LapTelemetry::markMissing(int k, int& previousMissing, int& run) {
    ++missingSamples;
    if (k - previousMissing < 2) {
        ++run;
        longestGap = std::max(longestGap, run + 1);
    } else {
        run = 0;
    }
    previousMissing = k;
    distance[k] = 0;
    gear[k] = 0;
    aux1[k] = 0;
    lateral[k] = 0;
    revs[k] = 0;
}

void LapTelemetry::resize(int count) {
    const std::size_t n = static_cast<std::size_t>(count) + 1;
    for (auto* channel : {&distance, &revs, &aux1, &aux2})
        channel->assign(n, 0);
    for (auto* channel : {&lateral, &roll, &pitch})
        channel->assign(n, 0);
    for (auto* channel : {&gear, &orientation, &steering})
        channel->assign(n, 0);
    filled_.assign(n, 0);
    distanceM.clear();
    lateralM.clear();
    speed.clear();
    heading.clear();
    slip.clear();
    slipMinusSteering.clear();
}

int LapTelemetry::process(int margin) {
    const int N = sampleCount;
    // Only samples that carry the driver's record take part: a missing one holds distance 0.
    std::vector<int> filled;
    for (int i = 1; i <= N; ++i) {
        if (filled_[i]) filled.push_back(i);
    }
    // i1: the last sample before the start/finish line, where the distance falls back.
    int i1 = 0;
    for (std::size_t f = 0; f + 1 < filled.size() && i1 == 0; ++f) {
        if (distance[filled[f]] >= distance[filled[f + 1]]) i1 = filled[f];
    }
    // i2: the first sample after the line at the lap's end.
    std::size_t last = filled.empty() ? 0 : filled.size() - 1;
    while (last > 0 && distance[filled[last - 1]] < distance[filled[last]])
        --last;
    const int i2 = filled.empty() ? 0 : filled[last];
    if (i1 == 0 || i2 - i1 < 3 || i1 + 3 > N) return status = kNoLineCrossing;

    lapStartIndex = startFrame - 1 + i1;
    lapEndIndex = i2 + endFrame - N;
    frameLapTime = static_cast<int>(static_cast<std::int64_t>(endTime) - startTime -
                                    static_cast<std::int64_t>((i1 - 1) * kMsPerSample) -
                                    static_cast<std::int64_t>((N - i2) * kMsPerSample));
    const auto step = [&](int to, int from) {
        return static_cast<int>(static_cast<std::int64_t>(distance[to]) - distance[from]);
    };
    stepAtStart = distance[i1 + 1] == 0 ? step(i1 + 3, i1 + 2) : step(i1 + 2, i1 + 1);
    stepAtEnd = step(i2 - 1, i2 - 2);

    // Speed from the distance advanced since the previous sample. Where that means nothing (the
    // sample after the line, where the distance falls back; a missing sample and the one after it)
    // the neighbours' speed is used.
    std::vector<double> rawSpeed(static_cast<std::size_t>(N) + 1, 0.0);
    std::vector<std::uint8_t> valid(static_cast<std::size_t>(N) + 1, 0);
    for (int i = 2; i <= N; ++i) {
        if (filled_[i] && filled_[i - 1] && distance[i] >= distance[i - 1]) {
            rawSpeed[i] = (distance[i] - distance[i - 1]) * kKmhPerUnitPerSample;
            valid[i] = 1;
        }
    }
    std::vector<int> nextValid(static_cast<std::size_t>(N) + 2, N + 1);
    for (int i = N; i >= 1; --i)
        nextValid[i] = valid[i] ? i : nextValid[i + 1];
    int previousValid = 0;
    for (int i = 1; i <= N; ++i) {
        if (valid[i]) {
            previousValid = i;
            continue;
        }
        const int after = nextValid[i];
        const bool hasBefore = previousValid >= 1, hasAfter = after <= N;
        rawSpeed[i] = hasBefore && hasAfter ? (rawSpeed[previousValid] + rawSpeed[after]) / 2
                      : hasBefore           ? rawSpeed[previousValid]
                      : hasAfter            ? rawSpeed[after]
                                            : 0.0;
    }
    speed = std::move(rawSpeed);

    trim(std::max(1, i1 + 1 - margin), std::min(N, i2 + margin));
    convert(driverIndex == drivers->ownerIndex);
    processed = 1;
    return status = kOk;
}

// Keeps samples first..last, renumbered from 1.
void LapTelemetry::trim(int first, int last) {
    const auto keep = [&](auto& channel) {
        channel.erase(channel.begin() + last + 1, channel.end());
        channel.erase(channel.begin() + 1, channel.begin() + first);
    };
    keep(distance), keep(lateral), keep(gear), keep(revs), keep(orientation), keep(roll), keep(pitch);
    keep(steering), keep(aux1), keep(aux2), keep(speed), keep(filled_);
    sampleCount = last - first + 1;
}

void LapTelemetry::convert(bool owner) {
    const std::size_t n = static_cast<std::size_t>(sampleCount) + 1;
    distanceM.assign(n, 0.0);
    lateralM.assign(n, 0.0);
    for (std::size_t k = 1; k < n; ++k) {
        distanceM[k] = distance[k] * kMetresPerUnit;
        lateralM[k] =
            owner ? std::tan(lateral[k] * 2.911741e-6) * 13.0 : std::tan(lateral[k] * 2.261833e-5) * 26.0;
        revs[k] = static_cast<std::uint32_t>(std::tan(revs[k] * 0.001288481) * 8262.364);
    }
    heading.assign(n, 0);
    slip.assign(n, 0);
    slipMinusSteering.assign(n, 0);
}
