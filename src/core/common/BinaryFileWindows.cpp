// BinaryFile's system calls on Windows: one handle, positional ReadFile, one information call.
#include <windows.h>

#include <algorithm>
#include <chrono>

#include "common/BinaryFile.h"

namespace {

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// FILETIME counts 100 ns steps from 1601; time_t seconds from 1970, rounded down as POSIX systems
// give them (a time before 1970 with a fraction is in the second before).
std::time_t toTimeT(const FILETIME& time) {
    using Steps = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
    constexpr Steps kUnixEpoch{116'444'736'000'000'000};
    const std::uint64_t steps = (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    return std::chrono::floor<std::chrono::seconds>(Steps{static_cast<std::int64_t>(steps)} - kUnixEpoch)
        .count();
}

}  // namespace

BinaryFile::~BinaryFile() {
    close();
}

void BinaryFile::closeHandle() {
    CloseHandle(handleOf(handle_));
}

// Others may go on writing, renaming or deleting the file (the simulator saving a replay) while it
// is read, as on POSIX systems. A folder does not open without backup semantics, and a named pipe
// opens without waiting; both are refused below.
bool BinaryFile::open(const std::filesystem::path& path) {
    close();
    const HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return adopt(reinterpret_cast<std::intptr_t>(handle));
}

// Windows has no opening relative to a folder handle for plain programs: the whole path it is.
bool BinaryFile::openInFolderOfTheLast(const std::filesystem::path& folder,
                                       const std::filesystem::path& name) {
    return open(folder / name);
}

bool BinaryFile::adopt(std::intptr_t handle) {
    if (handle == kClosed) return false;
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileType(handleOf(handle)) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(handleOf(handle), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(handleOf(handle));
        return false;
    }
    handle_ = handle;
    size_ = (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
    modified_ = toTimeT(information.ftLastWriteTime);
    return true;
}

std::size_t BinaryFile::readFile(std::uint64_t offset, std::span<std::uint8_t> out) {
    constexpr std::size_t kMostAtOnce = 1 << 30;  // ReadFile counts in 32 bits
    std::size_t done = 0;
    while (done < out.size()) {
        OVERLAPPED position{};
        const std::uint64_t at = offset + done;
        position.Offset = static_cast<DWORD>(at);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        DWORD read = 0;
        const auto wanted = static_cast<DWORD>(std::min(out.size() - done, kMostAtOnce));
        if (!ReadFile(handleOf(handle_), out.data() + done, wanted, &read, &position) || read == 0) break;
        done += read;
    }
    return done;
}
