#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Circuit.h"
#include "ReplayWriter.h"

// A race weekend to synthesise: the circuit, the drivers, the sessions with their lap tables, the
// stretches of session time the telemetry covers, and what happens (incidents, retirements,
// flags). buildReplay() drives every car through it and writes the replay.

struct SynthDriver {
    DriverSpec spec;             // names, car, number, kind code (150 human, 250 AI, other non-competing), id
    double pace = 1.0;           // lap-time factor: 1 is the fastest car
    double consistency = 0.003;  // spread of the lap-time factor from lap to lap
};

struct SessionPlan {
    int session = kPractice;           // the lap table's session code
    std::uint32_t firstStart = 20000;  // ms of session time at which the first car starts lap 1
    std::uint32_t startInterval = 6000;
    int laps = 3;                // per car; in the race, the leader's laps
    bool standingStart = false;  // the race: from the grid at time 0, in qualifying order
};

struct LapIncident {
    int session;
    int driver;
    int lap;              // 1-based
    std::uint32_t flags;  // kIncompleteLap, kOffTrackLap, kBlackFlagLap, other incident bits
};

struct Retirement {
    int driver;
    int completedLaps;  // the car stops during the lap after these
};

// A flag record in the race telemetry, at a time set from the race's course: `offset` ms after
// the start (leaderLap 0), after the leader starts lap n (leaderLap n), or after the winner
// crosses the finish line (leaderLap -1).
struct FlagEvent {
    int leaderLap;
    std::int32_t offset;
    std::uint8_t code;  // 1 chequered, 2 white, 4 green, 8 yellow
    std::uint8_t change = 1;
};

struct TelemetrySpan {
    // Where the span ends: at `to`; or at the first whole second at least 31 ms after the owner's
    // last complete lap (so that lap ends within the last frames), or after every car's last lap.
    enum End { AtTime, AfterOwnersLastLap, AfterAllLaps };

    int session;
    std::uint32_t from;  // ms of session time, a whole second
    End end = AfterAllLaps;
    std::uint32_t to = 0;
};

// A stretch of session time recorded under accelerated time: each frame covers `factor` times
// the usual time.
struct AcceleratedTime {
    int session;
    std::uint32_t from;
    std::uint32_t to;
    double factor;
};

struct Scenario {
    const Circuit* circuit = nullptr;
    std::string trackName;  // as the replay names it (by default the circuit's name)
    std::uint32_t seed = 1;
    std::uint8_t formatVersion = 3;
    bool quickRace = false;
    int sessionInProgress = kRace;
    WeekendSettings weekend;
    std::vector<SynthDriver> drivers;
    int owner = 0;
    std::vector<SessionPlan> sessions;  // one lap table each, in session order
    std::vector<TelemetrySpan> telemetry;
    std::vector<LapIncident> incidents;
    std::vector<Retirement> retirements;
    std::vector<int> nonStarters;
    std::vector<FlagEvent> flags;
    std::optional<AcceleratedTime> accelerated;
    double missingRate = 0;  // share of frames in which another car's record is missing (online races)
};

ReplayWriter buildReplay(const Scenario& scenario);

// A field of drivers: the first a human (the replay's owner), the rest AI cars, with ids below
// 256, car numbers, names and paces spread from the fastest to the slowest.
std::vector<SynthDriver> syntheticField(int count, std::uint32_t seed);
