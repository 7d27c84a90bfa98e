// Laps of a replay read, reported on, processed and checked, several laps of every session.
#include "FuzzTarget.h"
#include "replay/DriverTable.h"
#include "replay/LapCatalogue.h"
#include "replay/LapTelemetry.h"
#include "replay/LapTimeCheck.h"

VXRA_FUZZ_TARGET(lap) {
    const auto path = writeScratch(scratchFolder() / "lap.rpy", input);
    DriverTable drivers;
    if (!drivers.read(path)) return;
    int reads = 0;
    for (int session = 0; session < kSessionCount; ++session) {
        for (int driver = 0; driver < drivers.driverCount && reads < 6; ++driver) {
            for (int slot = 1; slot <= drivers.lapCount(session, driver) && reads < 6; ++slot) {
                if (!drivers.selectable(session, driver, slot)) continue;
                ++reads;
                LapTelemetry lap;
                const auto read = lap.read(drivers, driver, slot, session);
                const std::uint32_t entry = drivers.lapEntry(session, driver, slot);
                qualityReport(lap, entry, QualityReportForm::LoadSequence);
                if (!read || !lap.process(1)) continue;
                lapTimeCheckMessage(lap, lapDuration(entry), 3000);
            }
        }
    }
    // A lap the table does not have, and one past the count.
    LapTelemetry lap;
    static_cast<void>(lap.read(drivers, -1, 1, 0));
    static_cast<void>(lap.read(drivers, 0, kLapSlots, kRace));
}
