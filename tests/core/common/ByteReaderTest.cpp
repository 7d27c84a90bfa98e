#include "common/ByteReader.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::vector<std::uint8_t> kBytes = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 'a', 'b', 0, 'c'};

TEST(ByteReader, ReadsLittleEndianFieldsInOrder) {
    ByteReader r(kBytes);
    EXPECT_EQ(r.u16(), 0x1234);
    EXPECT_EQ(r.u32(), 0x12345678u);
    EXPECT_EQ(r.text(4), "ab") << "up to the first NUL, consuming the whole width";
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.at(2).u8(), 0x78);
    EXPECT_EQ(ByteReader(kBytes, 6).text(2), "ab") << "a field without NUL is taken whole";
}

// A failed read yields zeros and stops the reader where the failed read began: every later read
// fails too, even after a seek back, so a caller checks ok() once after a run of fields.
TEST(ByteReader, AFailureIsStickyAndKeepsItsOffset) {
    ByteReader r(kBytes, 8);
    EXPECT_EQ(r.u32(), 0u);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.offset(), 8u);
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_EQ(r.u8(), 0) << "even a byte that exists";
    r.seek(0);
    EXPECT_EQ(r.u16(), 0);
    EXPECT_TRUE(r.bytes(1).empty());

    ByteReader past(kBytes, 11);
    EXPECT_FALSE(past.ok());
    EXPECT_EQ(past.remaining(), 0u);
    ByteReader seekPast(kBytes);
    seekPast.seek(11);
    EXPECT_FALSE(seekPast.ok());
    EXPECT_EQ(seekPast.offset(), 0u);
}

}  // namespace
