#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

// A file opened for reading by offset. Every read is checked against the file's size, so a
// damaged length or offset read from the file can never lead outside it.
class BinaryFile {
public:
    // False when the file cannot be opened.
    bool open(const std::filesystem::path& path);
    bool isOpen() const { return stream_.is_open(); }
    std::uint64_t size() const { return size_; }

    // Fills `out` from `offset`; false when the bytes do not all exist or cannot be read.
    bool readAt(std::uint64_t offset, std::span<std::uint8_t> out);
    // Reads as many bytes as exist from `offset`, at most out.size(); returns the count.
    std::size_t readSome(std::uint64_t offset, std::span<std::uint8_t> out);

private:
    std::ifstream stream_;
    std::uint64_t size_ = 0;
};
