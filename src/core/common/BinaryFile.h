#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <vector>

// A file opened for reading by offset. Every read is checked against the file's size, so a
// damaged length or offset read from the file can never lead outside it.
//
// Small reads are served from one block read ahead of them: the readers take a file's head, its
// tables and its frames in many small pieces that mostly lie close together, and each read or seek
// of the file itself is a system call.
class BinaryFile {
public:
    BinaryFile();

    // False when the file cannot be opened.
    bool open(const std::filesystem::path& path);
    bool isOpen() const { return stream_.is_open(); }
    std::uint64_t size() const { return size_; }

    // Fills `out` from `offset`; false when the bytes do not all exist or cannot be read.
    bool readAt(std::uint64_t offset, std::span<std::uint8_t> out);
    // Reads as many bytes as exist from `offset`, at most out.size(); returns the count.
    std::size_t readSome(std::uint64_t offset, std::span<std::uint8_t> out);

private:
    static constexpr std::size_t kBlockSize = 16 << 10;
    static constexpr std::uint64_t kUnknownPosition = ~std::uint64_t{0};

    // Reads from the file itself, seeking only when the read does not continue the last one.
    std::size_t readFile(std::uint64_t offset, std::span<std::uint8_t> out);

    std::ifstream stream_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = kUnknownPosition;  // the stream's, after the last read
    std::vector<std::uint8_t> block_;            // the bytes of the file from blockStart_
    std::uint64_t blockStart_ = 0;
};
