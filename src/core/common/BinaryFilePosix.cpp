// BinaryFile's system calls on POSIX systems: one descriptor, fstat, pread.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/BinaryFile.h"

namespace {

// Not blocking: opening a named pipe would wait for a writer. Reads of a regular file ignore it.
constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

int descriptorOf(std::intptr_t handle) {
    return static_cast<int>(handle);
}

}  // namespace

BinaryFile::~BinaryFile() {
    close();
    if (folderHandle_ != kClosed) ::close(descriptorOf(folderHandle_));
}

void BinaryFile::closeHandle() {
    ::close(descriptorOf(handle_));
}

bool BinaryFile::open(const std::filesystem::path& path) {
    close();
    return adopt(::open(path.c_str(), kOpenFlags));
}

bool BinaryFile::openInFolderOfTheLast(const std::filesystem::path& folder,
                                       const std::filesystem::path& name) {
    close();
    if (folder.native() != folder_) {
        if (folderHandle_ != kClosed) ::close(descriptorOf(folderHandle_));
        folder_ = folder.native();
        folderHandle_ = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    if (folderHandle_ == kClosed) return adopt(::open((folder / name).c_str(), kOpenFlags));
    return adopt(::openat(descriptorOf(folderHandle_), name.c_str(), kOpenFlags));
}

bool BinaryFile::adopt(std::intptr_t handle) {
    if (handle == kClosed) return false;
    struct stat status {};
    if (::fstat(descriptorOf(handle), &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptorOf(handle));
        return false;
    }
    handle_ = handle;
    size_ = static_cast<std::uint64_t>(status.st_size);
    modified_ = status.st_mtime;
    return true;
}

std::size_t BinaryFile::readFile(std::uint64_t offset, std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t read = ::pread(descriptorOf(handle_), out.data() + done, out.size() - done,
                                     static_cast<off_t>(offset + done));
        if (read < 0 && errno == EINTR) continue;
        if (read <= 0) break;
        done += static_cast<std::size_t>(read);
    }
    return done;
}
