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
