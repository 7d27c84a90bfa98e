#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

// A file opened for reading by offset. Every read is checked against the file's size, so a
// damaged length or offset read from the file can never lead outside it.
//
// Each read or seek of the file is a system call, and a scan of a replay folder makes little else.
// So this one class uses the system's file calls the standard streams hide: reads go to the file by
// position (no seeks), one call at opening gives both the size and the modification time,
// and small reads are served from one block read ahead of them, since the readers take a file's
// head, its tables and its frames in many small pieces that lie close together. One object that
// opens file after file (a scan) reads at each file's start only as much as the heads of the files
// before took, with some room, since the kernel's copying costs by the byte.
class BinaryFile {
public:
    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    // Closes the file opened before, if any. False when the file cannot be opened or is not a
    // regular file (a named pipe would block).
    bool open(const std::filesystem::path& path);
    // The same for the file `name` in `folder`, one of many files of few folders opened one after
    // another (a scan): the folder of the file before stays open, and a file in it opens by its name
    // there, so the system need not walk the folder's whole path again for each file. A folder
    // moved meanwhile is still read where it went.
    bool openInFolderOfTheLast(const std::filesystem::path& folder, const std::filesystem::path& name);
    bool isOpen() const { return handle_ != kClosed; }
    std::uint64_t size() const { return size_; }
    // When the file was last written, as of its opening.
    std::time_t modificationTime() const { return modified_; }

    // Fills `out` from `offset`; false when the bytes do not all exist or cannot be read.
    bool readAt(std::uint64_t offset, std::span<std::uint8_t> out);
    // Reads as many bytes as exist from `offset`, at most out.size(); returns the count.
    std::size_t readSome(std::uint64_t offset, std::span<std::uint8_t> out);

private:
    static constexpr std::size_t kBlockSize = 8 << 10;
    static constexpr std::size_t kHeadRoom = 1 << 10;  // above the most that a head took
    // What the system gives for no file: -1 as a descriptor and as a Windows handle alike.
    static constexpr std::intptr_t kClosed = -1;

    void close();
    // The system's part of each step, in BinaryFilePosix.cpp or BinaryFileWindows.cpp.
    void closeHandle();
    // Takes the system's answer to an opening; false (and it is closed) if it is no regular file.
    bool adopt(std::intptr_t handle);
    // Reads from the file itself; fewer bytes only where the file ends or fails.
    std::size_t readFile(std::uint64_t offset, std::span<std::uint8_t> out);

    std::intptr_t handle_ = kClosed;  // a descriptor (POSIX) or a HANDLE (Windows)
    // openInFolderOfTheLast's folder and its path (POSIX; Windows opens by the whole path).
    std::intptr_t folderHandle_ = kClosed;
    std::string folder_;
    std::uint64_t size_ = 0;
    std::time_t modified_ = 0;
    std::unique_ptr<std::uint8_t[]> block_;  // kBlockSize bytes, made at the first small read
    std::uint64_t blockStart_ = 0;           // block_ holds the file's bytes from here
    std::size_t blockLength_ = 0;
    std::size_t headUsed_ = 0;      // the end of the furthest read within the file's first block
    std::size_t headUsedMost_ = 0;  // the most headUsed_ of the files opened before
};
