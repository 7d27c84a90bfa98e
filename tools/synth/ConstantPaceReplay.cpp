#include "ConstantPaceReplay.h"

#include <algorithm>
#include <cmath>

ConstantPaceReplay ConstantPaceReplay::twoCars() {
    ConstantPaceReplay fixture;
    ConstantPaceCar owner;
    owner.driver = {"Ann", "Owner", "", "Veltra GT", 7, 150, 10};
    ConstantPaceCar ai;
    ai.driver = {"Bob", "Bot", "", "Veltra GT", 12, 250, 20};
    ai.startTime = 2500;
    fixture.cars = {owner, ai};
    return fixture;
}

std::uint32_t ConstantPaceReplay::distanceAt(const ConstantPaceCar& car, double timeMs) const {
    const double metresPerMs = trackMetres / car.lapMs;
    double metres = std::fmod((timeMs - car.startTime) * metresPerMs, trackMetres);
    if (metres < 0) metres += trackMetres;
    return static_cast<std::uint32_t>(metres * 2000);
}

ReplayWriter ConstantPaceReplay::writer() const {
    ReplayWriter w;
    const ConstantPaceCar& owner = cars.front();
    w.setOwner(0, owner.driver.firstName, owner.driver.lastName);
    w.setSessionInProgress(sessionInProgress);
    w.setTrackName("Testring");
    w.setCarSet("GT");
    WeekendSettings weekend;
    weekend.quickRace = quickRace;
    weekend.raceLaps = 10;
    w.setWeekend(weekend);

    std::vector<LapList> lists;
    for (const ConstantPaceCar& car : cars) {
        w.addDriver(car.driver);
        std::vector<std::uint32_t> laps;
        for (int j = 0; j < car.laps; ++j) {
            const std::uint32_t flags =
                static_cast<std::size_t>(j) < car.lapFlags.size() ? car.lapFlags[j] : 0;
            laps.push_back(car.lapMs | flags);
        }
        lists.push_back(lapListFromDurations(car.driver.id, car.startTime, laps));
    }
    for (int t = 1; t < tables; ++t)
        w.addLapTable({});
    w.addLapTable(lists);

    const int session = drivingSession();
    const int markerCode = quickRace ? (session == kQualifying ? 0 : 1) : session;
    const int frames = static_cast<int>((lastFrameTime - firstFrameTime) * 36 / 1000) + 1;
    for (int f = 0; f < frames; ++f) {
        const double t = frameTime(f);
        std::vector<RecordSpec> records;
        if (f % 36 == 0) records.push_back(sessionMarkerRecord(markerCode, firstFrameTime + f / 36 * 1000));
        TelemetrySample ownerSample;
        ownerSample.distance = distanceAt(owner, t);
        ownerSample.gear = 3;
        ownerSample.revs = 600;
        records.push_back(ownerStateRecord(ownerSample));
        records.push_back(plainRecord(5, 6));  // occupies 8 bytes: padding is stepped over
        std::vector<std::pair<std::uint8_t, TelemetrySample>> others;
        for (std::size_t c = 1; c < cars.size(); ++c) {
            const auto& missing = cars[c].missingFrames;
            if (std::find(missing.begin(), missing.end(), f) != missing.end()) continue;
            TelemetrySample sample;
            sample.distance = distanceAt(cars[c], t);
            sample.gear = 4;
            sample.revs = 700;
            others.emplace_back(static_cast<std::uint8_t>(cars[c].driver.id), sample);
        }
        const bool withoutCarStates = std::find(framesWithoutCarStates.begin(), framesWithoutCarStates.end(),
                                                f) != framesWithoutCarStates.end();
        if (cars.size() > 1 && !withoutCarStates) records.push_back(carStatesRecord(others));
        if (f % 10 == 0) records.push_back(plainRecord(8, 10));
        w.addFrame(records);
    }
    return w;
}
