#pragma once

#include <functional>
#include <string>

#include "CliApp.h"
#include "compare/LapComparison.h"
#include "graphs/PlotModel.h"
#include "racechart/RaceChartLayout.h"

// Draws a plot's curves over a range, with its rulers and grid, as a PNG picture of width x height
// pixels: the file's bytes, empty when it cannot be made. Given by a build that has a drawing
// library.
using PlotImageEncoder =
    std::function<std::string(const PlotModel& plot, const PlotRange& range, int width, int height)>;

// Draws a race chart: each pixel's palette index, rows from the top. Given by a build that has a
// drawing library.
using RaceChartDrawer = std::function<std::vector<std::uint8_t>(const RaceChartLayout& chart)>;

// Draws a lap comparison's plots as the desktop program's comparison dock shows them, each lap in
// its colour (0xRRGGBB, in the comparison's order), speeds in mph or km/h, as a PNG picture of
// width x height pixels: the file's bytes, empty when it cannot be made. Given by a build that has
// a drawing library.
using ComparisonImageEncoder =
    std::function<std::string(const LapComparison& comparison, const std::vector<std::uint32_t>& colours,
                              bool mph, int width, int height)>;

// What a command asked for a picture says in a build that has no drawing library.
inline constexpr const char* kNoPicturesInThisBuild = "-o is not available in this build";

// What the commands that make pictures draw them with.
struct PictureMakers {
    PlotImageEncoder plot;
    RaceChartDrawer raceChart;
    ComparisonImageEncoder comparison = {};
};

// Each subcommand lives in its own file and registers itself here.
void registerCompareCommand(CliApp& app, ComparisonImageEncoder encodeImage);
void registerFindCommand(CliApp& app);
void registerGearsCommand(CliApp& app);
void registerGraphCommand(CliApp& app, PlotImageEncoder encodeImage);
void registerInfoCommand(CliApp& app);
void registerLapCommand(CliApp& app);
void registerLapsCommand(CliApp& app);
void registerRaceChartCommand(CliApp& app, RaceChartDrawer draw);
void registerReportCommand(CliApp& app);
void registerSectorsCommand(CliApp& app);
void registerSettingsCommand(CliApp& app);
void registerTrackCommand(CliApp& app);
void registerTrackmapCommand(CliApp& app);

inline void registerAllCommands(CliApp& app, const PictureMakers& pictures = {}) {
    registerCompareCommand(app, pictures.comparison);
    registerFindCommand(app);
    registerGearsCommand(app);
    registerGraphCommand(app, pictures.plot);
    registerInfoCommand(app);
    registerLapCommand(app);
    registerLapsCommand(app);
    registerRaceChartCommand(app, pictures.raceChart);
    registerReportCommand(app);
    registerSectorsCommand(app);
    registerSettingsCommand(app);
    registerTrackCommand(app);
    registerTrackmapCommand(app);
}
