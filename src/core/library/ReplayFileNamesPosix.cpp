#include "library/ReplayFileNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <string_view>

namespace {

// ".rpy" alone is a name without an extension.
bool hasReplayExtension(std::string_view name) {
    constexpr std::string_view extension = ".rpy";
    if (name.size() <= extension.size()) return false;
    const std::string_view tail = name.substr(name.size() - extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char c = tail[i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != extension[i]) return false;
    }
    return true;
}

// A named pipe or device called "*.rpy" would block or never end: regular files only. A link, or
// an entry whose type the file system does not list, is looked up.
bool isRegularFile(DIR* listing, const dirent& entry) {
    if (entry.d_type == DT_REG) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat status {};
    return ::fstatat(::dirfd(listing), entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

std::vector<std::filesystem::path> replayFileNames(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> names;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return names;
    while (const dirent* entry = ::readdir(listing)) {
        if (hasReplayExtension(entry->d_name) && isRegularFile(listing, *entry))
            names.emplace_back(entry->d_name);
    }
    ::closedir(listing);
    return names;
}
