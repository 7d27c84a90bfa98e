#include "reports/SectorTimesReport.h"

#include <gtest/gtest.h>

#include <cstring>

#include "DemoSimulatorTest.h"
#include "SilentDocumentUi.h"
#include "common/TimeText.h"
#include "document/ReplayDocument.h"
#include "reports/ReportRegistry.h"

namespace {

class SectorTimesTest : public DemoSimulatorTest {
protected:
    std::string sectorTimes() const {
        ReportInput input;
        input.loadedLaps = &doc_;
        return generateReport(ReportType::SectorTimes, input);
    }

    SilentDocumentUi ui_;
    ReplayDocument doc_{ui_, settings_};
};

constexpr const char* kHead =
    "SECTOR TIMES\r\n\r\nLap                   Sector 1  Sector 2  Sector 3  Sector 4   Laptime\r\n";

TEST_F(SectorTimesTest, OneLapsTheoreticalBestIsItsLapTime) {
    doc_.lapFinderLoad(sim_->path() / "replay/Rivaldi weekend (saved in race).rpy", {0, kRace, 2});
    ASSERT_EQ(doc_.lapCount(), 1);
    const auto& slot = doc_.slots()[0];
    const std::uint32_t lapTime = lapDuration(slot.drivers->lapEntry(kRace, 0, 2));
    const std::string text = sectorTimes();
    EXPECT_EQ(text.substr(0, std::strlen(kHead)), kHead);
    const std::string line =
        text.substr(std::strlen(kHead), text.find("\r\n", std::strlen(kHead)) - std::strlen(kHead));
    EXPECT_EQ(line.substr(0, 20), "M. Tanaka           ");
    EXPECT_EQ(line.size(), 70u);
    EXPECT_EQ(line.substr(60), " " + formatLapTime(lapTime));
    EXPECT_EQ(text.substr(std::strlen(kHead) + line.size() + 2),
              "\r\nTheoretically fastest laptime from the above laps combined: " + formatLapTime(lapTime) +
                  "\r\n\r\nGenerated with VELTRA4 Replay Analyser\r\n");
}

TEST_F(SectorTimesTest, TheoreticalBestTakesEachColumnsBest) {
    const auto weekend = sim_->path() / "replay/Rivaldi weekend (saved in race).rpy";
    doc_.lapFinderLoad(weekend, {0, kRace, 2});
    doc_.lapFinderLoad(weekend, {1, kRace, 3});
    ASSERT_EQ(doc_.lapCount(), 2);
    std::uint32_t best = 0;
    for (int s = 0; s < 4; ++s) {
        std::uint32_t column = 0xFFFFFFFF;
        for (int lap = 0; lap < 2; ++lap) {
            const auto& slot = doc_.slots()[static_cast<std::size_t>(lap)];
            const std::int64_t points[5] = {0, slot.lapData->splitTime1, slot.lapData->splitTime2,
                                            slot.lapData->splitTime3, lapDuration(slot.lapEntry())};
            column = std::min<std::uint32_t>(column, static_cast<std::uint32_t>(points[s + 1] - points[s]));
        }
        best += column;
    }
    EXPECT_NE(sectorTimes().find("combined: " + formatLapTime(best) + "\r\n"), std::string::npos);
}

TEST_F(SectorTimesTest, WithoutTheTrackSectorsAreUnknown) {
    doc_.lapFinderLoad(sim_->path() / "replay/Phantom Ring practice (track not installed).rpy",
                       {0, kPractice, 2});
    ASSERT_EQ(doc_.lapCount(), 1);
    const std::string text = sectorTimes();
    EXPECT_NE(text.find("   No time   No time   No time   No time "), std::string::npos) << text;
    EXPECT_NE(text.find("combined: No time\r\n"), std::string::npos) << text;
}

}  // namespace
