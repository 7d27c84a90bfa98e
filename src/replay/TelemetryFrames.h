#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "common/BinaryFile.h"
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
    Next next(std::span<const std::uint8_t>& frame);
    // File offset of the frame last returned.
    std::uint64_t frameOffset() const { return frameOffset_; }

private:
    bool fill(std::size_t needed);

    BinaryFile& file_;
    std::uint64_t position_;  // file offset of buffer_[0]
    std::uint64_t end_;
    std::uint64_t frameOffset_ = 0;
    std::size_t capacity_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t begin_ = 0;  // unread bytes are buffer_[begin_, filled_)
    std::size_t filled_ = 0;
};

struct TelemetryRecord {
    std::uint16_t type;
    std::uint16_t size;
    std::span<const std::uint8_t> payload;  // size - 4 bytes
};

// Walks the records of one frame, each occupying its size rounded up to 4 bytes.
class RecordCursor {
public:
    enum class Next { Record, End, Damaged, InvalidType };

    explicit RecordCursor(std::span<const std::uint8_t> frame) : frame_(frame), offset_(kFrameHeadSize) {}

    // Damaged: a record head or body that does not fit in the frame, or a size below 4.
    // InvalidType: a record type the format does not have.
    Next next(TelemetryRecord& record);

private:
    std::span<const std::uint8_t> frame_;
    std::size_t offset_;
};

// Calls onRecord(record) for each record of a frame, in order. Returns End when the frame was
// walked to its end, else why the walk stopped (Damaged or InvalidType).
template <typename OnRecord>
RecordCursor::Next forEachRecord(std::span<const std::uint8_t> frame, OnRecord onRecord) {
    RecordCursor cursor(frame);
    TelemetryRecord record;
    RecordCursor::Next next;
    while ((next = cursor.next(record)) == RecordCursor::Next::Record)
        onRecord(record);
    return next;
}

// The raw session marker of a type 13 record; nothing for other records and for a marker too
// short to hold its value.
std::optional<SessionMarker> readSessionMarker(const TelemetryRecord& record);
