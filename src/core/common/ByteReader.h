#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

// Bits [low, low + width) of a word, unsigned.
constexpr std::uint32_t bitField(std::uint32_t word, int low, int width) {
    return (word >> low) & ((width == 32) ? 0xFFFFFFFFu : ((1u << width) - 1u));
}

// Bits [low, low + width) of a word as a two's complement number of that width.
constexpr std::int32_t signedBitField(std::uint32_t word, int low, int width) {
    const std::uint32_t value = bitField(word, low, width);
    const std::uint32_t sign = 1u << (width - 1);
    return static_cast<std::int32_t>(value ^ sign) - static_cast<std::int32_t>(sign);
}

// Reads a run of little-endian fields from a byte range. A read past the end sets a sticky
// failure flag and yields zeros, so a caller reads a whole table and checks ok() once. Every
// reader of the file formats reads through it; its reads inline to plain loads.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data, std::size_t offset = 0)
        : data_(data), offset_(offset), limit_(data.size()) {
        if (offset > limit_) fail();
    }

    std::uint8_t u8() { return have(1) ? data_[offset_++] : 0; }
    std::uint16_t u16() {
        if (!take(2)) return 0;
        const std::uint8_t* p = &data_[offset_ - 2];
        return static_cast<std::uint16_t>(p[0] | p[1] << 8);
    }
    std::uint32_t u32() {
        if (!take(4)) return 0;
        const std::uint8_t* p = &data_[offset_ - 4];
        return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
               static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    float f32() { return fromBits<float, std::uint32_t>(u32()); }
    double f64() {
        const std::uint64_t low = u32();
        return fromBits<double, std::uint64_t>(low | static_cast<std::uint64_t>(u32()) << 32);
    }

    // The next `count` bytes; empty (and failure) when they do not exist.
    std::span<const std::uint8_t> bytes(std::size_t count) {
        return take(count) ? data_.subspan(offset_ - count, count) : std::span<const std::uint8_t>{};
    }
    // A fixed-width text field: up to its first NUL, never more than `width` bytes; consumes the
    // whole width.
    std::string text(std::size_t width) {
        std::string field;
        readText(field, width);
        return field;
    }
    // The same into `out`: a reader of many records fills their strings in place.
    void readText(std::string& out, std::size_t width) {
        if (!take(width)) {
            out.clear();
            return;
        }
        const char* field = reinterpret_cast<const char*>(&data_[offset_ - width]);
        const void* nul = std::memchr(field, 0, width);
        out.assign(field, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : width);
    }

    void skip(std::size_t count) { take(count); }
    void seek(std::size_t offset) {
        if (failed_ || offset > data_.size())
            fail();
        else
            offset_ = offset;
    }
    // Moves to `offset` for the next read: reader.at(kField).u16().
    ByteReader& at(std::size_t offset) {
        seek(offset);
        return *this;
    }

    // Where the next read starts; after a failure, where the failed read started.
    std::size_t offset() const { return offset_; }
    std::size_t remaining() const { return limit_ - offset_; }
    bool ok() const { return !failed_; }

private:
    // One comparison on the way of every read: after a failure the limit is the offset, so no read
    // succeeds again.
    bool have(std::size_t count) {
        if (count <= limit_ - offset_) return true;
        fail();
        return false;
    }
    void fail() {
        failed_ = true;
        offset_ = std::min(offset_, limit_);
        limit_ = offset_;
    }
    bool take(std::size_t count) {
        if (!have(count)) return false;
        offset_ += count;
        return true;
    }
    template <typename T, typename Bits>
    static T fromBits(Bits bits) {
        T value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    std::span<const std::uint8_t> data_;
    std::size_t offset_;
    std::size_t limit_;  // the end of what may be read
    bool failed_ = false;
};
