#pragma once

#include <cstdint>
#include <vector>

#include "ReplayWriter.h"

// A replay of one session in which every car runs laps of constant speed on a track of a given
// length: telemetry whose every sample is known, for tests and benchmarks.
struct ConstantPaceCar {
    DriverSpec driver;
    std::uint32_t startTime = 2000;  // session ms at which lap 1 starts
    std::uint32_t lapMs = 50000;
    int laps = 3;
    std::vector<std::uint32_t> lapFlags;  // flags (upper 8 bits) of lap 1, 2, ...
    std::vector<int> missingFrames;       // 0-based frames whose car-state record lacks this car
};

struct ConstantPaceReplay {
    int sessionInProgress = kPractice;
    int tables = 1;  // the cars drive in the last table's session
    bool quickRace = false;
    double trackMetres = 1000;
    std::uint32_t firstFrameTime = 0;  // multiples of 1000 ms
    std::uint32_t lastFrameTime = 160000;
    std::vector<ConstantPaceCar> cars;        // cars[0] is the replay owner
    std::vector<int> framesWithoutCarStates;  // 0-based frames with no car-state record at all

    // Two cars: the owner (id 10) and an AI car (id 20), both running 3 laps of 50 s from 2 s on.
    static ConstantPaceReplay twoCars();

    // The session of the last lap table, in which the cars drive.
    int drivingSession() const {
        return quickRace ? (sessionInProgress == 0 ? kQualifying : kRace) : sessionInProgress;
    }

    ReplayWriter writer() const;
    // Distance along the track (0.5 mm units) of a car at a session time.
    std::uint32_t distanceAt(const ConstantPaceCar& car, double timeMs) const;
    // The session time of 0-based frame f.
    double frameTime(int frame) const { return firstFrameTime + frame * 1000.0 / 36.0; }
};
