// The race chart's layout over the race and qualifying tables of a replay given as the input (no
// laps, one lap, hundreds; fifty drivers; rows of filler words), and the 8-bit bitmap writer over
// the chart's size.
#include "FuzzTarget.h"
#include "map/TrackMapBitmap.h"
#include "racechart/RaceChartLayout.h"
#include "racechart/RaceChartPalette.h"
#include "replay/DriverTable.h"

VXRA_FUZZ_TARGET(racechart) {
    const auto path = writeScratch(scratchFolder() / "racechart.rpy", input);
    DriverTable drivers;
    if (!drivers.read(path)) return;
    const RaceChartLayout chart = layoutRaceChart(drivers);
    if (chart.start.size() != static_cast<std::size_t>(chart.drivers) ||
        chart.columns.size() != static_cast<std::size_t>(chart.laps))
        __builtin_trap();
    for (const RaceChartColumn& column : chart.columns) {
        for (const RaceChartLine& line : column.lines) {
            if (line.toRow < 0 || line.toRow >= static_cast<int>(column.rows.size())) __builtin_trap();
        }
    }
    // Pictures of real races are a few million pixels at most.
    const auto pixels = static_cast<std::size_t>(chart.width) * static_cast<std::size_t>(chart.height);
    if (pixels > (4u << 20)) return;
    std::vector<std::uint8_t> picture(pixels);
    for (std::size_t i = 0; i < pixels; ++i)
        picture[i] = static_cast<std::uint8_t>(i % racechart::palette().size());
    const std::string bitmap = encodeBitmap8(chart.width, chart.height, racechart::palette(), picture);
    const std::size_t rowBytes = (static_cast<std::size_t>(chart.width) + 3) / 4 * 4;
    if (bitmap.size() !=
        54 + 4 * racechart::palette().size() + rowBytes * static_cast<std::size_t>(chart.height))
        __builtin_trap();
}
