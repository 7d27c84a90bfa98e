#include "common/SimulatorFolders.h"

#include "common/PathText.h"
#include "common/Text1252.h"

std::filesystem::path entryIgnoringCase(const std::filesystem::path& folder, const std::string& name) {
    std::error_code error;
    const std::filesystem::path exact = folder / pathFromString(name);
    if (std::filesystem::exists(exact, error)) return exact;
    const std::string key = entryNameKey(name);
    for (const auto& entry : folderEntries(folder)) {
        if (entryNameKey(pathString(entry.path().filename())) == key) return entry.path();
    }
    return exact;
}

std::string entryNameKey(std::string_view name) {
    return lowerCase1252Letters(nameText(name));
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
