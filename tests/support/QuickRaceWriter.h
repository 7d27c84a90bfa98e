#pragma once

#include <string>

#include "ReplayWriter.h"

// A replay of the test track "testring" saved during the race of a quick race weekend, by the
// player "Ann <ownerLastName>"; the tests add the drivers, lap tables and frames.
inline ReplayWriter quickRaceWriter(const std::string& ownerLastName, WeekendSettings weekend = {}) {
    ReplayWriter w;
    w.setOwner(0, "Ann", ownerLastName);
    w.setSessionInProgress(kRace);
    w.setTrackName("testring");
    weekend.quickRace = true;
    w.setWeekend(weekend);
    return w;
}

// Five drivers of a quick race: a qualifying table where Cid takes the pole and Bob's and Dan's
// best laps are incomplete, and a race in which Ann wins, Bob ends under a black flag, Cid's
// second lap carries `cidSecondLapFlags` (a black flag among them), Dan never starts and Eve never
// crosses the line.
inline ReplayWriter fiveDriverQuickRace(std::uint32_t cidSecondLapFlags, WeekendSettings weekend = {}) {
    ReplayWriter w = quickRaceWriter("Owner", weekend);
    w.addDriver({"Ann", "Owner", "", "GT", 7, 150, 10});
    w.addDriver({"Bob", "Bot", "", "GT", 12, 250, 11});
    w.addDriver({"Cid", "Car", "", "GT", 3, 250, 12});
    w.addDriver({"Dan", "Dnf", "", "GT", 44, 250, 13});
    w.addDriver({"Eve", "Early", "", "GT", 5, 250, 14});
    w.addLapTable({lapListFromDurations(10, 1000, {81000, 80000}),
                   lapListFromDurations(11, 1000, {79000 | kIncompleteLap, 82000}),
                   lapListFromDurations(12, 1000, {72000}),
                   lapListFromDurations(13, 1000, {90000 | kIncompleteLap})});
    w.addLapTable({lapListFromDurations(10, 2000, {80000, 80000, 80000}),
                   lapListFromDurations(11, 2500, {81000, 81000, 81000 | kBlackFlagLap}),
                   lapListFromDurations(12, 1500, {72000 | kOffTrackLap, 90000 | cidSecondLapFlags}),
                   lapListFromDurations(14, 3000, {})});
    w.addFrame({sessionMarkerRecord(1, 1000)});
    return w;
}
