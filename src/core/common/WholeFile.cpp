#include "common/WholeFile.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "common/System.h"

namespace {

constexpr int kNameAttempts = 100;

std::filesystem::path temporaryBeside(const std::filesystem::path& path, std::mt19937_64& random) {
    std::filesystem::path temporary = path;
    temporary += "." + std::to_string(random()) + ".part";
    return temporary;
}

// A fresh file beside `path`, created exclusively (an existing entry, a link included, is never
// opened, so a planted link cannot redirect the write). Null when none can be made.
std::FILE* createTemporary(const std::filesystem::path& path, bool binary, std::filesystem::path& temporary) {
    std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary = temporaryBeside(path, random);
        errno = 0;
        if (std::FILE* file = createNewFile(temporary, binary)) return file;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

// Writes all of `data` and closes the file; false when a write, the final flush or the close fails.
bool writeAndClose(std::FILE* file, std::string_view data) {
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    return written && flushed && closed;
}

}  // namespace

bool writeWholeFile(const std::filesystem::path& path, std::string_view data, std::ios::openmode mode) {
    std::filesystem::path temporary;
    std::FILE* file = createTemporary(path, (mode & std::ios::binary) != 0, temporary);
    if (!file) return false;
    std::error_code error;
    if (writeAndClose(file, data)) {
        std::filesystem::rename(temporary, path, error);
        if (!error) return true;
    }
    std::filesystem::remove(temporary, error);
    return false;
}
