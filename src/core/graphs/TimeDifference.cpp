#include "graphs/TimeDifference.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/TimeText.h"
#include "graphs/DistanceCourse.h"
#include "replay/LapTelemetry.h"

namespace {

constexpr int kSteps = 500;
constexpr double kStepShare = 0.002;
constexpr double kUnitsToMetres = 0.0005003800000020015;
// 1/27 as a single-precision constant: milliseconds to samples of 27.78 ms.
constexpr double kSamplesPerMs = static_cast<double>(1.0f / 27.0f);
// The gap's samples in milliseconds, to more places than the readers need.
constexpr double kGapMsPerSample = 27.77777777778;
constexpr double kHeightShare = 0.7;
constexpr double kLevelSeconds = 0.0005;
constexpr double kMaxGapPoints = 20000;

bool usable(const LapTelemetry& lap) {
    return lap.sampleCount > 5 && lap.distance.size() >= static_cast<std::size_t>(lap.sampleCount);
}

std::int64_t lapTimeMs(std::uint32_t lapEntry) {
    return lapEntry & 0xFFFFFFu;
}

std::string signedTime(const char* sign, std::int64_t ms) {
    return sign +
           formatElapsedTime(static_cast<std::uint32_t>(std::min<std::int64_t>(std::llabs(ms), UINT32_MAX)));
}

// The texts of a gap whose extremes are `behind` (>= 0) and `ahead` (<= 0), each in the gap's own
// unit, which `toMs` cuts to whole milliseconds. The spread is cut from the whole span, not taken
// as the difference of the two cut extremes, which can be a millisecond short.
DifferenceTexts textsOf(std::int64_t lapTimeDifference, double behind, double ahead,
                        std::int64_t (*toMs)(double)) {
    const std::int64_t behindMs = toMs(behind), aheadMs = toMs(ahead), spreadMs = toMs(behind - ahead);
    DifferenceTexts texts;
    texts.atFinishLine = signedTime(lapTimeDifference > 0 ? "+" : "-", lapTimeDifference);
    texts.maxBehind = behindMs == 0 ? "NA" : signedTime("+", behindMs);
    texts.maxAhead = aheadMs == 0 ? "NA" : signedTime("-", aheadMs);
    texts.spread = spreadMs == 0 ? "NA" : signedTime("", spreadMs);
    return texts;
}

DifferenceTexts unavailableTexts() {
    return {"NA", "NA", "NA", "NA"};
}

struct Scale {
    double centre;
    double factor;
};

// Around the middle of the y range, the largest gap at 70 % of the half height.
Scale scaleFor(double yLow, double yHigh, double extreme) {
    const double half = (yHigh - yLow) * 0.5;
    return {yLow + half, extreme == 0 ? 0 : half * kHeightShare / extreme};
}

// Moves the scan to the first sample after `index` that reaches `target`; false, leaving it where
// it is, when the lap ends first.
bool advance(const LapTelemetry& lap, int& index, std::uint32_t target) {
    const int lastSample = lap.sampleCount - 1;
    int sample = std::min(index + 1, lastSample);
    while (sample < lastSample && lap.distance[static_cast<std::size_t>(sample)] < target)
        ++sample;
    if (lap.distance[static_cast<std::size_t>(sample)] < target) return false;
    index = sample;
    return true;
}

}  // namespace

TimeDifference timeDifferenceBySamples(const DifferenceLap& lapA, const DifferenceLap& lapB, double yLow,
                                       double yHigh) {
    TimeDifference result;
    const LapTelemetry& telemetryA = *lapA.telemetry;
    const LapTelemetry& telemetryB = *lapB.telemetry;
    if (!usable(telemetryA) || !usable(telemetryB)) {
        result.texts = unavailableTexts();
        return result;
    }
    const auto distanceAt = [](const LapTelemetry& lap, int sample) {
        return lap.distance[static_cast<std::size_t>(sample)];
    };
    const std::uint32_t total = std::max(distanceAt(telemetryA, telemetryA.sampleCount - 3),
                                         distanceAt(telemetryB, telemetryB.sampleCount - 3));
    const double step = total * kStepShare;

    std::vector<int> diff(kSteps, 0);
    int indexA = 0, indexB = 0, maxDiff = 0, minDiff = 0;
    bool bothGoOn = true;
    for (int stepIndex = 1; stepIndex < kSteps; ++stepIndex) {
        const auto target = static_cast<std::uint32_t>(stepIndex * step);
        bothGoOn = bothGoOn && advance(telemetryA, indexA, target) && advance(telemetryB, indexB, target);
        diff[static_cast<std::size_t>(stepIndex)] =
            bothGoOn ? indexA - indexB : diff[static_cast<std::size_t>(stepIndex - 1)];
        maxDiff = std::max(maxDiff, diff[static_cast<std::size_t>(stepIndex)]);
        minDiff = std::min(minDiff, diff[static_cast<std::size_t>(stepIndex)]);
    }

    const Scale scale = scaleFor(yLow, yHigh, std::max(maxDiff, -minDiff));
    const auto xAt = [step](int stepIndex) { return std::trunc(stepIndex * step) * kUnitsToMetres; };
    for (int stepIndex = 1; stepIndex < kSteps; ++stepIndex)
        result.curve.push_back(
            {xAt(stepIndex), diff[static_cast<std::size_t>(stepIndex)] * scale.factor + scale.centre});
    const std::int64_t lapTimeDifference = lapTimeMs(lapA.lapEntry) - lapTimeMs(lapB.lapEntry);
    const double finalDiff = std::trunc(static_cast<double>(lapTimeDifference) * kSamplesPerMs);
    result.curve.push_back({xAt(kSteps), finalDiff * scale.factor + scale.centre});
    result.zeroLine = {{0, scale.centre}, {result.curve.back().x, scale.centre}};

    result.texts = textsOf(lapTimeDifference, maxDiff, minDiff, [](double samples) {
        return static_cast<std::int64_t>(samples * kGapMsPerSample);
    });
    return result;
}

TimeDifference timeDifferenceByDistance(const DifferenceLap& lapA, const DifferenceLap& lapB, double yLow,
                                        double yHigh) {
    TimeDifference result;
    const std::vector<CoursePoint> courseA =
        courseAlongDistance(*lapA.telemetry, 1, lapA.telemetry->sampleCount - 1);
    const std::vector<CoursePoint> courseB =
        courseAlongDistance(*lapB.telemetry, 1, lapB.telemetry->sampleCount - 1);
    if (!usable(*lapA.telemetry) || !usable(*lapB.telemetry) || courseA.size() < 2 || courseB.size() < 2) {
        result.texts = unavailableTexts();
        return result;
    }
    const double first = std::ceil(std::max(courseA.front().distance, courseB.front().distance));
    const double last = std::floor(std::min(courseA.back().distance, courseB.back().distance));
    // A metre apart, or further on courses longer than any track, so the curve stays drawable.
    const double stride = std::max(1.0, std::ceil((last - first) / kMaxGapPoints));
    std::vector<PlotPoint> gap;
    CourseReader readerA(courseA), readerB(courseB);
    for (double distance = first; distance <= last; distance += stride)
        gap.push_back({distance, readerA.at(distance).time - readerB.at(distance).time});

    double behind = 0, ahead = 0;
    for (const PlotPoint& point : gap) {
        behind = std::max(behind, point.y);
        ahead = std::min(ahead, point.y);
    }
    // Interpolation leaves rounding noise where the laps are level: a gap below half a millisecond
    // everywhere is none.
    const double extreme = std::max(behind, -ahead);
    const Scale scale = scaleFor(yLow, yHigh, extreme < kLevelSeconds ? 0 : extreme);
    for (const PlotPoint& point : gap)
        result.curve.push_back({point.x, point.y * scale.factor + scale.centre});
    result.zeroLine = {{0, scale.centre}, {result.curve.empty() ? 0 : result.curve.back().x, scale.centre}};
    result.texts = textsOf(lapTimeMs(lapA.lapEntry) - lapTimeMs(lapB.lapEntry), behind, ahead,
                           [](double seconds) { return static_cast<std::int64_t>(seconds * 1000); });
    return result;
}
