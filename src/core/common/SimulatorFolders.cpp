#include "common/SimulatorFolders.h"

#include <algorithm>

#include "common/PathText.h"

namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::filesystem::path entryIgnoringCase(const std::filesystem::path& folder, const std::string& name) {
    std::error_code error;
    const std::filesystem::path exact = folder / pathFromString(name);
    if (std::filesystem::exists(exact, error)) return exact;
    for (const auto& entry : folderEntries(folder)) {
        if (equalIgnoringCase(pathString(entry.path().filename()), name)) return entry.path();
    }
    return exact;
}

std::filesystem::path replayFolder(const std::filesystem::path& simulatorDirectory) {
    return entryIgnoringCase(simulatorDirectory, "replay");
}

std::filesystem::path tracksFolder(const std::filesystem::path& simulatorDirectory) {
    return entryIgnoringCase(simulatorDirectory, "tracks");
}

std::filesystem::path trackFolder(const std::filesystem::path& tracksDirectory,
                                  const std::string& trackName) {
    return entryIgnoringCase(tracksDirectory, trackName);
}

std::vector<std::filesystem::directory_entry> folderEntries(const std::filesystem::path& folder) {
    std::vector<std::filesystem::directory_entry> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(*it);
    return entries;
}
