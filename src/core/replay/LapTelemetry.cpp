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

Outcome<LapReadError> walkOutcome(FrameWalk walked) {
    if (walked == FrameWalk::End) return {};
    return LapReadError::InvalidRecord;
}

}  // namespace

Outcome<LapReadError> LapTelemetry::read(const DriverTable& source, int driver, int lapSlot, int lapSession) {
    fileName = source.fileName;
    driverIndex = driver;
    session = lapSession;
    processed = false;
    finishLineSample.reset();
    filledSamples = missingSamples = longestGap = 0;
    startFrame = endFrame = 0;
    resize(0);

    const bool known = driver >= 0 && driver < source.driverCount && lapSession >= 0 &&
                       lapSession < kSessionCount && lapSlot >= 1 &&
                       lapSlot <= source.lapCount(lapSession, driver);
    if (!known || !source.selectable(lapSession, driver, lapSlot)) return LapReadError::NotSelectable;
    owner_ = driver == source.ownerIndex;
    lapStart = source.lapStartTime(lapSession, driver, lapSlot);
    lapEnd = lapStart + lapDuration(source.lapEntry(lapSession, driver, lapSlot));

    BinaryFile file;
    if (!file.open(fileName)) return LapReadError::CannotOpen;
    const auto end = telemetryEnd(file, source.telemetryOffset);
    if (!end) return LapReadError::InvalidRecord;
    telemetryEnd_ = *end;

    std::uint64_t startOffset = 0;
    if (auto found = findFrames(file, source, startOffset); !found) return found;
    return readSamples(file, source.driver(driver).driverId, startOffset);
}

// First pass: the frames that bound the lap, found by the markers of its session.
Outcome<LapReadError> LapTelemetry::findFrames(BinaryFile& file, const DriverTable& drivers,
                                               std::uint64_t& startOffset) {
    int wantedCode = session;
    if (drivers.quickRace) wantedCode = session == kQualifying ? 0 : session == kRace ? 1 : session;

    FrameStream frames(file, drivers.telemetryOffset + kChunkHeadSize, telemetryEnd_);
    std::span<const std::uint8_t> frame;
    for (int number = 1; endFrame == 0; ++number) {
        const FrameStream::Next next = frames.next(frame);
        if (next == FrameStream::Next::End) break;
        if (next == FrameStream::Next::Damaged) return LapReadError::InvalidRecord;
        const auto walked = forEachRecord(frame, [&](const TelemetryRecord& record) {
            const auto marker = readSessionMarker(record);
            if (!marker || marker->code != wantedCode || endFrame != 0) return;
            const std::uint64_t markerTime = marker->timeMs;
            if (startFrame == 0 && lapStart < markerTime + kStartLead) {
                startFrame = number;
                startTime = marker->timeMs;
                startOffset = frames.frameOffset();
            }
            if (markerTime > lapEnd + kEndSlack) {
                endFrame = number;
                endTime = marker->timeMs;
            }
        });
        if (auto walk = walkOutcome(walked); !walk) return walk;
    }
    // Two frames past the end frame are read as well.
    const int lastFrame = endFrame + 2;
    if (startFrame == 0 || lastFrame < startFrame) return LapReadError::FramesNotFound;
    sampleCount = lastFrame - startFrame;
    resize(sampleCount);
    return {};
}

// Second pass: the samples come from consecutive frames, the first from startFrame. Frames past the
// end of the telemetry leave their samples empty.
Outcome<LapReadError> LapTelemetry::readSamples(BinaryFile& file, std::uint32_t id,
                                                std::uint64_t startOffset) {
    std::optional<int> previousMissing;
    int run = 0;

    FrameStream frames(file, startOffset, telemetryEnd_);
    std::span<const std::uint8_t> frame;
    for (int sample = 0; sample < sampleCount; ++sample) {
        const FrameStream::Next next = frames.next(frame);
        if (next == FrameStream::Next::End) break;
        if (next == FrameStream::Next::Damaged) return LapReadError::InvalidRecord;
        bool sawCarStates = false;
        bool found = false;
        const auto walked = forEachRecord(frame, [&](const TelemetryRecord& record) {
            if (owner_ && record.type == kOwnerStateRecord && record.payload.size() >= kOwnerStatePayload) {
                store(sample, decodeOwnerState(record.payload));
                found = true;
            } else if (!owner_ && record.type == kCarStatesRecord) {
                sawCarStates = true;
                for (std::size_t at = 0; at + kCarStateEntry <= record.payload.size(); at += kCarStateEntry) {
                    const auto entry = record.payload.subspan(at, kCarStateEntry);
                    if (carStateDriverId(entry) != id) continue;
                    store(sample, decodeCarState(entry));
                    found = true;
                }
            }
        });
        if (auto walk = walkOutcome(walked); !walk) return walk;
        if (sawCarStates && !found) markMissing(sample, previousMissing, run);
    }
    return {};
}

void LapTelemetry::store(int sample, const TelemetrySample& values) {
    const auto index = static_cast<std::size_t>(sample);
    distance[index] = values.distance;
    lateral[index] = values.lateral;
    gear[index] = values.gear;
    revs[index] = values.revs;
    orientation[index] = values.orientation;
    roll[index] = values.roll;
    pitch[index] = values.pitch;
    steering[index] = values.steering;
    aux1[index] = values.aux1;
    aux2[index] = values.aux2;
    filled_[index] = true;
    ++filledSamples;
}

// A sample whose frame carries other cars' states but not this driver's. Runs of consecutive
// missing samples give the longest gap.
void LapTelemetry::markMissing(int sample, std::optional<int>& previousMissing, int& run) {
    ++missingSamples;
    if (previousMissing && sample - *previousMissing < 2) {
        ++run;
        longestGap = std::max(longestGap, run + 1);
    } else {
        run = 0;
    }
    previousMissing = sample;
    const auto index = static_cast<std::size_t>(sample);
    distance[index] = 0;
    gear[index] = 0;
    aux1[index] = 0;
    lateral[index] = 0;
    revs[index] = 0;
}

LapTelemetry LapTelemetry::blank(int samples) {
    LapTelemetry lap;
    lap.resize(samples);
    lap.sampleCount = samples;
    lap.convert();
    lap.speed.assign(lap.distanceM.size(), 0.0);
    return lap;
}

void LapTelemetry::resize(int count) {
    const auto slots = static_cast<std::size_t>(count);
    for (auto* channel : {&distance, &revs, &aux1, &aux2})
        channel->assign(slots, 0);
    for (auto* channel : {&lateral, &roll, &pitch})
        channel->assign(slots, 0);
    for (auto* channel : {&gear, &orientation, &steering})
        channel->assign(slots, 0);
    filled_.assign(slots, false);
    distanceM.clear();
    lateralM.clear();
    speed.clear();
    heading.clear();
    slip.clear();
    slipMinusSteering.clear();
}

Outcome<LapReadError> LapTelemetry::process(int margin) {
    // Only samples that carry the driver's record take part: a missing one holds distance 0.
    std::vector<int> filled;
    for (int sample = 0; sample < sampleCount; ++sample) {
        if (filled_[sample]) filled.push_back(sample);
    }
    // The last sample before the start/finish line, where the distance falls back.
    std::optional<int> beforeStartLine;
    for (std::size_t entry = 0; entry + 1 < filled.size() && !beforeStartLine; ++entry) {
        if (distance[filled[entry]] >= distance[filled[entry + 1]]) beforeStartLine = filled[entry];
    }
    // The first sample after the line at the lap's end.
    std::size_t last = filled.empty() ? 0 : filled.size() - 1;
    while (last > 0 && distance[filled[last - 1]] < distance[filled[last]])
        --last;
    // A crossing at the start is found only with two filled samples, so `filled` is not empty here.
    if (!beforeStartLine) return LapReadError::NoLineCrossing;
    const int startLine = *beforeStartLine;
    const int afterFinishLine = filled[last];
    if (afterFinishLine - startLine < 3 || startLine + 3 >= sampleCount) return LapReadError::NoLineCrossing;

    // Frame numbers are 1-based: sample 0 comes from frame startFrame.
    lapStartIndex = startFrame + startLine;
    lapEndIndex = afterFinishLine + 1 + endFrame - sampleCount;
    frameLapTime = static_cast<int>(
        static_cast<std::int64_t>(endTime) - startTime - static_cast<std::int64_t>(startLine * kMsPerSample) -
        static_cast<std::int64_t>((sampleCount - 1 - afterFinishLine) * kMsPerSample));
    const auto step = [&](int to, int from) {
        return static_cast<int>(static_cast<std::int64_t>(distance[to]) - distance[from]);
    };
    stepAtStart = distance[startLine + 1] == 0 ? step(startLine + 3, startLine + 2)
                                               : step(startLine + 2, startLine + 1);
    stepAtEnd = step(afterFinishLine - 1, afterFinishLine - 2);

    // Speed from the distance advanced since the previous sample. Where that means nothing (the
    // sample after the line, where the distance falls back; a missing sample and the one after it)
    // the neighbours' speed is used.
    const auto samples = static_cast<std::size_t>(sampleCount);
    std::vector<double> rawSpeed(samples, 0.0);
    std::vector<bool> valid(samples, false);
    for (int sample = 1; sample < sampleCount; ++sample) {
        if (filled_[sample] && filled_[sample - 1] && distance[sample] >= distance[sample - 1]) {
            rawSpeed[sample] = (distance[sample] - distance[sample - 1]) * kKmhPerUnitPerSample;
            valid[sample] = true;
        }
    }
    // nextValid[sample]: the first valid sample from that one on; sampleCount where none follows.
    std::vector<int> nextValid(samples + 1, sampleCount);
    for (int sample = sampleCount - 1; sample >= 0; --sample)
        nextValid[sample] = valid[sample] ? sample : nextValid[sample + 1];
    std::optional<int> previousValid;
    for (int sample = 0; sample < sampleCount; ++sample) {
        if (valid[sample]) {
            previousValid = sample;
            continue;
        }
        const int after = nextValid[sample];
        const bool hasAfter = after < sampleCount;
        rawSpeed[sample] = previousValid && hasAfter ? (rawSpeed[*previousValid] + rawSpeed[after]) / 2
                           : previousValid           ? rawSpeed[*previousValid]
                           : hasAfter                ? rawSpeed[after]
                                                     : 0.0;
    }
    speed = std::move(rawSpeed);

    const int first = std::max(0, startLine + 1 - margin);
    trim(first, std::min(sampleCount - 1, afterFinishLine + margin));
    convert();
    finishLineSample = afterFinishLine - first;
    processed = true;
    return {};
}

// Keeps samples first..last, renumbered from 0.
void LapTelemetry::trim(int first, int last) {
    const auto keep = [&](auto& channel) {
        channel.erase(channel.begin() + last + 1, channel.end());
        channel.erase(channel.begin(), channel.begin() + first);
    };
    keep(distance), keep(lateral), keep(gear), keep(revs), keep(orientation), keep(roll), keep(pitch);
    keep(steering), keep(aux1), keep(aux2), keep(speed), keep(filled_);
    sampleCount = last - first + 1;
}

void LapTelemetry::convert() {
    const auto slots = static_cast<std::size_t>(sampleCount);
    distanceM.assign(slots, 0.0);
    lateralM.assign(slots, 0.0);
    for (std::size_t sample = 0; sample < slots; ++sample) {
        distanceM[sample] = distance[sample] * kMetresPerUnit;
        lateralM[sample] = owner_ ? std::tan(lateral[sample] * 2.911741e-6) * 13.0
                                  : std::tan(lateral[sample] * 2.261833e-5) * 26.0;
        revs[sample] = static_cast<std::uint32_t>(std::tan(revs[sample] * 0.001288481) * 8262.364);
    }
    heading.assign(slots, 0);
    slip.assign(slots, 0);
    slipMinusSteering.assign(slots, 0);
}
