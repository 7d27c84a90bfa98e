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
    ReplayWriter writer;
    const ConstantPaceCar& owner = cars.front();
    writer.setOwner(0, owner.driver.firstName, owner.driver.lastName);
    writer.setSessionInProgress(sessionInProgress);
    writer.setTrackName("Testring");
    writer.setCarSet("GT");
    WeekendSettings weekend;
    weekend.quickRace = quickRace;
    weekend.raceLaps = 10;
    writer.setWeekend(weekend);

    std::vector<LapList> lists;
    for (const ConstantPaceCar& car : cars) {
        writer.addDriver(car.driver);
        std::vector<std::uint32_t> laps;
        for (int lap = 0; lap < car.laps; ++lap) {
            const std::uint32_t flags =
                static_cast<std::size_t>(lap) < car.lapFlags.size() ? car.lapFlags[lap] : 0;
            laps.push_back(car.lapMs | flags);
        }
        lists.push_back(lapListFromDurations(car.driver.id, car.startTime, laps));
    }
    for (int table = 1; table < tables; ++table)
        writer.addLapTable({});
    writer.addLapTable(lists);

    const int session = drivingSession();
    const int markerCode = quickRace ? (session == kQualifying ? 0 : 1) : session;
    const int frames = static_cast<int>((lastFrameTime - firstFrameTime) * 36 / 1000) + 1;
    for (int frame = 0; frame < frames; ++frame) {
        const double time = frameTime(frame);
        std::vector<RecordSpec> records;
        if (frame % 36 == 0)
            records.push_back(sessionMarkerRecord(markerCode, firstFrameTime + frame / 36 * 1000));
        TelemetrySample ownerSample;
        ownerSample.distance = distanceAt(owner, time);
        ownerSample.gear = 3;
        ownerSample.revs = 600;
        records.push_back(ownerStateRecord(ownerSample));
        records.push_back(plainRecord(5, 6));  // occupies 8 bytes: padding is stepped over
        std::vector<std::pair<std::uint8_t, TelemetrySample>> others;
        for (std::size_t car = 1; car < cars.size(); ++car) {
            const auto& missing = cars[car].missingFrames;
            if (std::find(missing.begin(), missing.end(), frame) != missing.end()) continue;
            TelemetrySample sample;
            sample.distance = distanceAt(cars[car], time);
            sample.gear = 4;
            sample.revs = 700;
            others.emplace_back(static_cast<std::uint8_t>(cars[car].driver.id), sample);
        }
        const bool withoutCarStates = std::find(framesWithoutCarStates.begin(), framesWithoutCarStates.end(),
                                                frame) != framesWithoutCarStates.end();
        if (cars.size() > 1 && !withoutCarStates) records.push_back(carStatesRecord(others));
        if (frame % 10 == 0) records.push_back(plainRecord(8, 10));
        writer.addFrame(records);
    }
    return writer;
}
