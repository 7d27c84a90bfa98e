#include "replay/ReplayHeader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "TempDir.h"

namespace {

// The 268-byte head laid out by hand, field by field at its file offset.
struct Head {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(268, 0);

    Head() {
        text(0, "YLPR");
        u32(4, 3);      // format version
        u32(8, 5000);   // file length - 12
        u32(24, 7200);  // frames: 200 s
        u32(28, 1234);  // telemetry length
        u32(36, 0);     // owner index
        text(40, "Ann");
        text(56, "Owner");
        u32(80, 3);  // saved during the race
        text(96, "MonzaGP");
        text(128, "GT");
    }
    void u16(std::size_t at, std::uint32_t v) {
        bytes[at] = static_cast<std::uint8_t>(v);
        bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void u32(std::size_t at, std::uint32_t v) {
        u16(at, v);
        u16(at + 2, v >> 16);
    }
    void f32(std::size_t at, float v) { std::memcpy(&bytes[at], &v, 4); }
    void text(std::size_t at, const char* s) { std::memcpy(&bytes[at], s, std::strlen(s)); }
};

class ReplayHeaderTest : public testing::Test {
protected:
    ReplayHeader read(const Head& head) { return read(head.bytes); }
    ReplayHeader read(const std::vector<std::uint8_t>& bytes) {
        ReplayHeader header;
        error_ = header.read(dir_.write("head.rpy", bytes)).error();
        return header;
    }
    std::optional<HeaderError> errorOf(const std::vector<std::uint8_t>& bytes) {
        read(bytes);
        return error_;
    }
    TempDir dir_;
    std::optional<HeaderError> error_;  // of the last read
};

TEST_F(ReplayHeaderTest, DecodesEveryFieldFromItsOffset) {
    Head head;
    head.bytes[174] = 0b1101'1010;  // double file (1), in-car view (3), yellows (4), damage 3 (6-7)
    head.bytes[175] = 0b0011'0111;  // full pace (0), arcade (1), wind SW (2-4), smoke (5)
    // Manual weather, cloudy (2), temperature, wind speed, AI strength, race distance, fixed set-up, AI cars.
    for (const auto& [at, value] :
         {std::pair{180, 1}, {184, 2}, {188, 77}, {189, 12}, {191, 98}, {192, 50}, {196, 1}, {198, 19}})
        head.bytes[at] = static_cast<std::uint8_t>(value);
    head.f32(207, 1800.0f);
    head.u16(213, 12);
    head.f32(223, 300.0f);
    head.u16(229, 31);

    ReplayHeader h = read(head);
    ASSERT_EQ(error_, std::nullopt);
    // Grouped by the bytes they come from.
    EXPECT_EQ(std::tuple(h.formatVersion, h.fileLength, h.frameCount), std::tuple(3, 5012u, 7200u));
    EXPECT_EQ(
        std::tuple(h.ownerFirstName, h.ownerLastName, h.trackName, h.carSet),
        std::tuple(std::string("Ann"), std::string("Owner"), std::string("monzagp"), std::string("GT")));
    EXPECT_EQ(std::tuple(h.doubleFileRestarts, h.forceInCarView, h.yellowFlags, h.damageLevel),
              std::tuple(1, 1, 1, 3));
    EXPECT_EQ(std::tuple(h.fullPaceLap, h.arcadeMode, h.windDirection, h.forceSmoke),
              std::tuple(1, 1, std::string("SW"), 1));
    EXPECT_EQ(std::tuple(h.manualWeather, h.cloudy, h.temperature, h.windSpeed, h.aiStrength,
                         h.raceDistancePercent, h.fixedSetup, static_cast<int>(h.aiCars)),
              std::tuple(1, 1, 77, 12, 98, 50, 1, 19));
    EXPECT_EQ(std::tuple(h.quickRace, h.practiceMinutes, h.qualifyingLaps, h.warmupMinutes, h.raceLaps),
              std::tuple(0, 30, 12, 5, 31));
}

TEST_F(ReplayHeaderTest, QuickRaceTakesItsOwnSources) {
    Head head;
    head.bytes[199] = 2;
    head.bytes[205] = 4;    // qualifying laps, one byte
    head.u16(213, 15);      // race laps
    head.u16(229, 60);      // ignored
    head.f32(207, 600.0f);  // ignored
    ReplayHeader h = read(head);
    EXPECT_EQ(std::tuple(h.quickRace, h.practiceMinutes, h.qualifyingLaps, h.warmupMinutes, h.raceLaps),
              std::tuple(1, 0, 4, 0, 15));
}

TEST_F(ReplayHeaderTest, DependentFlagsAreCleared) {
    Head head;
    head.bytes[174] = 0b0000'0010;  // double file without yellow flags
    head.bytes[192] = 80;           // percentage of a race of 0 laps
    ReplayHeader h = read(head);
    EXPECT_EQ(std::tuple(h.doubleFileRestarts, h.raceDistancePercent), std::tuple(0, 0));
}

TEST_F(ReplayHeaderTest, SessionLengthTableComparesTheUpperThreeBytes) {
    // 0x43A500: 330 s.
    for (const auto& [upperBytes, minutes] :
         {std::pair{0x4913A8, -1}, {0x000000, 0}, {0x45A8C0, 90}, {0x43A500, 66}})
        EXPECT_EQ(ReplayHeader::sessionMinutes(upperBytes), minutes) << std::hex << upperBytes;

    Head head;
    head.f32(207, 604800.0f);
    head.f32(223, 330.0f);
    ReplayHeader h = read(head);
    EXPECT_EQ(std::tuple(h.practiceMinutes, h.warmupMinutes), std::tuple(-1, 66));

    head.f32(207, 900.0f);
    head.bytes[207] = 0x77;  // the lowest byte is not looked at
    EXPECT_EQ(read(head).practiceMinutes, 15);
}

TEST_F(ReplayHeaderTest, TextsAreBoundedToTheirHeldWidth) {
    Head head;
    head.text(96, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");  // 32 characters, no NUL
    head.text(40, "0123456789abcdef");                  // 16 characters, no NUL
    ReplayHeader h = read(head);
    EXPECT_EQ(std::tie(h.trackName, h.ownerFirstName), std::tuple("abcdefghijklmno", "0123456789abcde"));
}

TEST_F(ReplayHeaderTest, Outcomes) {
    ReplayHeader missing;
    EXPECT_EQ(missing.read(dir_ / "absent.rpy").error(), HeaderError::CannotOpen);
    EXPECT_EQ(missing.fileName, dir_ / "absent.rpy");

    Head reversed, truncated;
    std::memcpy(reversed.bytes.data(), "RPLY", 4);
    truncated.bytes.resize(267);
    for (const auto& [what, bytes] : {std::pair{"reversed signature", reversed.bytes},
                                      {"a byte short", truncated.bytes},
                                      {"signature cut short", std::vector<std::uint8_t>{'Y', 'L'}}})
        EXPECT_EQ(errorOf(bytes), HeaderError::NotAReplay) << what;

    Head zdk;
    zdk.u32(4, 2);
    ReplayHeader old = read(zdk);
    EXPECT_EQ(error_, std::nullopt) << "the version test is the caller's";
    EXPECT_EQ(old.formatVersion, 2);
}

}  // namespace
