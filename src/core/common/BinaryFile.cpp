#include "common/BinaryFile.h"

#include <algorithm>
#include <cstring>

BinaryFile::BinaryFile() {
    // The block is the only buffer: the stream reads straight into it, or into a large read's target.
    stream_.rdbuf()->pubsetbuf(nullptr, 0);
}

bool BinaryFile::open(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return false;
    stream_.open(path, std::ios::binary);
    if (!stream_) return false;
    size_ = size;
    position_ = 0;
    block_.clear();
    return true;
}

bool BinaryFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > size_ || out.size() > size_ - offset) return false;
    return readSome(offset, out) == out.size();
}

std::size_t BinaryFile::readSome(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (!stream_.is_open() || offset >= size_) return 0;
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - offset));
    if (wanted == 0) return 0;  // an empty span may have no data to copy to
    if (wanted >= kBlockSize) return readFile(offset, out.first(wanted));
    const bool inBlock = offset >= blockStart_ && offset + wanted <= blockStart_ + block_.size();
    if (!inBlock) {
        block_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, size_ - offset)));
        block_.resize(readFile(offset, block_));
        blockStart_ = offset;
    }
    const std::size_t available =
        std::min(wanted, static_cast<std::size_t>(blockStart_ + block_.size() - offset));
    std::memcpy(out.data(), block_.data() + (offset - blockStart_), available);
    return available;
}

std::size_t BinaryFile::readFile(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset != position_ || !stream_) {
        stream_.clear();
        stream_.seekg(static_cast<std::streamoff>(offset));
    }
    stream_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    const auto read = static_cast<std::size_t>(stream_.gcount());
    position_ = stream_ ? offset + read : kUnknownPosition;
    return read;
}
