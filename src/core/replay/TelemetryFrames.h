#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "common/BinaryFile.h"
#include "common/ByteReader.h"
#include "replay/ReplayFormat.h"

// Streams the frames of a telemetry chunk in file order, reading the file in blocks of about
// 1 MiB (no memory map: the simulator may still be writing the file).
class FrameStream {
public:
    enum class Next { Frame, End, Damaged };

    // Frames from file offset `begin` up to `end` (the end of the telemetry data).
    FrameStream(BinaryFile& file, std::uint64_t begin, std::uint64_t end);

    // The next frame, its 8-byte head included. Damaged: a frame shorter than its head, one that
    // runs past the end of the data, or a read that fails.
    Next next(std::span<const std::uint8_t>& frame) {
        // Most frames lie whole in the buffer: take them here, inline.
        if (filled_ - begin_ >= kFrameHeadSize) {
            const std::size_t length = ByteReader(std::span(buffer_.get() + begin_, kFrameHeadSize)).u16();
            if (length >= kFrameHeadSize && filled_ - begin_ >= length) return take(frame, length);
        }
        return nextAfterRefill(frame);
    }
    // File offset of the frame last returned.
    std::uint64_t frameOffset() const { return frameOffset_; }

private:
    Next take(std::span<const std::uint8_t>& frame, std::size_t length) {
        frame = std::span<const std::uint8_t>(buffer_.get() + begin_, length);
        frameOffset_ = position_ + begin_;
        begin_ += length;
        return Next::Frame;
    }
    Next nextAfterRefill(std::span<const std::uint8_t>& frame);
    bool fill(std::size_t needed);

    BinaryFile& file_;
    std::uint64_t position_;  // file offset of buffer_[0]
    std::uint64_t end_;
    std::uint64_t frameOffset_ = 0;
    std::size_t capacity_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t begin_ = 0;  // unread bytes are buffer_[begin_, filled_)
    std::size_t filled_ = 0;
    std::size_t readAhead_;  // bytes the next fill reads
};

// The end of the telemetry whose chunk starts at `telemetryOffset`, by the chunk's length; nothing
// when that length cannot be read.
std::optional<std::uint64_t> telemetryEnd(BinaryFile& file, std::uint64_t telemetryOffset);

struct TelemetryRecord {
    std::uint16_t type;
    std::uint16_t size;
    std::span<const std::uint8_t> payload;  // size - 4 bytes
};

// How the walk over a frame's records ended: at the frame's end, at a record head or body that
// does not fit in the frame (or a size below 4), or at a record type the format does not have.
enum class FrameWalk { End, Damaged, InvalidType };

// Calls onRecord(record) for each record of a frame, in order; each record occupies its size
// rounded up to 4 bytes. Inline: it runs for every record of the telemetry.
template <typename OnRecord>
FrameWalk forEachRecord(std::span<const std::uint8_t> frame, OnRecord onRecord) {
    const std::size_t length = frame.size();
    for (std::size_t at = kFrameHeadSize; at < length;) {
        if (length - at < kRecordHeadSize) return FrameWalk::Damaged;
        const std::uint32_t head = ByteReader(frame.subspan(at, kRecordHeadSize)).u32();
        const auto type = static_cast<std::uint16_t>(head), size = static_cast<std::uint16_t>(head >> 16);
        if (!isValidRecordType(type)) return FrameWalk::InvalidType;
        if (size < kRecordHeadSize || size > length - at) return FrameWalk::Damaged;
        onRecord(TelemetryRecord{type, size, frame.subspan(at + kRecordHeadSize, size - kRecordHeadSize)});
        at += paddedRecordSize(size);
    }
    return FrameWalk::End;
}

// The raw session marker of a type 13 record; nothing for other records and for a marker too
// short to hold its value.
inline std::optional<SessionMarker> readSessionMarker(const TelemetryRecord& record) {
    if (record.type != kSessionMarkerRecord || record.payload.size() < 4) return std::nullopt;
    return decodeSessionMarker(ByteReader(record.payload).u32());
}
