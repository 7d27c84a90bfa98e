#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

// The names of the "*.rpy" files (extension in any case) in `folder` that may be replays, in the
// order the system lists them; none when the folder cannot be listed, and those listed so far when
// the listing fails part way. Folders, pipes, sockets and devices are left out, and so are links to
// them; a name whose type cannot be learnt (a link to nothing) is listed, so the scan reports it as
// unreadable like any other replay it cannot read. Names only: a scan of thousands of files builds
// no path for each. The type comes with the listing where the system gives it: readdir's entry
// type on POSIX systems (ReplayFileNamesPosix.cpp), FindFirstFileW's attributes on Windows, which
// give each file's date and size as well.
std::vector<std::filesystem::path> replayFileNames(const std::filesystem::path& folder);

// Whether a name in the listing's own units (bytes on POSIX systems, UTF-16 on Windows) ends in
// ".rpy" in any case. ".rpy" alone is a name without an extension.
template <typename Char>
bool hasReplayExtension(std::basic_string_view<Char> name) {
    constexpr std::string_view extension = ".rpy";
    if (name.size() <= extension.size()) return false;
    const std::basic_string_view<Char> tail = name.substr(name.size() - extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const Char c = tail[i];
        const Char lower = c >= Char('A') && c <= Char('Z') ? Char(c - Char('A') + Char('a')) : c;
        if (lower != Char(extension[i])) return false;
    }
    return true;
}
