#include "replay/TelemetryFrames.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kBlockSize = 1 << 20;
// The first read is small and each next one twice as large, up to a block: a walk that stops
// after a few frames (a lap near the start) reads little, a long one soon reads whole blocks.
constexpr std::size_t kFirstRead = 16 << 10;
constexpr std::size_t kMaxFrame = 0xFFFF;  // a frame's length is a u16
}  // namespace

FrameStream::FrameStream(BinaryFile& file, std::uint64_t begin, std::uint64_t end)
    : file_(file),
      position_(begin),
      end_(std::min(end, file.size())),
      capacity_(static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, end_ - std::min(begin, end_))) +
                kMaxFrame),
      buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(capacity_)),
      readAhead_(kFirstRead) {}

// Makes at least `needed` unread bytes available; false when the data ends first.
bool FrameStream::fill(std::size_t needed) {
    if (filled_ - begin_ >= needed) return true;
    const std::size_t unread = filled_ - begin_;
    std::memmove(buffer_.get(), buffer_.get() + begin_, unread);
    position_ += begin_;
    begin_ = 0;
    filled_ = unread;
    const std::uint64_t available = end_ - std::min(end_, position_ + filled_);
    const std::size_t wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>({capacity_ - filled_, available, std::max(readAhead_, needed - filled_)}));
    readAhead_ = std::min(2 * readAhead_, kBlockSize);
    filled_ += file_.readSome(position_ + filled_, std::span(buffer_.get() + filled_, wanted));
    return filled_ >= needed;
}

FrameStream::Next FrameStream::nextAfterRefill(std::span<const std::uint8_t>& frame) {
    if (position_ + begin_ >= end_) return Next::End;
    if (!fill(kFrameHeadSize)) return Next::Damaged;
    const std::size_t length = ByteReader(std::span(buffer_.get() + begin_, kFrameHeadSize)).u16();
    if (length < kFrameHeadSize || !fill(length)) return Next::Damaged;
    return take(frame, length);
}

std::optional<std::uint64_t> telemetryEnd(BinaryFile& file, std::uint64_t telemetryOffset) {
    std::uint8_t length[4];
    if (!file.readAt(telemetryOffset + kChunkLengthAt, length)) return std::nullopt;
    return telemetryOffset + kChunkHeadSize + ByteReader(length).u32();
}
