#include "DemoFolder.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "Circuit.h"
#include "Scenario.h"
#include "TrackWriter.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> textBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

void put(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    if (!writeFile(path, bytes)) throw std::runtime_error("cannot write " + path.string());
}

void putReplay(const fs::path& path, const ReplayWriter& writer) {
    fs::create_directories(path.parent_path());
    if (!writer.write(path)) throw std::runtime_error("cannot write " + path.string());
}

SynthDriver nonCompeting() {
    SynthDriver d;
    d.spec = {"Race", "Control", "", "Veltra Pace Car", 0, 0, 99};
    return d;
}

WeekendSettings weekendSettings(int raceLaps) {
    WeekendSettings w;
    w.raceLaps = raceLaps;
    w.qualifyingLaps = 4;
    w.practiceSeconds = 1800;
    w.warmupSeconds = 600;
    w.raceDistancePercent = 5;
    w.aiStrength = 96;
    w.temperatureF = 74;
    w.windSpeedMph = 6;
    w.windDirection = 5;
    w.cloudy = true;
    w.yellowFlags = true;
    w.doubleFileRestarts = true;
    w.damageLevel = 3;
    return w;
}

// A full weekend on Rivaldi saved during the race: all four lap tables, 20 cars and a
// non-competing one; the telemetry starts late in qualifying and runs through warmup and race.
Scenario fullWeekend(const Circuit& circuit, std::uint32_t seed) {
    Scenario s;
    s.circuit = &circuit;
    s.seed = seed;
    s.sessionInProgress = kRace;
    s.drivers = syntheticField(20, seed);
    s.drivers[18].pace = 1.55;  // backmarkers with damaged cars, lapped in the race
    s.drivers[19].pace = 1.62;
    s.drivers.push_back(nonCompeting());
    s.weekend = weekendSettings(3);
    s.weekend.aiCars = 19;
    s.sessions = {
        {kPractice, 30000, 8000, 4, false},
        {kQualifying, 20000, 2000, 3, false},
        {kWarmup, 5000, 1000, 1, false},
        {kRace, 0, 0, 3, true},
    };
    // Qualifying from just before the owner's second lap until the end of it.
    s.telemetry = {{kQualifying, 100000, TelemetrySpan::AfterOwnersLastLap}, {kWarmup, 0}, {kRace, 0}};
    s.incidents = {
        {kPractice, 3, 2, kOffTrackLap},     {kPractice, 0, 4, kIncompleteLap},
        {kQualifying, 0, 3, kIncompleteLap}, {kQualifying, 6, 2, kOffTrackLap | 0x01000000},
        {kRace, 5, 2, kBlackFlagLap},        {kRace, 7, 1, kOffTrackLap},
        {kRace, 2, 3, kOffTrackLap},         {kRace, 11, 2, kIncompleteLap},
    };
    s.retirements = {{9, 1}};
    s.nonStarters = {12};
    s.flags = {
        {0, 0, 4},                         // green at the start, after no yellow
        {2, 20000, 8},                     // a yellow in lap 2, shown twice
        {2, 26000, 8},     {2, 45000, 4},  // and the green that ends it
        {3, 0, 2},                         // the white flag as the leader starts the last lap
        {-1, 0, 1},                        // the chequered flag for the winner
        {-1, 12000, 8},                    // a yellow after the winner has crossed the line
        {-1, 13000, 8, 0},
    };
    return s;
}

Scenario quickRace(const Circuit& circuit, std::uint32_t seed) {
    Scenario s;
    s.circuit = &circuit;
    s.seed = seed + 1;
    s.quickRace = true;
    s.sessionInProgress = kRace;
    s.drivers = syntheticField(12, seed + 1);
    s.weekend = weekendSettings(3);
    s.weekend.qualifyingLaps = 3;
    s.weekend.aiCars = 11;
    s.sessions = {{kQualifying, 15000, 6000, 3, false}, {kRace, 0, 0, 3, true}};
    s.telemetry = {{kQualifying, 90000, TelemetrySpan::AfterOwnersLastLap}, {kRace, 0}};
    s.incidents = {{kQualifying, 0, 3, kIncompleteLap}};
    s.flags = {{0, 0, 4}, {3, 0, 2}, {-1, 0, 1}};
    return s;
}

// An online race on Hollowmere: chat nicknames, other cars' records with gaps, and a stretch
// recorded under accelerated time.
Scenario onlineRace(const Circuit& circuit, std::uint32_t seed) {
    Scenario s;
    s.circuit = &circuit;
    s.seed = seed + 2;
    s.sessionInProgress = kRace;
    s.drivers = syntheticField(10, seed + 2);
    static constexpr const char* kNicks[] = {"apex_hunter", "Lenny",  "t0mcat", "aiko_r",   "SlipStream",
                                             "gravelTrap",  "owen99", "chloeM", "dimaFast", "anaC"};
    for (std::size_t i = 0; i < s.drivers.size(); ++i) {
        s.drivers[i].spec.chatNick = kNicks[i];
        s.drivers[i].spec.kindCode = 150;
    }
    s.weekend = weekendSettings(4);
    s.weekend.aiCars = 0;
    s.sessions = {{kRace, 0, 0, 4, true}};
    s.telemetry = {{kRace, 0}};
    s.missingRate = 0.02;
    s.accelerated = AcceleratedTime{kRace, 165000, 205000, 2.0};  // within lap 3 of every car
    s.flags = {{0, 0, 4}, {4, 0, 2}, {-1, 0, 1}};
    return s;
}

// Saved during warmup on Hollowmere: three lap tables; the owner's last warmup lap ends within the
// last frames of the file.
Scenario warmupSaved(const Circuit& circuit, std::uint32_t seed) {
    Scenario s;
    s.circuit = &circuit;
    s.seed = seed + 3;
    s.sessionInProgress = kWarmup;
    s.drivers = syntheticField(10, seed + 3);
    s.weekend = weekendSettings(12);
    s.weekend.aiCars = 9;
    s.sessions = {{kPractice, 20000, 7000, 3, false},
                  {kQualifying, 15000, 6000, 3, false},
                  {kWarmup, 8000, 4000, 2, false}};
    s.telemetry = {{kWarmup, 0, TelemetrySpan::AfterOwnersLastLap}};
    s.incidents = {{kWarmup, 4, 1, kOffTrackLap}};
    return s;
}

// Two drivers in practice.
Scenario twoDriverPractice(const Circuit& circuit, std::uint32_t seed) {
    Scenario s;
    s.circuit = &circuit;
    s.seed = seed + 4;
    s.sessionInProgress = kPractice;
    s.drivers = syntheticField(2, seed + 4);
    s.weekend = weekendSettings(10);
    s.weekend.aiCars = 1;
    s.sessions = {{kPractice, 12000, 9000, 4, false}};
    s.telemetry = {{kPractice, 0}};
    return s;
}

// An endurance race of about 100 MB for benchmarks.
Scenario endurance(const Circuit& circuit, std::uint32_t seed) {
    Scenario s = fullWeekend(circuit, seed + 5);
    s.sessions = {{kRace, 0, 0, 100, true}};
    s.incidents.clear();
    s.retirements.clear();
    s.nonStarters.clear();
    s.telemetry = {{kRace, 0}};
    s.flags = {{0, 0, 4}, {-1, 0, 1}};
    s.weekend.raceLaps = 100;
    return s;
}

void setFileTimes(const fs::path& folder) {
    using namespace std::chrono;
    const sys_seconds base = sys_days{year{2026} / March / 14} + hours{15} + minutes{30};
    int i = 0;
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files)
        fs::last_write_time(file, file_clock::from_sys(base + minutes{7 * i++}));
}

}  // namespace

std::vector<fs::path> writeDemoFolder(const fs::path& folder, const DemoOptions& options) {
    const Circuit rivaldi = rivaldiCircuit();
    const Circuit hollowmere = hollowmereCircuit();

    put(folder / "VELTRA Racing 4.exe", textBytes("MZ synthetic stand-in for the simulator\n"));
    put(folder / "tracks/Rivaldi/Rivaldi.dat",
        trackArchive({{"rivaldi.cam", textBytes("camera 1\r\ncamera 2\r\n"), true},
                      {"rivaldi.ptf", trackStream(rivaldi.trackSpec()), true}}));
    put(folder / "tracks/Rivaldi/track.ini", textBytes(trackIni(rivaldi.length())));
    put(folder / "tracks/HollowMere/hollowmere.PTF", trackStream(hollowmere.trackSpec()));
    put(folder / "tracks/HollowMere/TRACK.INI", textBytes(trackIni(hollowmere.length())));

    const fs::path replays = folder / "replay";
    std::vector<fs::path> written;
    const auto add = [&](const std::string& name, const ReplayWriter& writer) {
        written.push_back(replays / name);
        putReplay(written.back(), writer);
    };
    add("Rivaldi weekend (saved in race).rpy", buildReplay(fullWeekend(rivaldi, options.seed)));
    add("Rivaldi quick race.rpy", buildReplay(quickRace(rivaldi, options.seed)));
    add("Hollowmere online race.rpy", buildReplay(onlineRace(hollowmere, options.seed)));
    add("Hollowmere weekend (saved in warmup).rpy", buildReplay(warmupSaved(hollowmere, options.seed)));
    add("Hollowmere practice, two drivers.rpy", buildReplay(twoDriverPractice(hollowmere, options.seed)));

    Scenario old = twoDriverPractice(hollowmere, options.seed);
    old.formatVersion = 2;
    add("Old version 2 replay.rpy", buildReplay(old));
    std::vector<std::uint8_t> reversed = buildReplay(twoDriverPractice(hollowmere, options.seed)).bytes();
    std::copy_n("RPLY", 4, reversed.begin());
    written.push_back(replays / "Damaged signature.rpy");
    put(written.back(), reversed);
    Scenario elsewhere = twoDriverPractice(hollowmere, options.seed);
    elsewhere.trackName = "phantomring";
    add("Phantom Ring practice (track not installed).rpy", buildReplay(elsewhere));
    if (options.large) {
        add("Rivaldi endurance race.rpy", buildReplay(endurance(rivaldi, options.seed)));
    }
    setFileTimes(folder);
    return written;
}
