// The document's whole load sequence over a replay and a track, then what the user does with the
// loaded laps: sector times, reordering, clearing.
#include "FuzzDocument.h"
#include "FuzzTarget.h"
#include "reports/ReportRegistry.h"

VXRA_FUZZ_TARGET(document) {
    FuzzDocument fuzz(input);
    ReplayDocument& document = fuzz.document();
    ReportInput sectors;
    sectors.loadedLaps = &document;
    generateReport(ReportType::SectorTimes, sectors);
    document.applyLapOrder({2, 0});
    document.clearAll();
}
