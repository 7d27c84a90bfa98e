#include "replay/RecordDecoding.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>
#include <vector>

#include "ReplayWriter.h"
#include "replay/TelemetryFrames.h"

namespace {

void put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// All of a sample's fields, comparable at once. Samples below list their fields in this, the declared, order.
auto fields(const TelemetrySample& s) {
    return std::tuple{s.distance, s.lateral, s.gear,     s.revs, s.orientation,
                      s.roll,     s.pitch,   s.steering, s.aux1, s.aux2};
}

TEST(RecordDecoding, OwnerStateBitFields) {
    std::array<std::uint8_t, 36> p{};
    put32(&p[0], 0x03FFFFFF | 0u << 27);               // distance all ones, gear field 0
    put32(&p[4], 0x80000 | 0xABCu << 20);              // lateral: top bit of 20, aux1 0xABC
    put32(&p[8], 1023 | 0x800u << 10 | 0x1FFu << 22);  // revs, orientation -2048, pitch 511
    put32(&p[12], 0x200 | 0x0Fu << 20 | 0x80u << 24);  // roll -512, aux2 15, steering -128
    EXPECT_EQ(fields(decodeOwnerState(p)),
              fields({0x03FFFFFF, -524288, -1, 1023, -2048, -512, 511, -128, 0xABC, 15}));
}

TEST(RecordDecoding, CarStateBitFields) {
    std::array<std::uint8_t, 16> e{};
    put32(&e[0], 0x200u << 11);                        // pitch -512
    put32(&e[4], 1000 | 42u << 24);                    // distance 1000, driver 42
    put32(&e[8], 5 | 0x3FFu << 10);                    // roll 5, revs 1023 (aux2 sees bits 16-22)
    put32(&e[12], 0x7FF | 0x10000u << 12 | 7u << 29);  // orientation 2047, lateral -65536, gear 6
    EXPECT_EQ(carStateDriverId(e), 42);
    // Distance: trunc(1000 * 2 * 0.9765628511); a car state holds no steering nor aux1.
    EXPECT_EQ(fields(decodeCarState(e)), fields({1953, -65536, 6, 1023, 2047, 5, -512, 0, 0, 0x0F}));
}

TEST(RecordDecoding, WriterEncodingsDecodeToTheirSamples) {
    TelemetrySample s{7'654'321, -12345, 5, 777, -1000, -3, 200, -40, 9, 3};
    EXPECT_EQ(fields(decodeOwnerState(encodeOwnerState(s))), fields(s));

    s.revs = 12;  // below bit 16, so the overlapping aux2 field stays clear
    s.aux2 = 0;
    const auto entry = encodeCarState(77, s);
    TelemetrySample car = decodeCarState(entry);
    EXPECT_EQ(carStateDriverId(entry), 77);
    EXPECT_NEAR(car.distance, s.distance, 2.0);
    // A car state holds neither steering nor aux1, and its distance is coarser.
    car.distance = s.distance;
    car.steering = s.steering;
    car.aux1 = s.aux1;
    EXPECT_EQ(fields(car), fields(s));
}

}  // namespace

// A frame of an 8-byte head and then `records` (bytes laid out by hand): how the walk over it ends
// and the (type, size) of each record it passed on.
struct WalkCase {
    std::vector<std::uint8_t> records;
    FrameWalk ending;
    std::vector<std::pair<int, int>> seen;
};

TEST(RecordDecoding, FrameWalksEndAtTheFirstRecordThatDoesNotFit) {
    const WalkCase cases[] = {
        // type 5 size 6 (padded to 8), then type 18 size 4
        {{5, 0, 6, 0, 0xAA, 0xBB, 0, 0, 18, 0, 4, 0}, FrameWalk::End, {{5, 6}, {18, 4}}},
        {{1, 0, 4, 0, 7, 0, 4, 0}, FrameWalk::InvalidType, {{1, 4}}},  // type 7 does not exist
        {{0, 0, 4, 0}, FrameWalk::InvalidType, {}},
        {{19, 0, 4, 0}, FrameWalk::InvalidType, {}},
        {{32, 0, 4, 0}, FrameWalk::InvalidType, {}},
        {{33, 0, 4, 0}, FrameWalk::InvalidType, {}},
        {{0x01, 0x01, 4, 0}, FrameWalk::InvalidType, {}},      // type 257
        {{3, 0, 3, 0}, FrameWalk::Damaged, {}},                // smaller than its head
        {{3, 0, 8, 0, 0, 0}, FrameWalk::Damaged, {}},          // runs past the frame
        {{13, 0, 4, 0, 1, 0}, FrameWalk::Damaged, {{13, 4}}},  // two bytes cannot hold a head
    };
    for (const WalkCase& c : cases) {
        std::vector<std::uint8_t> frame(kFrameHeadSize, 0);
        frame.insert(frame.end(), c.records.begin(), c.records.end());
        std::vector<std::pair<int, int>> seen;
        const FrameWalk ending = forEachRecord(frame, [&](const TelemetryRecord& record) {
            EXPECT_EQ(record.payload.size(), record.size - kRecordHeadSize);
            seen.emplace_back(record.type, record.size);
        });
        EXPECT_EQ(ending, c.ending) << ::testing::PrintToString(c.records);
        EXPECT_EQ(seen, c.seen) << ::testing::PrintToString(c.records);
    }
}
