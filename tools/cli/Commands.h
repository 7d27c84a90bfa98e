#pragma once

#include <filesystem>
#include <functional>

#include "CliApp.h"
#include "graphs/PlotModel.h"

// Draws a plot's curves over a range, with its rulers and grid, into a PNG file of width x height
// pixels; false when the file cannot be written. Given by a build that has a drawing library.
using PlotImageWriter = std::function<bool(const PlotModel& plot, const PlotRange& range, int width,
                                           int height, const std::filesystem::path& file)>;

// Each subcommand lives in its own file and registers itself here.
void registerFindCommand(CliApp& app);
void registerGearsCommand(CliApp& app);
void registerGraphCommand(CliApp& app, PlotImageWriter writeImage);
void registerInfoCommand(CliApp& app);
void registerLapCommand(CliApp& app);
void registerLapsCommand(CliApp& app);
void registerReportCommand(CliApp& app);
void registerSectorsCommand(CliApp& app);
void registerSettingsCommand(CliApp& app);
void registerTrackCommand(CliApp& app);
void registerTrackmapCommand(CliApp& app);

inline void registerAllCommands(CliApp& app, PlotImageWriter writePlotImage = {}) {
    registerFindCommand(app);
    registerGearsCommand(app);
    registerGraphCommand(app, std::move(writePlotImage));
    registerInfoCommand(app);
    registerLapCommand(app);
    registerLapsCommand(app);
    registerReportCommand(app);
    registerSectorsCommand(app);
    registerSettingsCommand(app);
    registerTrackCommand(app);
    registerTrackmapCommand(app);
}
