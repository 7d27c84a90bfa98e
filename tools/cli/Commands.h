#pragma once

#include "CliApp.h"

// Each subcommand lives in its own file and registers itself here.
void registerSettingsCommand(CliApp& app);

inline void registerAllCommands(CliApp& app) { registerSettingsCommand(app); }
