#include "Scenario.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <random>

#include "Driving.h"

namespace {

constexpr double kFrameMs = 1000.0 / kSamplesPerSecond;
constexpr double kRoadHalfWidth = 5;
constexpr double kGridAcceleration = 9;  // m/s^2 off the line

// Deterministic random numbers, the same on every platform for a seed.
class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}
    double uniform() { return (static_cast<double>(engine_()) + 0.5) / 4294967296.0; }
    double normal() {
        return std::sqrt(-2 * std::log(uniform())) * std::cos(2 * std::numbers::pi * uniform());
    }
    std::uint32_t below(std::uint32_t n) { return engine_() % n; }

private:
    std::mt19937 engine_;
};

struct LapRun {
    double start;     // ms of session time
    double duration;  // ms, whole
    const LapProfile* profile;
    double scale;  // session ms per profile ms
    double end() const { return start + duration; }
};

// Where a car is and how it goes at one moment.
struct CarState {
    double distance = 0;  // metres from the line, within the lap
    double lateral = 0;   // metres to the left
    double speed = 0;     // m/s
    double acceleration = 0;
    double curvature = 0;
    double heading = 0;  // radians, of the car's path on the plane
};

// One car's session: its laps, what comes before the first (the grid, or the end of a lap
// driven before) and after the last (it drives on, or it has stopped).
struct CarTimeline {
    std::vector<LapRun> laps;
    bool onGrid = false;  // a standing start from gridGap metres behind the line
    double gridGap = 0;
    bool nonStarter = false;
    std::optional<double> stopTime;  // a retired car stands still from here on
    double stopDistance = 0;
    const LapProfile* cruise = nullptr;  // after the last lap
    double cruiseScale = 1;
};

class WeekendBuilder {
public:
    explicit WeekendBuilder(const Scenario& scenario)
        : s_(scenario),
          circuit_(*scenario.circuit),
          line_(circuit_, kRoadHalfWidth),
          flying_(circuit_, CarPerformance{}),
          random_(scenario.seed) {}

    ReplayWriter build();

private:
    bool competes(int driver) const {
        const auto kind = s_.drivers[static_cast<std::size_t>(driver)].spec.kindCode;
        return kind == 150 || kind == 250;
    }
    double lapFactor(int driver) {
        const SynthDriver& entrant = s_.drivers[static_cast<std::size_t>(driver)];
        return entrant.pace * (1 + entrant.consistency * random_.normal());
    }
    LapRun lap(double start, const LapProfile& profile, double factor) const {
        const double duration = std::round(profile.lapTime() * 1000 * factor);
        return {start, duration, &profile, duration / (profile.lapTime() * 1000)};
    }

    void planSession(const SessionPlan& plan);
    void planRace(const SessionPlan& plan, std::map<int, CarTimeline>& cars);
    std::vector<LapList> lapTable(const SessionPlan& plan) const;
    CarState stateAt(const CarTimeline& car, double now) const;
    double flagTime(const FlagEvent& flag) const;
    double spanEnd(const TelemetrySpan& span) const;
    bool nearTheLine(const CarTimeline& car, double now) const;
    CarState cruising(const LapProfile& profile, double scale, double lapTime) const;
    void writeTelemetry(ReplayWriter& writer);
    TelemetrySample sample(const CarState& state, Gearbox& gearbox, bool owner) const;

    const Scenario& s_;
    const Circuit& circuit_;
    RacingLine line_;
    LapProfile flying_;
    std::vector<std::unique_ptr<LapProfile>> startProfiles_;
    Random random_;
    std::map<int, std::map<int, CarTimeline>> sessions_;  // session code -> driver -> timeline
};

void WeekendBuilder::planSession(const SessionPlan& plan) {
    std::map<int, CarTimeline>& cars = sessions_[plan.session];
    if (plan.standingStart) return planRace(plan, cars);
    int order = 0;
    for (int driver = 0; driver < static_cast<int>(s_.drivers.size()); ++driver) {
        if (!competes(driver)) continue;
        CarTimeline& car = cars[driver];
        double start = plan.firstStart + plan.startInterval * order++;
        for (int lapIndex = 0; lapIndex < plan.laps; ++lapIndex) {
            car.laps.push_back(lap(start, flying_, lapFactor(driver)));
            start = car.laps.back().end();
        }
        car.cruise = &flying_;
        car.cruiseScale = car.laps.back().scale;
    }
}

// A standing start in order of pace; the race is run until the leader has done its laps, and
// every car then finishes the lap it is on. Lapped cars finish with fewer laps.
void WeekendBuilder::planRace(const SessionPlan& plan, std::map<int, CarTimeline>& cars) {
    std::vector<int> grid;
    for (int driver = 0; driver < static_cast<int>(s_.drivers.size()); ++driver) {
        if (competes(driver)) grid.push_back(driver);
    }
    std::stable_sort(grid.begin(), grid.end(), [&](int driver, int other) {
        return s_.drivers[static_cast<std::size_t>(driver)].pace <
               s_.drivers[static_cast<std::size_t>(other)].pace;
    });
    double winnerTime = 1e18;
    for (std::size_t slot = 0; slot < grid.size(); ++slot) {
        const int driver = grid[slot];
        CarTimeline& car = cars[driver];
        car.onGrid = true;
        car.gridGap = 10 + 8.0 * static_cast<double>(slot);
        car.nonStarter = std::count(s_.nonStarters.begin(), s_.nonStarters.end(), driver) > 0;
        if (car.nonStarter) continue;
        const double toLine = std::sqrt(2 * car.gridGap / kGridAcceleration);
        const double factor = lapFactor(driver);
        startProfiles_.push_back(
            std::make_unique<LapProfile>(circuit_, CarPerformance{}, kGridAcceleration * toLine * factor));
        LapRun first = lap(std::round(toLine * 1000), *startProfiles_.back(), factor);
        car.laps.push_back(first);
        for (int lapIndex = 1; lapIndex <= plan.laps; ++lapIndex)
            car.laps.push_back(lap(car.laps.back().end(), flying_, lapFactor(driver)));
        winnerTime = std::min(winnerTime, car.laps[static_cast<std::size_t>(plan.laps) - 1].end());
        car.cruise = &flying_;
        car.cruiseScale = car.laps.back().scale;
    }
    for (auto& [driver, car] : cars) {
        auto finish = std::find_if(car.laps.begin(), car.laps.end(),
                                   [&](const LapRun& run) { return run.end() >= winnerTime; });
        if (finish != car.laps.end()) car.laps.erase(finish + 1, car.laps.end());
        for (const Retirement& retirement : s_.retirements) {
            if (retirement.driver != driver ||
                static_cast<std::size_t>(retirement.completedLaps) >= car.laps.size())
                continue;
            const LapRun& last = car.laps[static_cast<std::size_t>(retirement.completedLaps)];
            const double stop = last.start + 0.4 * last.duration;
            car.stopDistance = stateAt(car, stop).distance;
            car.stopTime = stop;
            car.laps.resize(static_cast<std::size_t>(retirement.completedLaps));
        }
    }
}

// The lap table of a session: each car's start of lap 1 and the end of each lap, with flags.
std::vector<LapList> WeekendBuilder::lapTable(const SessionPlan& plan) const {
    std::vector<LapList> lists;
    for (const auto& [driver, car] : sessions_.at(plan.session)) {
        if (car.nonStarter) continue;
        std::vector<std::uint32_t> laps;
        for (std::size_t lapIndex = 0; lapIndex < car.laps.size(); ++lapIndex) {
            std::uint32_t entry = static_cast<std::uint32_t>(car.laps[lapIndex].duration);
            for (const LapIncident& incident : s_.incidents) {
                if (incident.session == plan.session && incident.driver == driver &&
                    incident.lap == static_cast<int>(lapIndex) + 1)
                    entry |= incident.flags;
            }
            laps.push_back(entry);
        }
        const auto start = car.laps.empty() ? 0u : static_cast<std::uint32_t>(car.laps.front().start);
        lists.push_back(
            lapListFromDurations(s_.drivers[static_cast<std::size_t>(driver)].spec.id, start, laps));
    }
    return lists;
}

// The moment a flag is shown, from the leader's progress through the race.
double WeekendBuilder::flagTime(const FlagEvent& flag) const {
    if (flag.leaderLap == 0) return flag.offset;
    double leaderStart = 1e18, winner = 1e18;
    for (const auto& [driver, car] : sessions_.at(kRace)) {
        const auto lap = static_cast<std::size_t>(flag.leaderLap);
        if (flag.leaderLap > 0 && car.laps.size() >= lap)
            leaderStart = std::min(leaderStart, car.laps[lap - 1].start);
        if (!car.laps.empty() && !car.stopTime) winner = std::min(winner, car.laps.back().end());
    }
    return (flag.leaderLap > 0 ? leaderStart : winner) + flag.offset;
}

double WeekendBuilder::spanEnd(const TelemetrySpan& span) const {
    if (span.end == TelemetrySpan::AtTime) return span.to;
    double last = 0;
    for (const auto& [driver, car] : sessions_.at(span.session)) {
        if (span.end == TelemetrySpan::AfterOwnersLastLap && driver != s_.owner) continue;
        for (std::size_t lapIndex = 0; lapIndex < car.laps.size(); ++lapIndex) {
            const bool incomplete =
                std::any_of(s_.incidents.begin(), s_.incidents.end(), [&](const LapIncident& incident) {
                    return incident.session == span.session && incident.driver == driver &&
                           incident.lap == static_cast<int>(lapIndex) + 1 &&
                           (incident.flags & kIncompleteLap);
                });
            if (!incomplete || span.end == TelemetrySpan::AfterAllLaps)
                last = std::max(last, car.laps[lapIndex].end());
        }
    }
    return std::ceil((last + 31) / 1000) * 1000;
}

// Within a second of crossing the line: online gaps are kept away from there, so every lap stays
// measurable.
bool WeekendBuilder::nearTheLine(const CarTimeline& car, double now) const {
    return std::any_of(car.laps.begin(), car.laps.end(), [now](const LapRun& run) {
        return std::fabs(run.start - now) < 1000 || std::fabs(run.end() - now) < 1000;
    });
}

CarState WeekendBuilder::cruising(const LapProfile& profile, double scale, double lapTime) const {
    CarState state;
    state.distance = profile.distanceAt(lapTime);
    const double speed = profile.speedAt(state.distance);
    state.speed = speed / scale;
    state.acceleration =
        (profile.speedAt(state.distance + 1) - profile.speedAt(state.distance - 1)) / 2 * state.speed / scale;
    return state;
}

CarState WeekendBuilder::stateAt(const CarTimeline& car, double now) const {
    const double length = circuit_.length();
    CarState state;
    if (car.nonStarter) {
        state.distance = length - car.gridGap;
    } else if (car.stopTime && now >= *car.stopTime) {
        state.distance = car.stopDistance;
        state.lateral = -12;  // parked off the road
    } else if (car.laps.empty() || now >= car.laps.back().end()) {
        const double since = car.laps.empty() ? now : now - car.laps.back().end();
        const double lapTime = car.cruise->lapTime() * 1000;
        state = cruising(*car.cruise, car.cruiseScale, std::fmod(since / car.cruiseScale, lapTime) / 1000);
    } else if (now < car.laps.front().start) {
        const LapRun& first = car.laps.front();
        if (car.onGrid) {
            // Constant acceleration from the grid to the line.
            const double share = std::max(0.0, now) / first.start;
            state.distance = length - car.gridGap + car.gridGap * share * share;
            state.speed = 2 * car.gridGap * share / (first.start / 1000);
            state.acceleration = kGridAcceleration;
        } else {
            // The end of a lap driven before the first timed one.
            const double before = (first.start - now) / first.scale;
            const double lapTime = flying_.lapTime() * 1000;
            state = cruising(flying_, first.scale, (lapTime - std::fmod(before, lapTime)) / 1000);
        }
    } else {
        const auto it = std::upper_bound(car.laps.begin(), car.laps.end(), now,
                                         [](double time, const LapRun& run) { return time < run.end(); });
        state = cruising(*it->profile, it->scale, (now - it->start) / it->scale / 1000);
    }
    state.distance = std::fmod(state.distance + length, length);
    const bool parked = car.stopTime && now >= *car.stopTime;
    if (!parked && !car.nonStarter) state.lateral = line_.lateralAt(state.distance);
    state.curvature = circuit_.curvatureAt(state.distance);
    state.heading = circuit_.poseAt(state.distance).heading + std::atan(line_.slopeAt(state.distance));
    return state;
}

TelemetrySample WeekendBuilder::sample(const CarState& state, Gearbox& gearbox, bool owner) const {
    gearbox.step(state.speed, state.acceleration);
    TelemetrySample values;
    values.distance = static_cast<std::uint32_t>(std::llround(state.distance * 2000));
    values.lateral =
        owner ? static_cast<std::int32_t>(std::lround(std::atan(state.lateral / 13.0) / 2.911741e-6))
              : static_cast<std::int32_t>(std::lround(std::atan(state.lateral / 26.0) / 2.261833e-5));
    values.gear = static_cast<std::int16_t>(gearbox.gear());
    values.revs = static_cast<std::uint32_t>(
        std::min(1023L, std::lround(std::atan(gearbox.rpm() / 8262.364) / 0.001288481)));
    // Orientation follows the car's path, with a little slip that grows with the lateral load.
    const double lateralLoad = state.speed * state.speed * state.curvature;
    const double slip = std::clamp(lateralLoad * 0.08, -4.0, 4.0);
    double degrees = std::remainder(state.heading * 180 / std::numbers::pi + slip, 360.0);
    values.orientation =
        static_cast<std::int16_t>(std::clamp(std::lround(degrees * 4096 / 360), -2048L, 2047L));
    values.steering = static_cast<std::int16_t>(std::clamp(std::lround(state.curvature * 1500), -127L, 127L));
    values.roll = static_cast<std::int32_t>(std::clamp(std::lround(lateralLoad * 4), -511L, 511L));
    values.pitch = static_cast<std::int32_t>(std::clamp(std::lround(-state.acceleration * 4), -511L, 511L));
    values.aux1 = state.acceleration > 0 ? 4095u : 0u;  // throttle
    return values;
}

void WeekendBuilder::writeTelemetry(ReplayWriter& writer) {
    std::map<int, int> gapLeft;  // frames a car's record is still missing
    for (const TelemetrySpan& span : s_.telemetry) {
        const auto& cars = sessions_[span.session];
        const int code = s_.quickRace ? (span.session == kQualifying ? 0 : 1) : span.session;
        std::map<int, Gearbox> gearboxes;
        for (const auto& [driver, car] : cars)
            gearboxes.emplace(driver, Gearbox(driver % 2 == 0));
        const double end = spanEnd(span);
        double now = span.from;
        double previous = -1;
        for (int frame = 0; now <= end + 1e-6; ++frame) {
            std::vector<RecordSpec> records;
            if (frame % kSamplesPerSecond == 0) {
                records.push_back(
                    sessionMarkerRecord(code, static_cast<std::uint32_t>(std::llround(now / 10) * 10)));
            }
            if (auto it = cars.find(s_.owner); it != cars.end()) {
                records.push_back(
                    ownerStateRecord(sample(stateAt(it->second, now), gearboxes.at(s_.owner), true)));
            }
            records.push_back(plainRecord(5, 6));
            std::vector<std::pair<std::uint8_t, TelemetrySample>> others;
            for (const auto& [driver, car] : cars) {
                if (driver == s_.owner) continue;
                const TelemetrySample state = sample(stateAt(car, now), gearboxes.at(driver), false);
                int& gap = gapLeft[driver];
                if (gap == 0 && s_.missingRate > 0 && random_.uniform() < s_.missingRate)
                    gap = 1 + static_cast<int>(random_.below(6));
                if (gap > 0 && !nearTheLine(car, now)) {
                    --gap;
                    continue;
                }
                others.emplace_back(
                    static_cast<std::uint8_t>(s_.drivers[static_cast<std::size_t>(driver)].spec.id), state);
            }
            records.push_back(carStatesRecord(others));
            if (span.session == kRace) {
                for (const FlagEvent& flag : s_.flags) {
                    const double at = flagTime(flag);
                    if (at > previous && at <= now) records.push_back(flagRecord(flag.change, flag.code));
                }
            }
            if (frame % 10 == 0) records.push_back(plainRecord(8, 10));
            if (frame % 25 == 3) records.push_back(plainRecord(14, 9));
            writer.addFrame(records);
            previous = now;
            const bool accelerated = s_.accelerated && s_.accelerated->session == span.session &&
                                     now >= s_.accelerated->from && now < s_.accelerated->to;
            now += kFrameMs * (accelerated ? s_.accelerated->factor : 1);
        }
    }
}

ReplayWriter WeekendBuilder::build() {
    ReplayWriter writer;
    writer.setFormatVersion(s_.formatVersion);
    const SynthDriver& owner = s_.drivers[static_cast<std::size_t>(s_.owner)];
    writer.setOwner(static_cast<std::uint32_t>(s_.owner), owner.spec.firstName, owner.spec.lastName);
    writer.setSessionInProgress(s_.sessionInProgress);
    writer.setTrackName(s_.trackName.empty() ? circuit_.name() : s_.trackName);
    writer.setCarSet("VR4 GT");
    WeekendSettings weekend = s_.weekend;
    weekend.quickRace = s_.quickRace;
    writer.setWeekend(weekend);
    for (const SynthDriver& entrant : s_.drivers)
        writer.addDriver(entrant.spec);
    for (const SessionPlan& plan : s_.sessions)
        planSession(plan);
    for (const SessionPlan& plan : s_.sessions)
        writer.addLapTable(lapTable(plan));
    writeTelemetry(writer);
    return writer;
}

}  // namespace

ReplayWriter buildReplay(const Scenario& scenario) {
    return WeekendBuilder(scenario).build();
}

std::vector<SynthDriver> syntheticField(int count, std::uint32_t seed) {
    static constexpr const char* kFirst[] = {"Marco", "Lena",  "Tomas",  "Aiko", "Rafael", "Ingrid",
                                             "Owen",  "Chloe", "Dmitri", "Ana",  "Jonas",  "Priya",
                                             "Felix", "Sofia", "Kenji",  "Maya", "Lucas",  "Elin",
                                             "Hugo",  "Nadia", "Pavel",  "Zoe",  "Bruno",  "Iris"};
    static constexpr const char* kLast[] = {"Rossi",  "Berg",   "Novak",  "Tanaka", "Silva",   "Holm",
                                            "Price",  "Moreau", "Volkov", "Costa",  "Weber",   "Rao",
                                            "Kraus",  "Lopez",  "Mori",   "Quinn",  "Almeida", "Strand",
                                            "Dubois", "Haddad", "Lenk",   "Walsh",  "Ferro",   "Ortiz"};
    Random random(seed);
    std::vector<SynthDriver> field;
    for (int number = 0; number < count; ++number) {
        SynthDriver driver;
        const auto nameIndex = static_cast<std::size_t>(number) % std::size(kFirst);
        driver.spec = {kFirst[nameIndex],
                       kLast[(nameIndex * 7 + 3) % std::size(kLast)],
                       "",
                       number % 2 ? "Veltra GT-R" : "Veltra GT",
                       static_cast<std::uint32_t>(3 + number * 2),
                       number == 0 ? 150u : 250u,
                       static_cast<std::uint32_t>(10 + number)};
        driver.pace = 1.0 + 0.05 * number / std::max(1, count - 1) + 0.004 * random.uniform();
        driver.consistency = 0.002 + 0.004 * random.uniform();
        field.push_back(driver);
    }
    return field;
}
