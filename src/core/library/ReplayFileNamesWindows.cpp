#include <windows.h>

#include "library/ReplayFileNames.h"

namespace {

// No folders, and no devices, which Windows lists with their own attribute. A link keeps the
// attributes it was made with, whatever it points to now: a file link stays in (for the scan to
// report it if its file is gone, or is a folder), a folder link is left out.
bool mayBeReplay(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

}  // namespace

std::vector<std::filesystem::path> replayFileNames(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> names;
    WIN32_FIND_DATAW entry{};
    const HANDLE listing = FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &entry,
                                            FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (listing == INVALID_HANDLE_VALUE) return names;
    do {
        if (hasReplayExtension(std::wstring_view(entry.cFileName)) && mayBeReplay(entry))
            names.emplace_back(entry.cFileName);
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);
    return names;
}
