// Every text report of the registry made from a replay (sector times come from loaded laps: see
// the document target).
#include "FuzzTarget.h"
#include "document/LoadPipeline.h"
#include "reports/ReportRegistry.h"

VXRA_FUZZ_TARGET(reports) {
    const auto path = writeScratch(scratchFolder() / "reports.rpy", input);
    const auto replay = readReplay(path);
    if (!replay) return;
    for (const ReportKind& kind : reportKinds()) {
        if (kind.type == ReportType::SectorTimes) continue;
        const bool mph = !input.empty() && (input.back() & 1);
        generateReport(kind, {replay->header.get(), replay->drivers.get(), 5000, mph, true});
    }
}
