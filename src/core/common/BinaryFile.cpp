#include "common/BinaryFile.h"

#include <algorithm>
#include <cstring>

void BinaryFile::close() {
    headUsedMost_ = std::max(headUsedMost_, headUsed_);
    headUsed_ = 0;
    if (isOpen()) closeHandle();
    handle_ = kClosed;
    size_ = 0;
    modified_ = 0;
    blockLength_ = 0;
}

bool BinaryFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > size_ || out.size() > size_ - offset) return false;
    return readSome(offset, out) == out.size();
}

std::size_t BinaryFile::readSome(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (!isOpen() || offset >= size_) return 0;
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - offset));
    if (wanted == 0) return 0;  // an empty span may have no data to copy to
    if (wanted >= kBlockSize) return readFile(offset, out.first(wanted));
    if (offset + wanted <= kBlockSize)
        headUsed_ = std::max(headUsed_, static_cast<std::size_t>(offset + wanted));
    const bool inBlock = offset >= blockStart_ && offset + wanted <= blockStart_ + blockLength_;
    if (!inBlock) {
        if (!block_) block_ = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize);
        const std::size_t ahead =
            offset == 0 && headUsedMost_ > 0 ? std::min(kBlockSize, headUsedMost_ + kHeadRoom) : kBlockSize;
        const auto length =
            static_cast<std::size_t>(std::min<std::uint64_t>(std::max(ahead, wanted), size_ - offset));
        blockLength_ = readFile(offset, std::span(block_.get(), length));
        blockStart_ = offset;
    }
    const std::size_t available =
        std::min(wanted, static_cast<std::size_t>(blockStart_ + blockLength_ - offset));
    std::memcpy(out.data(), block_.get() + (offset - blockStart_), available);
    return available;
}
