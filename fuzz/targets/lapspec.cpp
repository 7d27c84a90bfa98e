// Laps named on the command line as FILE:DRIVER:SESSION:LAP.
#include "FuzzTarget.h"
#include "replay/LapChoice.h"

VXRA_FUZZ_TARGET(lapspec) {
    const std::string text(input.begin(), input.end());
    if (const auto spec = parseLapSpec(text)) static_cast<void>(sessionKey(spec->lap.session));
    static_cast<void>(sessionFromKey(text));
}
