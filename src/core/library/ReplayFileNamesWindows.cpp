#include <windows.h>

#include <string_view>

#include "library/ReplayFileNames.h"

namespace {

// ".rpy" alone is a name without an extension.
bool hasReplayExtension(std::wstring_view name) {
    constexpr std::wstring_view extension = L".rpy";
    if (name.size() <= extension.size()) return false;
    const std::wstring_view tail = name.substr(name.size() - extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const wchar_t c = tail[i];
        if ((c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c) != extension[i]) return false;
    }
    return true;
}

// Files only: no folders, and no devices, which Windows lists with their own attribute.
bool isFile(const WIN32_FIND_DATAW& entry) {
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
        if (hasReplayExtension(entry.cFileName) && isFile(entry)) names.emplace_back(entry.cFileName);
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);
    return names;
}
