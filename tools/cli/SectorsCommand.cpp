#include "CliArgs.h"
#include "Commands.h"
#include "DocumentLoading.h"
#include "ReportOutput.h"
#include "reports/ReportRegistry.h"

namespace {

int sectors(const CliArgs& args, CliContext& context) {
    CommandLineDocument loaded(context.err, context.settings);
    if (const int status = loaded.load(args.operands, "sectors"); status != kExitOk) return status;
    ReportInput input;
    input.loadedLaps = &loaded.document();
    printReport(context.out, generateReport(ReportType::SectorTimes, input));
    return kExitOk;
}

}  // namespace

void registerSectorsCommand(CliApp& app) {
    app.add({"sectors",
             "FILE:DRIVER:SESSION:LAP ...",
             "load up to five laps as the desktop program does (SESSION: practice, qualifying, warmup or "
             "race) and print their sector times with the theoretical best lap",
             {},
             sectors});
}
