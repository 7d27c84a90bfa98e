#pragma once

#include <string>

#include "reports/ReportText.h"

class ReplayDocument;

// The sector times of the document's loaded laps: each official lap time cut into four sectors at
// its split points, and the theoretical best lap from the best sector of each column. Made piece
// by piece like the flag report.
bool sectorTimesReport(const ReplayDocument& document, const ReportSink& sink);
