#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reports/ReportText.h"

// The practice, qualifying and warmup reports (session kPractice, kQualifying or kWarmup): every driver's
// best complete lap of the session, ranked, with differences and speeds.
std::string sessionReport(int session, const ReportInput& input);

// A session's ranking: driver indexes by best complete lap, ascending; drivers without one last.
// Ties keep the driver order.
struct RankedDriver {
    int driver;
    std::uint32_t best;  // ms; 0xFFFFFF for no time
};
inline constexpr std::uint32_t kNoTime = 0xFFFFFF;
std::vector<RankedDriver> sessionRanking(const DriverTable& drivers, int session);
