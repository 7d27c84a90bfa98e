#include <iostream>

#include "CliArgs.h"
#include "Commands.h"
#include "DocumentLoading.h"
#include "ReportOutput.h"
#include "reports/SectorTimesReport.h"

namespace {

int sectors(const std::vector<std::string>& args, CliContext& context) {
    const auto parsed = parseCliArgs(args, {}, {}, context.err);
    if (!parsed) return kExitUsage;
    CommandLineDocument loaded(context.err);
    if (!loaded.load(parsed->positional, "sectors")) return kExitUsage;
    if (loaded.document().lapCount() == 0) {
        context.err << "No replay lap loaded!\n";
        return kExitFailure;
    }
    printReport(context.out, sectorTimesReportText(loaded.document()));
    return kExitOk;
}

}  // namespace

void registerSectorsCommand(CliApp& app) {
    app.add({"sectors", "FILE:DRIVER:SESSION:LAP ...",
             "load up to five laps as the desktop program does (SESSION: practice, qualifying, warmup or "
             "race) and "
             "print their sector times with the theoretical best lap",
             sectors});
}
