#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/Result.h"
#include "replay/RecordDecoding.h"

class BinaryFile;
class DriverTable;

// Samples are stored from index 0; users see them numbered from 1, and a sample's time in the lap
// is its number of 1/36 s.
constexpr int sampleNumber(int sampleIndex) {
    return sampleIndex + 1;
}

enum class LapReadError {
    CannotOpen,
    InvalidRecord,   // an invalid record type, or damaged frame framing
    NotSelectable,   // also a driver, session or slot the table does not have
    FramesNotFound,  // no frames of the lap's session around its time
    NoLineCrossing,  // process() found no lap between two line crossings
};

// The telemetry of one lap of one driver: raw channels as the records carry them, and after
// process() the lap trimmed to the start/finish line and converted to metres, km/h and rpm.
// Channels hold sampleCount samples, numbered from 0.
class LapTelemetry {
public:
    // Reads lap `lapSlot` (1..count) of driver `driverIndex` in `session` from the file `drivers`
    // was read from.
    Outcome<LapReadError> read(const DriverTable& drivers, int driverIndex, int lapSlot, int session);

    // Trims the samples to the lap plus `margin` samples each side and computes the converted
    // channels. NoLineCrossing when the samples hold no complete lap.
    Outcome<LapReadError> process(int margin);

    // A processed lap of `samples` samples that no record filled: every channel sized and zero.
    // Laps made up from other sources (tests, fuzzing) start from it.
    static LapTelemetry blank(int samples);

    std::filesystem::path fileName;
    std::optional<int> driverIndex;
    int session = 0;
    std::uint64_t lapStart = 0;  // ms of session time
    std::uint64_t lapEnd = 0;
    int startFrame = 0;  // 1-based frame numbers
    int endFrame = 0;
    std::uint32_t startTime = 0;  // marker times (ms) of those frames
    std::uint32_t endTime = 0;
    int sampleCount = 0;
    int filledSamples = 0;
    int missingSamples = 0;
    int longestGap = 0;

    std::vector<std::uint32_t> distance;
    std::vector<std::int32_t> lateral;
    std::vector<std::int16_t> gear;
    std::vector<std::uint32_t> revs;  // raw; rpm after Process
    std::vector<std::int16_t> orientation;
    std::vector<std::int32_t> roll;
    std::vector<std::int32_t> pitch;
    std::vector<std::int16_t> steering;
    std::vector<std::uint32_t> aux1;
    std::vector<std::uint32_t> aux2;

    std::vector<double> distanceM;
    std::vector<double> lateralM;
    std::vector<double> speed;  // km/h
    // Whether a sample (0..sampleCount - 1) of the processed lap holds a position: a sample no record
    // filled (an online gap) has distance and lateral offset both 0. Driving lines, map channels,
    // graphs and analyses all leave such samples out.
    bool recorded(int sample) const {
        const auto index = static_cast<std::size_t>(sample);
        return index < distanceM.size() && index < lateralM.size() &&
               (distanceM[index] != 0 || lateralM[index] != 0);
    }
    // Derived map channels (degrees) and split times (ms), filled by the document.
    std::vector<std::int16_t> heading;
    std::vector<std::int16_t> slip;
    std::vector<std::int16_t> slipMinusSteering;
    int splitTime1 = 0;
    int splitTime2 = 0;
    int splitTime3 = 0;

    int lapStartIndex = 0;
    int lapEndIndex = 0;
    int frameLapTime = 0;  // ms
    int stepAtStart = 0;   // 0.5 mm units advanced in one sample
    int stepAtEnd = 0;
    bool processed = false;
    // After process(): the first sample past the finish line at the lap's end, where the distance
    // falls back. Nothing before, and in laps made up without a line.
    std::optional<int> finishLineSample;

private:
    Outcome<LapReadError> findFrames(BinaryFile& file, const DriverTable& drivers,
                                     std::uint64_t& startOffset);
    Outcome<LapReadError> readSamples(BinaryFile& file, std::uint32_t driverId, std::uint64_t startOffset);
    void store(int sample, const TelemetrySample& values);
    void markMissing(int sample, std::optional<int>& previousMissing, int& run);
    void resize(int count);
    void trim(int first, int last);
    void convert();

    bool owner_ = false;  // the replay owner's lap, with its own record type and scales
    std::uint64_t telemetryEnd_ = 0;
    std::vector<bool> filled_;  // where a record of the driver was decoded into the sample
};
