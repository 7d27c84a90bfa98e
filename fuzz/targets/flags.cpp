// The flag report's scan of a replay's telemetry, stopped by its sink after a number of pieces the
// input's last byte gives (0: never).
#include "FuzzTarget.h"
#include "replay/DriverTable.h"
#include "reports/FlagReport.h"

VXRA_FUZZ_TARGET(flags) {
    const auto path = writeScratch(scratchFolder() / "flags.rpy", input);
    DriverTable drivers;
    if (!drivers.read(path)) return;
    const int stopAfter = input.empty() ? 0 : input.back();
    int pieces = 0;
    flagReport(drivers, [&](const std::string&) { return stopAfter == 0 || ++pieces < stopAfter; });
}
