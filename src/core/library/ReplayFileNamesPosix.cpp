#include "library/ReplayFileNames.h"

#include <dirent.h>
#include <sys/stat.h>

namespace {

// A named pipe or device called "*.rpy" would block or never end, and a folder is no file: those
// are left out. A link, or an entry whose type the file system does not list, is looked up; one
// that cannot be (a link to nothing) stays in, for the scan to report.
bool mayBeReplay(DIR* listing, const dirent& entry) {
    if (entry.d_type == DT_REG) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat status {};
    return ::fstatat(::dirfd(listing), entry.d_name, &status, 0) != 0 || S_ISREG(status.st_mode);
}

}  // namespace

std::vector<std::filesystem::path> replayFileNames(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> names;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return names;
    while (const dirent* entry = ::readdir(listing)) {
        if (hasReplayExtension(std::string_view(entry->d_name)) && mayBeReplay(listing, *entry))
            names.emplace_back(entry->d_name);
    }
    ::closedir(listing);
    return names;
}
