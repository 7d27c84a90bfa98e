// Writes the seed inputs of every fuzz target into OUTDIR/<target>/: small replays and tracks made
// by the test-data writers, each under 64 KB.
//
// Usage: vxra-fuzz-seeds OUTDIR
#include <cstring>
#include <iostream>
#include <map>
#include <string_view>

#include "ConstantPaceReplay.h"
#include "OvalTrack.h"
#include "PkwareImplode.h"
#include "TrackWriter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Two cars of a practice session lapping a 1 km track every 2 s, for 8 s.
Bytes practice() {
    ConstantPaceReplay replay = ConstantPaceReplay::twoCars();
    replay.lastFrameTime = 8000;
    for (ConstantPaceCar& car : replay.cars) {
        car.lapMs = 2000;
        car.startTime = 1000;
        car.laps = 3;
    }
    replay.cars[1].missingFrames = {100, 101};
    return replay.writer().bytes();
}

// The race of a quick race weekend (qualifying and race tables), the second lap off the track.
Bytes quickRace() {
    ConstantPaceReplay replay = ConstantPaceReplay::twoCars();
    replay.quickRace = true;
    replay.sessionInProgress = kRace;
    replay.tables = 2;
    replay.lastFrameTime = 7000;
    for (ConstantPaceCar& car : replay.cars) {
        car.lapMs = 1800;
        car.laps = 3;
        car.lapFlags = {0, kOffTrackLap};
    }
    return replay.writer().bytes();
}

// A replay saved in the race by Ann Alpha (id 10), with the AI car of Bea Beta (id 11).
ReplayWriter twoDriverRace() {
    ReplayWriter w;
    w.setOwner(0, "Ann", "Alpha");
    w.setSessionInProgress(kRace);
    w.setTrackName("testring");
    w.addDriver({"Ann", "Alpha", "", "GT", 1, 150, 10});
    w.addDriver({"Bea", "Beta", "", "GT", 2, 250, 11});
    return w;
}

// A race of two drivers with a marker frame a second, filler records and flag records.
Bytes flaggedRace() {
    ReplayWriter w = twoDriverRace();
    w.addLapTable(
        {lapListFromDurations(10, 1000, {20000, 20000}), lapListFromDurations(11, 1500, {21000, 21000})});
    const std::map<int, std::pair<std::uint8_t, std::uint8_t>> flags = {
        {0, {1, 4}}, {10, {1, 8}}, {25, {1, 4}}, {40, {1, 1}}, {42, {1, 8}}, {43, {0, 2}}};
    for (int t = 0; t <= 45; ++t) {
        std::vector<RecordSpec> records = {sessionMarkerRecord(kRace, static_cast<std::uint32_t>(t) * 1000),
                                           plainRecord(8, 10), plainRecord(5, 6)};
        if (auto f = flags.find(t); f != flags.end())
            records.push_back(flagRecord(f->second.first, f->second.second));
        w.addFrame(records);
    }
    return w.bytes();
}

// A u32 length, then the two parts: the document targets' replay and track in one input.
Bytes joined(const Bytes& first, const Bytes& second) {
    Bytes input;
    for (int i = 0; i < 4; ++i)
        input.push_back(static_cast<std::uint8_t>(first.size() >> (8 * i)));
    input.insert(input.end(), first.begin(), first.end());
    input.insert(input.end(), second.begin(), second.end());
    return input;
}

// A u16 output size, then the packed bytes.
Bytes packed(const Bytes& data, bool ascii) {
    Bytes input = {static_cast<std::uint8_t>(data.size()), static_cast<std::uint8_t>(data.size() >> 8)};
    const Bytes member = pkwareImplode(data, ascii, 1024);
    input.insert(input.end(), member.begin(), member.end());
    return input;
}

// The value's bytes as they lie in memory, at the end of `bytes`.
template <typename T>
void appendRaw(Bytes& bytes, T value) {
    const std::size_t end = bytes.size();
    bytes.resize(end + sizeof value);
    std::memcpy(bytes.data() + end, &value, sizeof value);
}

// The plot target's input: a value map and a label count, a ruler, an axis, a window and a range,
// then a curve added, points inserted out of order (one x twice), a fit, a zoom, a pan and ticks.
Bytes plotSeed(std::int32_t a, std::int32_t b, double c, double d, std::int32_t labels) {
    Bytes bytes;
    const auto put = [&bytes](const auto value) { appendRaw(bytes, value); };
    put(a), put(b), put(c), put(d), put(labels), put(std::int32_t{7});
    put(std::int16_t{415}), put(std::int8_t{15}), put(std::int8_t{0});
    put(std::int8_t{3}), put(std::int8_t{1});
    put(std::uint16_t{800}), put(std::uint16_t{600}), put(0.0), put(10.0);
    put(std::uint8_t{4}), put(std::uint8_t{0}), put(std::uint32_t{0xFF0000});
    for (const double x : {5.0, 1.0, 3.0, 3.0, 9.0}) {
        put(std::uint8_t{4}), put(std::uint8_t{3}), put(x), put(x * x);
    }
    put(std::uint8_t{4}), put(std::uint8_t{4}), put(std::uint8_t{2});
    put(std::uint8_t{4}), put(std::uint8_t{5}), put(std::int16_t{200}), put(std::int16_t{300}),
        put(std::uint8_t{16});
    put(std::uint8_t{4}), put(std::uint8_t{6}), put(std::int16_t{10}), put(std::int16_t{10}),
        put(std::int16_t{60}), put(std::int16_t{-20});
    put(std::uint8_t{4}), put(std::uint8_t{7}), put(std::int16_t{12}), put(std::int16_t{9});
    return bytes;
}

// The graph target's input: two laps of 300 samples at a steady pace (the second a little slower,
// with a stretch no record filled) over a y range of 0..400, then channel and lap switches.
Bytes graphSeed(bool sameLap) {
    Bytes bytes;
    const auto put = [&bytes](const auto value) { appendRaw(bytes, value); };
    put(static_cast<std::uint8_t>(sameLap ? 1 : 0));
    for (int lap = 0; lap < (sameLap ? 1 : 2); ++lap) {
        put(std::uint16_t{300}), put(std::uint32_t{0});
        for (int k = 1; k <= 300; ++k) {
            put(static_cast<std::uint16_t>(lap == 0 ? 20000 : 19000));
            put(static_cast<std::uint8_t>(lap == 1 && k > 100 && k < 110 ? 0 : 1));
            if (lap == 1 && k > 100 && k < 110) continue;
            put(static_cast<std::int8_t>(k % 20 - 10)), put(static_cast<std::uint8_t>(120 + k % 50));
            put(static_cast<std::int8_t>(k / 50 + 1)), put(static_cast<std::uint16_t>(6000 + k));
            put(static_cast<std::int8_t>(k % 7 - 3));
        }
    }
    put(0.0), put(400.0), put(std::uint32_t{76236}), put(std::uint32_t{77010}), put(1234.5);
    for (const std::uint8_t step : {0x04, 0x01, 0x81, 0x82, 0x85, 0x03, 0x83, 0x08, 0x80, 0x01})
        put(step);
    return bytes;
}

// The compare target's input: two laps of 302 samples from line to line at 1 m and 0.95 m a sample
// (the second with a stretch no record filled), compared every metre.
Bytes compareSeed() {
    Bytes bytes;
    const auto put = [&bytes](const auto value) { appendRaw(bytes, value); };
    put(std::uint8_t{1}), put(std::uint8_t{4});
    for (int lap = 0; lap < 2; ++lap) {
        put(std::uint16_t{302});
        for (int k = 0; k < 302; ++k) {
            const bool filled = !(lap == 1 && k > 100 && k < 110);
            if (k == 0 || k == 1 || k == 301) {  // before the line, just past it, past the finish
                put(std::uint8_t{3}), put(static_cast<std::uint32_t>(k == 0 ? 599000 : 1000));
            } else {
                put(static_cast<std::uint8_t>(filled ? 1 : 0)),
                    put(static_cast<std::uint16_t>(lap == 0 ? 2000 : 1900));
            }
            if (filled) put(static_cast<std::uint8_t>(lap == 0 ? 86 : 82));
        }
        put(std::uint16_t{301}), put(std::int32_t{2100}), put(std::int32_t{4200}), put(std::int32_t{6300});
        put(static_cast<std::uint32_t>(lap == 0 ? 8400 : 8800));
    }
    put(std::uint8_t{128});
    return bytes;
}

// The playback target's input: two ticked laps of 300 and 200 samples (every 50th sample no record
// filled), then 400 ticks without a command.
Bytes playbackSeed() {
    Bytes bytes;
    const auto put = [&bytes](const auto value) { appendRaw(bytes, value); };
    put(std::uint8_t{0b00011011});
    for (const std::uint16_t samples : {300, 200}) {
        put(samples), put(150.5), put(std::int16_t{3}), put(std::uint32_t{7000}), put(std::int16_t{896});
        put(std::int32_t{1000}), put(std::int32_t{2000}), put(std::int32_t{3000}), put(std::uint8_t{50});
    }
    bytes.insert(bytes.end(), 400, std::uint8_t{6});
    return bytes;
}

// The gaincolours target's input: 400 points a metre apart whose delta grows faster and faster,
// and a lap of 300 samples 1.5 m apart (every 50th no record filled) over its finish line at 290.
Bytes gainColoursSeed() {
    Bytes bytes;
    const auto put = [&bytes](const auto value) { appendRaw(bytes, value); };
    put(0.0), put(std::uint16_t{400});
    for (int point = 0; point < 400; ++point)
        put(std::uint8_t{4}), put(point * point * 1e-5);
    put(std::uint16_t{300}), put(0.0), put(1.5), put(std::uint8_t{50}), put(std::uint16_t{290}), put(0.004);
    return bytes;
}

// The gears target's input: 400 samples shifting up through the gears with neutral runs between
// them and a stretch no record filled.
Bytes gearsSeed() {
    Bytes bytes;
    const auto put = [&bytes](const auto value) { appendRaw(bytes, value); };
    put(std::uint16_t{400});
    for (int k = 1; k <= 400; ++k) {
        const int gear = k % 60 < 4 ? 0 : 1 + k / 60;
        const bool unfilled = k > 200 && k < 210;
        put(static_cast<std::uint8_t>((gear + 1) | (unfilled ? 0x80 : 0)));
        if (unfilled) continue;
        put(static_cast<std::uint16_t>(6000 + 40 * (k % 60))),
            put(static_cast<std::int16_t>(4 * (80 + k / 3)));
        put(static_cast<std::uint32_t>(2000 * 4 * k));
    }
    return bytes;
}

// The race of a quick race weekend of fifty drivers: a qualifying table and about sixty laps,
// some drivers stopping early, some going on longer.
Bytes fiftyDriverRace() {
    ReplayWriter w;
    w.setOwner(0, "Driver", "0");
    w.setSessionInProgress(kRace);
    w.setTrackName("testring");
    WeekendSettings weekend;
    weekend.quickRace = true;
    w.setWeekend(weekend);
    std::vector<LapList> qualifying, race;
    for (std::uint32_t d = 0; d < 50; ++d) {
        w.addDriver({"Driver", std::to_string(d), "", "GT", d, 250, 100 + d});
        qualifying.push_back(lapListFromDurations(100 + d, 1000, {70000 + 37 * d}));
        race.push_back(lapListFromDurations(
            100 + d, 1000 + 100 * d, std::vector<std::uint32_t>(d % 7 == 3 ? 20 + d : 60, 60000 + 53 * d)));
    }
    w.addLapTable(qualifying);
    w.addLapTable(race);
    w.addFrame({sessionMarkerRecord(kRace, 1000)});
    return w.bytes();
}

// A one-lap race without a qualifying table, one car never crossing the line.
Bytes oneLapRace() {
    ReplayWriter w = twoDriverRace();
    w.addDriver({"Cy", "Gamma", "", "GT", 3, 250, 12});
    w.addLapTable({lapListFromDurations(10, 1000, {61000}), lapListFromDurations(11, 1500, {60000}),
                   lapListFromDurations(12, 2000, {})});
    w.addFrame({sessionMarkerRecord(kRace, 1000)});
    return w.bytes();
}

// The finder target's input: a filter and the place of each file, then the files, each a u16
// length and its bytes.
Bytes finderSeed(const std::vector<Bytes>& files) {
    Bytes bytes = {0, 0b010};  // every lap; the second file in the alternative folder
    for (const Bytes& file : files) {
        appendRaw(bytes, static_cast<std::uint16_t>(file.size()));
        bytes.insert(bytes.end(), file.begin(), file.end());
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: vxra-fuzz-seeds OUTDIR\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    const Bytes oval = trackStream(ovalTrack());
    const std::map<std::string, Bytes> replays = {
        {"practice", practice()}, {"quick-race", quickRace()}, {"flagged-race", flaggedRace()}};
    std::map<std::string, std::map<std::string, Bytes>> seeds;
    for (const char* target : {"replay", "lap", "reports", "flags"})
        seeds[target] = replays;
    seeds["track"] = {{"oval-ptf", oval}, {"oval-dat", trackArchive({{"oval.ptf", oval, true}})}};
    seeds["dcl"] = {{"oval-binary", packed(oval, false)}, {"oval-ascii", packed(oval, true)}};
    for (const char* target : {"document", "map"}) {
        seeds[target] = {{"practice-oval", joined(replays.at("practice"), oval)},
                         {"quick-race-oval", joined(replays.at("quick-race"), oval)}};
    }
    const auto text = [](std::string_view s) { return Bytes(s.begin(), s.end()); };
    seeds["lapspec"] = {{"race", text("race1.rpy:0:race:2")},
                        {"drive-letter", text("C:\\VR4\\replay\\weekend.rpy:12:qualifying:3")},
                        {"bad-numbers", text("a.rpy:-1:warmup:99999999999")},
                        {"session-word", text("practice")}};
    seeds["plot"] = {{"zero-to-hundred", plotSeed(0, 500, 0, 100, 5)},
                     {"downward", plotSeed(0, 100, 10, 0, 5)},
                     {"narrow", plotSeed(0, 500, 1000, 1001, 5)},
                     {"tiny", plotSeed(0, 100, 1e-300, 2e-300, 0)}};
    seeds["playback"] = {{"two-laps", playbackSeed()}};
    seeds["gears"] = {{"up-through-the-gears", gearsSeed()}};
    seeds["gaincolours"] = {{"growing-loss", gainColoursSeed()}};
    seeds["racechart"] = {{"quick-race", replays.at("quick-race")},
                          {"fifty-drivers", fiftyDriverRace()},
                          {"one-lap-no-qualifying", oneLapRace()}};
    seeds["finder"] = {{"three-replays", finderSeed({replays.at("practice"), replays.at("quick-race"),
                                                     replays.at("flagged-race")})}};
    seeds["graph"] = {{"two-laps", graphSeed(false)}, {"one-lap-twice", graphSeed(true)}};
    seeds["compare"] = {{"two-laps", compareSeed()}};
    for (const auto& [target, files] : seeds) {
        std::filesystem::create_directories(out / target);
        for (const auto& [name, bytes] : files) {
            if (bytes.size() > 64 * 1024 || !writeFile(out / target / name, bytes)) {
                std::cerr << "vxra-fuzz-seeds: cannot write " << target << "/" << name << " (" << bytes.size()
                          << " bytes)\n";
                return 1;
            }
        }
    }
    return 0;
}
