#include "map/Playback.h"

#include <gtest/gtest.h>

#include <tuple>

#include "replay/LapTelemetry.h"

namespace {

// A processed lap of `samples` samples at 200.9 km/h in fourth gear, a metre a sample, facing
// heading 896, with split times at 10, 20 and 30 s (0: none).
LapTelemetry steadyLap(int samples, int splitMs = 10000) {
    LapTelemetry lap = LapTelemetry::blank(samples);
    const auto n = static_cast<std::size_t>(samples);
    lap.speed.assign(n, 200.9);
    lap.gear.assign(n, 4);
    lap.revs.assign(n, 8123);
    lap.orientation.assign(n, 896);
    for (std::size_t k = 0; k < n; ++k)
        lap.distanceM[k] = static_cast<double>(k + 1);
    lap.splitTime1 = splitMs;
    lap.splitTime2 = 2 * splitMs;
    lap.splitTime3 = 3 * splitMs;
    return lap;
}

class PlaybackTest : public testing::Test {
protected:
    PlaybackTick tick(bool mph = false) { return playback_.tick(laps_, ticked_, mph, kTrackLength); }

    static constexpr double kTrackLength = 3000;

    LapTelemetry longLap_ = steadyLap(3000);
    LapTelemetry shortLap_ = steadyLap(9, 0);
    std::array<const LapTelemetry*, Playback::kLaps> laps_{&longLap_, &shortLap_, nullptr, nullptr, nullptr};
    std::array<bool, Playback::kLaps> ticked_{true, true, false, false, false};
    Playback playback_;
};

TEST(PlaybackTexts, SectorsAndElapsedTime) {
    // 896: within 128 of 1024 and of 768, the first wins.
    for (const auto& [heading, sector] : {std::pair<int, std::optional<int>>{896, 0},
                                          {1024, 0},
                                          {0, 4},
                                          {-2048, 12},
                                          {2048, 12},
                                          {1300, 15},
                                          {5000, std::nullopt}})
        EXPECT_EQ(orientationSector(heading), sector) << "heading " << heading;
    for (const auto& [samples, text] : {std::pair{65u * 36, "1:05"}, {0, "0:00"}, {36 * 600 + 35, "10:00"}})
        EXPECT_EQ(elapsedText(samples), text);
}

TEST_F(PlaybackTest, StartNeedsATrackAndAChosenLap) {
    EXPECT_EQ(playback_.start(false, true), Playback::StartOutcome::NoTrack);
    EXPECT_EQ(playback_.start(true, false), Playback::StartOutcome::NoLapChosen);
    EXPECT_FALSE(playback_.playing());
    EXPECT_EQ(playback_.start(true, true), Playback::StartOutcome::Started);
    EXPECT_TRUE(playback_.playing());
    playback_.startFastForward();
    EXPECT_EQ(playback_.start(true, false), Playback::StartOutcome::BackToNormalSpeed);
    EXPECT_FALSE(playback_.fastForward());
}

TEST_F(PlaybackTest, TheFirstTickDrawsSampleTwoAndTellsTheValues) {
    playback_.start(true, true);
    const PlaybackTick first = tick();
    EXPECT_EQ(playback_.position(), 2u);
    const LapTickValues& lap = first.laps[0];
    // Revs in tens of rpm; the elapsed time from the first sample, at position 0.
    EXPECT_EQ(std::tie(lap.active, lap.sample, lap.restartLine, lap.speed, lap.gear, lap.revs, lap.sector),
              std::tuple(true, 2, true, 200, "4", 812, 0));
    EXPECT_EQ(std::tie(first.elapsed, first.elapsedMs), std::tuple("0:00", 55));
    EXPECT_FALSE(first.laps[2].active);
    EXPECT_FALSE(tick().laps[0].restartLine);
    EXPECT_EQ(tick(true).laps[0].speed, 124);  // 200.9 km/h: 200 x 0.621
}

TEST_F(PlaybackTest, GearsAndSplitIndicators) {
    for (const auto& [gear, text] : {std::pair{-1, "R"}, {0, "N"}, {1, "1"}, {6, "6"}}) {
        longLap_.gear.assign(longLap_.gear.size(), static_cast<std::int16_t>(gear));
        Playback fresh;
        fresh.start(true, true);
        EXPECT_EQ(fresh.tick(laps_, ticked_, false, kTrackLength).laps[0].gear, text);
    }
    const LapTelemetry noTrackLength = steadyLap(3000, 0);  // split times of 0: no track length
    laps_[2] = &noTrackLength;
    ticked_[2] = true;
    playback_.start(true, true);
    PlaybackTick now;
    while (playback_.position() < 722)
        now = tick();
    // Position 722: 722000 / 36 = 20055 ms, past the 10 s and 20 s splits only.
    EXPECT_EQ(now.elapsedMs, 20055);
    EXPECT_EQ(now.laps[0].splitsPassed, (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(now.laps[2].splitsPassed,
              (std::array<bool, 3>{false, false, false}));  // a split of 0 never shows
}

// A lap plays while it has a sample at the position, and each tick shows the lap's own sample
// there: 8 samples end at sample 6 (the even positions step over sample 7), 9 at their last, 8.
TEST_F(PlaybackTest, AShortLapShowsItsSampleAtEachPositionAndStopsAtItsLastBelowTheCount) {
    for (const auto& [samples, lastPlayed] : {std::pair{8, 6}, {9, 8}}) {
        SCOPED_TRACE(testing::Message() << samples << " samples");
        shortLap_ = steadyLap(samples, 0);
        for (std::size_t k = 0; k < shortLap_.speed.size(); ++k)
            shortLap_.speed[k] = 100.0 + static_cast<double>(k);
        Playback playback;
        playback.start(true, true);
        std::optional<int> last;
        for (PlaybackTick now = playback.tick(laps_, ticked_, false, kTrackLength); now.laps[1].active;
             now = playback.tick(laps_, ticked_, false, kTrackLength)) {
            EXPECT_EQ(now.laps[1].speed, 100 + static_cast<int>(playback.position()));
            last = now.laps[1].sample;
        }
        EXPECT_EQ(last, lastPlayed);
        EXPECT_TRUE(playback.playing()) << "the long lap plays on";
    }
}

TEST_F(PlaybackTest, PlaybackEndsWhenEveryTickedLapHasRunOut) {
    playback_.start(true, true);
    ticked_[0] = false;
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(tick().ended);  // samples 2, 4, 6, 8 of 0 .. 8
    const PlaybackTick last = tick();
    EXPECT_EQ(std::tuple(last.ended, playback_.running(), playback_.position()), std::tuple(true, false, 0u));
}

// The leader by distance travelled: a faster lap past the finish line or in a gap still leads.
TEST_F(PlaybackTest, TheLeaderIsTheCarThatHasComeFurthest) {
    // 100 m a sample, over the line of the 3000 m track at sample 31, then 1 m a sample: its
    // distance past the line stays below the slow laps' own.
    LapTelemetry fast = steadyLap(40);
    for (std::size_t k = 1; k < fast.distanceM.size(); ++k)
        fast.distanceM[k] = k < 31 ? static_cast<double>(k) * 100 : static_cast<double>(k - 31) + 0.5;
    fast.distanceM[12] = 0;  // a sample no record filled
    fast.finishLineSample = 31;
    laps_[2] = &fast;
    ticked_[2] = true;
    struct Case {
        unsigned position;
        std::optional<int> leader;
        double travelled;  // m, by the leader
    };
    const Case cases[] = {{2, 2, 200},     {12, 2, 1100},   {30, 2, 3000},
                          {32, 2, 3001.5}, {38, 2, 3007.5}, {40, 0, 41}};
    playback_.start(true, true);
    for (const Case& c : cases) {
        PlaybackTick now;
        while (playback_.position() < c.position)
            now = tick();
        EXPECT_EQ(now.leader, c.leader) << "position " << c.position;
        EXPECT_DOUBLE_EQ(now.leaderTravelled, c.travelled) << "position " << c.position;
    }
    ticked_ = {false, false, false, false, false};
    EXPECT_EQ(tick().leader, std::nullopt) << "no lap plays";
}

TEST_F(PlaybackTest, SamplesNoRecordFilledDrawNothing) {
    longLap_.distanceM[4] = 0;
    playback_.start(true, true);
    tick();
    const PlaybackTick gap = tick();
    EXPECT_TRUE(gap.laps[0].active);
    EXPECT_FALSE(gap.laps[0].sample.has_value());
}

TEST_F(PlaybackTest, PauseThenStopGoesBackToTheStart) {
    playback_.start(true, true);
    tick();
    tick();
    playback_.pause();
    EXPECT_EQ(std::tuple(playback_.paused(), playback_.running()), std::tuple(true, true));
    EXPECT_EQ(playback_.start(true, true), Playback::StartOutcome::Resumed);
    EXPECT_EQ(playback_.position(), 4u);
    playback_.pause();
    playback_.stop();
    EXPECT_EQ(std::tuple(playback_.running(), playback_.position()), std::tuple(false, 0u));
}

TEST_F(PlaybackTest, FastForwardFromTheBeginningStartsAfreshAndMoveToEndClearsIt) {
    playback_.start(true, true);
    playback_.startFastForward();
    tick();
    EXPECT_EQ(playback_.position(), 4u);
    for (int i = 0; i < 4; ++i)
        tick();
    playback_.moveToBeginning();
    EXPECT_EQ(playback_.position(), 0u);
    const PlaybackTick again = tick();  // position 4: never on sample 2
    EXPECT_EQ(playback_.position(), 4u);
    EXPECT_TRUE(again.laps[0].restartLine);
    EXPECT_FALSE(tick().laps[0].restartLine);

    playback_.moveToEnd();
    // The position is kept: the whole lines show again.
    EXPECT_EQ(
        std::tuple(playback_.playing(), playback_.fastForward(), playback_.paused(), playback_.position()),
        std::tuple(false, false, false, 8u));
    EXPECT_EQ(playback_.start(true, true), Playback::StartOutcome::Started);
}

}  // namespace
