// A replay's head and driver table, read as a load reads them, and the lap dialog's catalogue of it.
#include "FuzzTarget.h"
#include "document/LoadPipeline.h"
#include "replay/LapCatalogue.h"

VXRA_FUZZ_TARGET(replay) {
    const auto path = writeScratch(scratchFolder() / "replay.rpy", input);
    ReplayHeader header;
    const bool headerRead = header.read(path).ok();
    DriverTable drivers;
    if (!drivers.read(path)) return;
    buildLapTree(drivers, false);
    buildLapTree(drivers, true);
    if (headerRead) describeReplay(header, drivers);
}
