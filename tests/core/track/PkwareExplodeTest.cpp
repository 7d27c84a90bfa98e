#include "track/PkwareExplode.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "PkwareImplode.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes randomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(n);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

Bytes text(std::size_t n) {
    const std::string words =
        "The quick brown fox jumps over the lazy dog. Lap 7: 1m 12.500s [64]\r\nTrack: Monza    ";
    Bytes bytes;
    for (std::size_t i = 0; bytes.size() < n; ++i)
        bytes.push_back(static_cast<std::uint8_t>(words[(i * 7 + i / 13) % words.size()]));
    return bytes;
}

Bytes runs(std::size_t n) {
    Bytes bytes;
    for (std::size_t i = 0; bytes.size() < n; ++i)
        bytes.insert(bytes.end(), 1 + i % 700, static_cast<std::uint8_t>(i * 31));
    bytes.resize(n);
    return bytes;
}

// Geometry-like data: doubles and small integers, as in track files.
Bytes structured(std::size_t n) {
    Bytes bytes;
    for (std::uint32_t i = 0; bytes.size() < n; ++i) {
        const double value = i * 0.25 - 100;
        const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
        bytes.insert(bytes.end(), p, p + 8);
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(i % 7), 0, 0, 0});
    }
    bytes.resize(n);
    return bytes;
}

TEST(PkwareExplode, ReadsWhatLibstormPacksInEveryModeAndDictionary) {
    const std::vector<std::pair<std::string, Bytes>> inputs = {
        {"one byte", Bytes{0x41}},
        {"two bytes", Bytes{0, 255}},
        {"random", randomBytes(70000, 1)},
        {"text", text(100000)},
        {"runs", runs(50000)},
        {"structured", structured(90000)},
        {"zeros", Bytes(20000, 0)},
        {"small random", randomBytes(37, 2)},
    };
    for (const auto& [name, data] : inputs) {
        for (bool ascii : {false, true}) {
            for (unsigned dictionary : {1024u, 2048u, 4096u}) {
                const Bytes packed = pkwareImplode(data, ascii, dictionary);
                Bytes out(data.size());
                ASSERT_TRUE(dclExplode(packed, out)) << name << " ascii " << ascii << " dict " << dictionary;
                ASSERT_EQ(out, data) << name << " ascii " << ascii << " dict " << dictionary;
            }
        }
    }
}

TEST(PkwareExplode, HeaderResultCodes) {
    Bytes out(16);
    EXPECT_EQ(dclExplode(Bytes{0, 6, 1, 2}, out).error(), DclError::InputTooSmall);
    EXPECT_EQ(dclExplode(Bytes{}, out).error(), DclError::InputTooSmall);
    EXPECT_EQ(dclExplode(Bytes{0, 7, 0, 0, 0}, out).error(), DclError::InvalidDictionary);
    EXPECT_EQ(dclExplode(Bytes{0, 3, 0, 0, 0}, out).error(), DclError::InvalidDictionary);
    EXPECT_EQ(dclExplode(Bytes{2, 4, 0, 0, 0}, out).error(), DclError::InvalidMode);
}

TEST(PkwareExplode, OutputOfAnotherSizeIsCorrupt) {
    const Bytes data = text(5000);
    const Bytes packed = pkwareImplode(data, true, 2048);
    Bytes shorter(data.size() - 1), longer(data.size() + 1);
    EXPECT_EQ(dclExplode(packed, shorter).error(), DclError::Corrupt) << "more output than room is a failure";
    EXPECT_EQ(dclExplode(packed, longer).error(), DclError::Corrupt);
}

TEST(PkwareExplode, TruncatedAndCorruptedStreamsFailCleanly) {
    const Bytes data = structured(20000);
    for (bool ascii : {false, true}) {
        const Bytes packed = pkwareImplode(data, ascii, 4096);
        Bytes out(data.size());
        for (std::size_t n = 5; n < packed.size(); n += 1 + n / 50) {
            const Bytes cut(packed.begin(), packed.begin() + static_cast<long>(n));
            EXPECT_EQ(dclExplode(cut, out).error(), DclError::Corrupt) << n;
        }
        std::mt19937 random(99);
        for (int round = 0; round < 2000; ++round) {
            Bytes damaged = packed;
            damaged[2 + random() % (damaged.size() - 2)] ^= static_cast<std::uint8_t>(1 + random() % 255);
            const auto result = dclExplode(damaged, out);
            EXPECT_TRUE(result.ok() || result.error() == DclError::Corrupt);
        }
    }
}

}  // namespace
