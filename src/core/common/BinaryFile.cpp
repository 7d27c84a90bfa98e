#include "common/BinaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Not blocking: opening a named pipe would wait for a writer. Reads of a regular file ignore it.
constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

}  // namespace

BinaryFile::~BinaryFile() {
    close();
    if (folderDescriptor_ >= 0) ::close(folderDescriptor_);
}

void BinaryFile::close() {
    headUsedMost_ = std::max(headUsedMost_, headUsed_);
    headUsed_ = 0;
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    size_ = 0;
    modified_ = 0;
    blockLength_ = 0;
}

bool BinaryFile::open(const std::filesystem::path& path) {
    close();
    return adopt(::open(path.c_str(), kOpenFlags));
}

bool BinaryFile::openInFolderOfTheLast(const std::filesystem::path& folder,
                                       const std::filesystem::path& name) {
    close();
    if (folder.native() != folder_) {
        if (folderDescriptor_ >= 0) ::close(folderDescriptor_);
        folder_ = folder.native();
        folderDescriptor_ = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    if (folderDescriptor_ < 0) return adopt(::open((folder / name).c_str(), kOpenFlags));
    return adopt(::openat(folderDescriptor_, name.c_str(), kOpenFlags));
}

bool BinaryFile::adopt(int descriptor) {
    if (descriptor < 0) return false;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return false;
    }
    descriptor_ = descriptor;
    size_ = static_cast<std::uint64_t>(status.st_size);
    modified_ = status.st_mtime;
    return true;
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

std::size_t BinaryFile::readFile(std::uint64_t offset, std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t read =
            ::pread(descriptor_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (read < 0 && errno == EINTR) continue;
        if (read <= 0) break;
        done += static_cast<std::size_t>(read);
    }
    return done;
}
