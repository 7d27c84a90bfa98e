#include "common/BinaryFile.h"

#include <algorithm>

bool BinaryFile::open(const std::filesystem::path& path) {
    stream_.open(path, std::ios::binary);
    if (!stream_) return false;
    stream_.seekg(0, std::ios::end);
    const auto end = stream_.tellg();
    stream_.seekg(0, std::ios::beg);
    if (end < 0 || !stream_) {
        stream_.close();
        return false;
    }
    size_ = static_cast<std::uint64_t>(end);
    return true;
}

bool BinaryFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > size_ || out.size() > size_ - offset) return false;
    return readSome(offset, out) == out.size();
}

std::size_t BinaryFile::readSome(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (!stream_.is_open() || offset >= size_) return 0;
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - offset));
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset));
    stream_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(wanted));
    return static_cast<std::size_t>(stream_.gcount());
}
