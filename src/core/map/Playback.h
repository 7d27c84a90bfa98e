#pragma once

#include <array>
#include <optional>
#include <string>

class LapTelemetry;

// Real-time playback of up to five loaded laps on the map: a sample position common to every lap,
// moved on by each timer tick (2 samples a tick of 55 ms is real time at 36 samples a second, 4 in
// fast forward), and what each ticked lap shows at that position.

// The 16-way sector of a heading of 4096 units a turn: the first of the centres 1024, 768, 512 ...
// (clockwise from 1024 in steps of 256) within 128 of it; nothing when none is (never, for a
// heading within one turn).
std::optional<int> orientationSector(int heading);

// The playback's elapsed time, "m:ss": 65 seconds show "1:05".
std::string elapsedText(unsigned position);

struct LapTickValues {
    bool active = false;                 // the lap is ticked and has a sample at the position
    int speed = 0;                       // km/h, or mph, truncated
    std::string gear;                    // "R", "N", "1" .. "6"
    int revs = 0;                        // the revs channel x 0.1, rounded: tens of rpm
    std::array<bool, 3> splitsPassed{};  // the 25/50/75 % split times below the elapsed time
    std::optional<int> sector;           // orientationSector of the sample's orientation
    bool restartLine = false;            // the first sample drawn: the lap's line starts afresh
    std::optional<int> sample;           // the sample to extend the line to: none for a sample no
                                         // record filled
};

struct PlaybackTick {
    std::string elapsed;
    int elapsedMs = 0;
    std::array<LapTickValues, 5> laps;
    // The active lap whose car has come furthest from the start line (distanceTravelled); the
    // lower slot among equals.
    std::optional<int> leader;
    double leaderTravelled = 0;  // m the leader has come (distanceTravelled); 0 without one
    bool ended = false;          // no lap had a sample: playback stopped and went back to the start
};

class Playback {
public:
    static constexpr int kLaps = 5;
    static constexpr int kTickMs = 55;

    enum class StartOutcome { NoTrack, NoLapChosen, BackToNormalSpeed, Resumed, Started };

    bool playing() const { return playing_; }
    bool paused() const { return paused_; }
    bool fastForward() const { return fastForward_; }
    // Playing or paused: the map shows the played lines rather than the whole ones.
    bool running() const { return playing_ || paused_; }
    unsigned position() const { return position_; }

    // Start/continue: Started is a fresh start from position 0 (every line afresh); Resumed goes on
    // from a pause or from fast forward at normal speed.
    StartOutcome start(bool trackLoaded, bool anyLapTicked);
    void pause();
    void startFastForward();
    // Back to the start, stopped, whatever the state.
    void stop();
    // Stops where it is: the whole lines show again.
    void moveToEnd();
    // The laps start again from their first sample; every line afresh.
    void moveToBeginning();

    // One timer tick over the document's lap slots (null: no lap) and their ticks; the speed unit
    // is read by the caller at each tick. The track length counts a car's distance on past the
    // finish line for the leader.
    PlaybackTick tick(const std::array<const LapTelemetry*, kLaps>& laps,
                      const std::array<bool, kLaps>& ticked, bool mph, double trackLength);

private:
    unsigned position_ = 0;
    bool linesRestart_ = false;  // the next tick starts every line afresh
    bool playing_ = false;
    bool fastForward_ = false;
    bool paused_ = false;
};
