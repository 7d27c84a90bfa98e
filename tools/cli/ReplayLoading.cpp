#include "ReplayLoading.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "common/PathText.h"

namespace {

// Why the file cannot be opened, by the system; nothing when it opens. (The stream opens the file
// with the C library, which leaves its reason in errno.)
std::optional<std::string> cannotOpenReason(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return std::string(std::strerror(EISDIR));
    errno = 0;
    if (std::ifstream(path, std::ios::binary).is_open()) return std::nullopt;
    return errno == 0 ? std::nullopt : std::optional<std::string>(std::strerror(errno));
}

}  // namespace

void tellLoadFailure(std::ostream& err, const LoadMessages& messages, const std::filesystem::path& path) {
    const auto reason = cannotOpenReason(path);
    for (const std::string& message : messages) {
        err << "vxra: " << message;
        if (reason && message == pathString(path)) err << ": " << *reason;
        err << "\n";
    }
}

std::optional<ReplayFile> loadReplayFile(const std::filesystem::path& path, std::ostream& err) {
    auto replay = readReplay(path);
    if (!replay) {
        tellLoadFailure(err, replay.error(), path);
        return std::nullopt;
    }
    return std::move(replay).value();
}
