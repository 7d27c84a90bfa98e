#pragma once

#include "CliApp.h"

// Each subcommand lives in its own file and registers itself here.
void registerInfoCommand(CliApp& app);
void registerLapCommand(CliApp& app);
void registerLapsCommand(CliApp& app);
void registerReportCommand(CliApp& app);
void registerSectorsCommand(CliApp& app);
void registerSettingsCommand(CliApp& app);
void registerTrackCommand(CliApp& app);
void registerTrackmapCommand(CliApp& app);

inline void registerAllCommands(CliApp& app) {
    registerInfoCommand(app);
    registerLapCommand(app);
    registerLapsCommand(app);
    registerReportCommand(app);
    registerSectorsCommand(app);
    registerSettingsCommand(app);
    registerTrackCommand(app);
    registerTrackmapCommand(app);
}
