#include "compare/LapComparison.h"

#include <algorithm>
#include <cmath>

#include "document/ReplayDocument.h"
#include "graphs/DistanceCourse.h"
#include "replay/LapTelemetry.h"
#include "replay/ReplayFormat.h"

namespace {

constexpr double kKmhPerMetrePerSecond = 3.6;

// The smallest of 1, 2 and 5 times a power of ten that is at least `metres` (positive, finite). A
// negative power divides, so 0.01 is the same number as written.
double roundStepUp(double metres) {
    for (int power = static_cast<int>(std::floor(std::log10(metres))) - 1;; ++power) {
        for (const double mantissa : {1.0, 2.0, 5.0}) {
            const double step =
                power >= 0 ? mantissa * std::pow(10.0, power) : mantissa / std::pow(10.0, -power);
            if (step >= metres) return step;
        }
    }
}

// The moment (s, sample clock) a lap crosses the line just before the sample `after`: back from it
// by its distance past the line at its speed, but no earlier than `earliest`. Without a speed to go
// by, the sample's own moment.
double lineCrossing(const CoursePoint& after, double earliest) {
    const double metresPerSecond = after.speed / kKmhPerMetrePerSecond;
    if (!(metresPerSecond > 0) || !std::isfinite(after.distance)) return after.time;
    return std::max(after.time - after.distance / metresPerSecond, earliest);
}

// A lap's elapsed time against its distance. The sample clock runs at 1/36 s, the lap tables at
// 1 ms: the lap's clock is scaled so that the time from line to line is its lap-table time, so the
// delta reaches the lap-time difference at the finish line. Each line crossing is estimated from
// the first sample past the line: back from it by its distance past the line at its speed.
class LapClock {
public:
    LapClock(const LapTelemetry& lap, std::uint32_t lapTimeMs) {
        const int finishSample =
            std::min(lap.finishLineSample.value_or(lap.sampleCount - 1), lap.sampleCount);
        course_ = courseAlongDistance(lap, 1, finishSample);
        if (course_.empty()) return;
        const double firstSampleTime = static_cast<double>(sampleNumber(0)) / kSamplesPerSecond;
        start_ = lineCrossing(course_.front(), firstSampleTime);
        // The line is where every lap's course begins.
        if (course_.front().distance > 0) course_.insert(course_.begin(), {0, start_, course_.front().speed});
        // Without a recorded sample past the finish line, the last one before it.
        double finish = course_.back().time;
        if (lap.recorded(finishSample) && static_cast<std::size_t>(finishSample) < lap.speed.size()) {
            const auto i = static_cast<std::size_t>(finishSample);
            finish = lineCrossing(
                {lap.distanceM[i], static_cast<double>(sampleNumber(finishSample)) / kSamplesPerSecond,
                 lap.speed[i]},
                course_.back().time);
        }
        const double lapTime = lapTimeMs / 1000.0;
        if (finish > start_ && lapTime > 0) scale_ = lapTime / (finish - start_);
    }

    // Whether the lap goes anywhere along the track.
    bool hasDistances() const { return !course_.empty() && course_.back().distance > 0; }
    double lastDistance() const { return course_.back().distance; }
    const std::vector<CoursePoint>& course() const { return course_; }
    double elapsed(double sampleClock) const { return (sampleClock - start_) * scale_; }

private:
    std::vector<CoursePoint> course_;
    double start_ = 0;
    double scale_ = 1;
};

// The lap's time and speed every `step` metres from the line to `last`, delta 0.
std::vector<DeltaPoint> pointsOf(const LapClock& lap, double step, double last) {
    std::vector<DeltaPoint> points;
    CourseReader course(lap.course());
    const auto count = static_cast<std::size_t>(std::floor(last / step)) + 1;
    points.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        // To the micrometre, so that a step of 0.1 m gives 0.3 m, not 0.30000000000000004.
        const double distance = std::round(static_cast<double>(index) * step * 1e6) / 1e6;
        const CoursePoint here = course.at(distance);
        points.push_back({distance, lap.elapsed(here.time), 0, here.speed});
    }
    return points;
}

// A lap's sectors (ms) between the line, its three split times and the lap time; a sector with a
// split not measured, or that would be negative, is unknown.
std::array<std::optional<std::int64_t>, kComparedSectors> sectorsOf(const LapTelemetry& lap,
                                                                    std::uint32_t lapTimeMs) {
    const std::array<std::optional<std::int64_t>, kComparedSectors + 1> bounds = {
        0,
        lap.splitTime1 > 0 ? std::optional<std::int64_t>(lap.splitTime1) : std::nullopt,
        lap.splitTime2 > 0 ? std::optional<std::int64_t>(lap.splitTime2) : std::nullopt,
        lap.splitTime3 > 0 ? std::optional<std::int64_t>(lap.splitTime3) : std::nullopt,
        lapTimeMs,
    };
    std::array<std::optional<std::int64_t>, kComparedSectors> sectors;
    for (std::size_t sector = 0; sector < sectors.size(); ++sector) {
        if (bounds[sector] && bounds[sector + 1] && *bounds[sector + 1] >= *bounds[sector])
            sectors[sector] = *bounds[sector + 1] - *bounds[sector];
    }
    return sectors;
}

double seconds(std::int64_t ms) {
    return static_cast<double>(ms) / 1000;
}

}  // namespace

std::string refusalText(ComparisonRefusal refusal) {
    switch (refusal) {
        case ComparisonRefusal::NoTrack:
            return "The laps' track is not installed, so their distances along it are unknown.";
        case ComparisonRefusal::NoDistances:
            return "A lap without distances along the track cannot be compared.";
        case ComparisonRefusal::TooManyLaps:
            return "Up to four laps can be compared with the reference lap.";
        case ComparisonRefusal::InvalidStep:
            return "The step between points must be a positive number of metres.";
    }
    return {};
}

std::optional<DeltaPoint> ComparedLap::at(double distance) const {
    const auto after = std::lower_bound(points.begin(), points.end(), distance,
                                        [](const DeltaPoint& point, double d) { return point.distance < d; });
    if (after == points.end()) return std::nullopt;
    if (after->distance == distance) return *after;
    if (after == points.begin()) return std::nullopt;
    const DeltaPoint& before = *(after - 1);
    const double share = (distance - before.distance) / (after->distance - before.distance);
    const auto between = [share](double from, double to) { return from + (to - from) * share; };
    return DeltaPoint{distance, between(before.time, after->time), between(before.delta, after->delta),
                      between(before.speed, after->speed)};
}

Result<LapComparison, ComparisonRefusal> compareLaps(const ComparisonInput& reference,
                                                     const std::vector<ComparisonInput>& others,
                                                     double step) {
    if (others.size() + 1 > static_cast<std::size_t>(kMaxComparedLaps)) return ComparisonRefusal::TooManyLaps;
    if (!(step > 0) || !std::isfinite(step)) return ComparisonRefusal::InvalidStep;
    std::vector<ComparisonInput> inputs{reference};
    inputs.insert(inputs.end(), others.begin(), others.end());
    std::vector<LapClock> clocks;
    clocks.reserve(inputs.size());
    for (const ComparisonInput& input : inputs) {
        if (!input.telemetry) return ComparisonRefusal::NoDistances;
        clocks.emplace_back(*input.telemetry, lapDuration(input.lapEntry));
        if (!clocks.back().hasDistances()) return ComparisonRefusal::NoDistances;
    }

    LapComparison comparison;
    const double narrowest = clocks.front().lastDistance() / kMaxPointsPerLap;
    comparison.step = step >= narrowest ? step : roundStepUp(narrowest);
    const std::int64_t referenceMs = lapDuration(reference.lapEntry);
    for (std::size_t lap = 0; lap < inputs.size(); ++lap) {
        const std::int64_t lapMs = lapDuration(inputs[lap].lapEntry);
        const double last = std::min(clocks[lap].lastDistance(), clocks.front().lastDistance());
        comparison.laps.push_back(
            {seconds(lapMs), seconds(lapMs - referenceMs), pointsOf(clocks[lap], comparison.step, last)});
        // The reference's points run at least as far, at the same distances.
        const std::vector<DeltaPoint>& referencePoints = comparison.laps.front().points;
        for (std::size_t point = 0; lap > 0 && point < comparison.laps.back().points.size(); ++point) {
            DeltaPoint& here = comparison.laps.back().points[point];
            here.delta = here.time - referencePoints[point].time;
        }
    }

    std::vector<std::array<std::optional<std::int64_t>, kComparedSectors>> sectorTimes;
    for (const ComparisonInput& input : inputs)
        sectorTimes.push_back(sectorsOf(*input.telemetry, lapDuration(input.lapEntry)));
    std::int64_t theoreticalBestMs = 0;
    bool everySectorHasABest = true;
    for (std::size_t sector = 0; sector < comparison.sectors.size(); ++sector) {
        SectorComparison& column = comparison.sectors[sector];
        column.name = "Sector " + std::to_string(sector + 1);
        const std::optional<std::int64_t> referenceTime = sectorTimes.front()[sector];
        for (std::size_t lap = 0; lap < inputs.size(); ++lap) {
            const std::optional<std::int64_t> time = sectorTimes[lap][sector];
            column.times.push_back(time ? std::optional(seconds(*time)) : std::nullopt);
            column.deltas.push_back(time && referenceTime ? std::optional(seconds(*time - *referenceTime))
                                                          : std::nullopt);
            if (time &&
                (!column.best || *time < *sectorTimes[static_cast<std::size_t>(*column.best)][sector]))
                column.best = static_cast<int>(lap);
        }
        if (column.best)
            theoreticalBestMs += *sectorTimes[static_cast<std::size_t>(*column.best)][sector];
        else
            everySectorHasABest = false;
    }
    if (everySectorHasABest) comparison.theoreticalBest = seconds(theoreticalBestMs);
    return comparison;
}

Result<LapComparison, ComparisonRefusal> compareLoadedLaps(const ReplayDocument& document, int referenceSlot,
                                                           const std::vector<int>& otherSlots, double step) {
    if (!document.trackLoaded()) return ComparisonRefusal::NoTrack;
    const auto input = [&document](int slot) -> ComparisonInput {
        if (slot < 0 || slot >= ReplayDocument::maxLaps) return {nullptr, 0};
        const ReplayDocument::Slot& loaded = document.slots()[static_cast<std::size_t>(slot)];
        if (!loaded.inUse || !loaded.lapData) return {nullptr, 0};
        return {loaded.lapData.get(), loaded.lapEntry()};
    };
    std::vector<ComparisonInput> others;
    for (const int slot : otherSlots)
        others.push_back(input(slot));
    return compareLaps(input(referenceSlot), others, step);
}
