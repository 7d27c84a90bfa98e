#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "ReplayWriter.h"
#include "TempDir.h"
#include "TestSystem.h"
#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"

// Reports of a replay written by the test, dated Thu Mar 5 09:04:05 2026 UTC so the reports' header
// lines are the same everywhere.
class ReportTestBase : public testing::Test {
public:
    // The first line of every report of a replay of track "testring" loaded here.
    static inline const std::string kHeaderLine = "Track: Testring             Thu Mar  5 09:04:05 2026";

protected:
    static void SetUpTestSuite() { useLocalTimeZone("UTC0"); }  // dates the same on every machine

    void load(const ReplayWriter& writer, const std::string& name = "race.rpy") {
        path_ = dir_ / name;
        ASSERT_TRUE(writer.write(path_));
        using namespace std::chrono;
        std::filesystem::last_write_time(path_, file_clock::from_sys(sys_days{year{2026} / March / 5} +
                                                                     hours{9} + minutes{4} + seconds{5}));
        ASSERT_TRUE(header_.read(path_));
        ASSERT_TRUE(drivers_.read(path_));
    }

    TempDir dir_;
    std::filesystem::path path_;
    ReplayHeader header_;
    DriverTable drivers_;
};
