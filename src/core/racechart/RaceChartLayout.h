#pragma once

#include <optional>
#include <string>
#include <vector>

class DriverTable;

// The graphical race report's chart, laid out: one row per place, one column per lap, and for
// each driver a line from his row at one lap to his row at the next, with the cells of cars a lap
// or more down shaded. Positions are the image's pixels (x right, y down).

namespace racechart {
inline constexpr int kRowHeight = 18;
inline constexpr int kColumnWidth = 24;
inline constexpr int kTopMargin = 20;
inline constexpr int kLabelRight = 185;  // row labels end here; the start column begins at 189
}  // namespace racechart

// A driver's line between two lap columns: [driver, row at the previous column, row now].
struct RaceChartLine {
    int driver;
    int fromRow;
    int toRow;
    bool operator==(const RaceChartLine&) const = default;
};

struct RaceChartColumn {
    int lap;                        // 1 .. the chart's laps
    std::vector<int> rows;          // the driver on each row from the top; fewer after retirements
    int carsOnLeadLap = 0;          // the cars still on the leader's lap, the leader included
    std::optional<int> shadedFrom;  // carsOnLeadLap, when the rows from it to the last are shaded
    std::vector<RaceChartLine> lines;
};

struct RaceChartLayout {
    int width = 0;
    int height = 0;
    int laps = 0;  // the most race laps of any driver
    int drivers = 0;
    // Without a qualifying table the start order is by the first lap and its cells show "?".
    bool startQuestionMarks = false;
    std::vector<int> start;              // the driver on each row at the start
    std::vector<std::string> rowLabels;  // "Emil Wexford   1" (Windows-1252), by row
    std::vector<RaceChartColumn> columns;
};

// The chart of a driver table's race (a table without a race gives a chart of no laps). Equal
// times are ordered by driver index, so the chart is the same on every run.
RaceChartLayout layoutRaceChart(const DriverTable& drivers);
