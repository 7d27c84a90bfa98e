#pragma once

#include <ostream>
#include <string>
#include <vector>

struct LapComparison;

// Writes a comparison as CSV, UTF-8, a row as each is made: a header naming each lap by its
// caption, then a row per point of the reference: the distance (m), then each lap's time (s),
// delta (s) and speed (km/h) there, empty where the lap does not reach. `captions` are
// Windows-1252, one per lap of the comparison, the reference first. Lines end in "\n", which a
// text-mode stream or writeWholeFile without std::ios::binary turns into the platform's line ends,
// as for every exported text file.
void writeComparisonCsv(std::ostream& out, const LapComparison& comparison,
                        const std::vector<std::string>& captions);
