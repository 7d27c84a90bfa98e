#include "library/LapFinderScan.h"

#include <algorithm>
#include <memory>
#include <tuple>

#include "common/BinaryFile.h"
#include "common/PathText.h"
#include "common/SimulatorFolders.h"
#include "common/Text1252.h"
#include "common/TimeText.h"
#include "library/ReplayFileNames.h"
#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"

namespace {

namespace fs = std::filesystem;

// A replay folder's files, sorted by name: the folder once, shared by the rows of all its files.
struct ListedFolder {
    std::shared_ptr<const fs::path> folder;
    std::vector<fs::path> names;
};

ListedFolder listedFolder(const fs::path& folder) {
    // Each name lower-cased once for the sort: byte comparisons of these give nameOrder's order.
    struct SortedName {
        std::string lowerName;
        fs::path name;
    };
    std::vector<SortedName> sorted;
    for (fs::path& name : replayFileNames(folder))
        sorted.push_back({asciiLower(pathString(name)), std::move(name)});
    std::sort(sorted.begin(), sorted.end(), [](const SortedName& a, const SortedName& b) {
        return std::tie(a.lowerName, a.name.native()) < std::tie(b.lowerName, b.name.native());
    });
    ListedFolder listed{std::make_shared<const fs::path>(folder), {}};
    listed.names.reserve(sorted.size());
    for (SortedName& file : sorted)
        listed.names.push_back(std::move(file.name));
    return listed;
}

// The replay folder, then the alternative folder unless it is the same.
std::vector<ListedFolder> listedFolders(const fs::path& simulatorDirectory,
                                        const fs::path& alternativeFolder) {
    const fs::path replays = replayFolder(simulatorDirectory);
    std::vector<ListedFolder> folders{listedFolder(replays)};
    // Made canonical first: on Windows, equivalent() takes a folder written with a trailing
    // separator ("replay\" as a user may set it) for another folder than the same without.
    std::error_code error;
    if (!alternativeFolder.empty() &&
        !fs::equivalent(fs::canonical(alternativeFolder, error), replays, error))
        folders.push_back(listedFolder(alternativeFolder));
    return folders;
}

bool filteredOut(const DriverTable& drivers, int driver, LapFilter filter) {
    switch (filter) {
        case LapFilter::AllLaps:
            return false;
        case LapFilter::NoAiLaps:
            return drivers.driver(driver).kind == DriverRecord::AiCar;
        case LapFilter::OwnerLapsOnly:
            return driver != drivers.ownerIndex;
    }
    return false;
}

ScanMessage unreadableFile(const fs::path& path) {
    return {kUnreadableReplayCaption, pathText(path)};
}

// The rows of one replay: drivers in table order (less those the filter leaves out), then sessions
// practice, qualifying, warmup, race that the file holds, then the selectable lap slots. Each row's
// scan order counts on from `scanOrder`.
std::vector<FoundLap> lapsOfReplay(const std::shared_ptr<const fs::path>& folder, fs::path name,
                                   const ReplayHeader& header, const DriverTable& drivers, LapFilter filter,
                                   std::size_t& scanOrder) {
    std::vector<FoundLap> laps;
    laps.reserve(drivers.driverCount);
    std::string fileName = pathText(name);
    const auto replay = std::make_shared<FoundReplay>(
        FoundReplay{.folder = folder,
                    .name = std::move(name),
                    .fileDate = drivers.fileDate,
                    .fileName = std::move(fileName),
                    .fileDay = fileDateNumber(drivers.fileDate),
                    .driverNames = std::vector<std::string>(drivers.driverCount),
                    .arcadeMode = header.arcadeMode,
                    .practiceIsTraining = drivers.driverCount == 2});
    for (int driver = 0; driver < drivers.driverCount; ++driver) {
        if (filteredOut(drivers, driver, filter)) continue;
        const std::size_t rowsBefore = laps.size();
        for (int session = 0; session < kSessionCount; ++session) {
            if (!drivers.sessionPresent[static_cast<std::size_t>(session)]) continue;
            for (int slot = 1; slot <= drivers.lapCount(session, driver); ++slot) {
                if (!drivers.selectable(session, driver, slot)) continue;
                laps.push_back({.replay = replay,
                                .lap = {driver, session, slot},
                                .lapMs = lapDuration(drivers.lapEntry(session, driver, slot)),
                                .scanOrder = scanOrder++});
            }
        }
        if (laps.size() > rowsBefore)
            replay->driverNames[static_cast<std::size_t>(driver)] = win1252ToUtf8(drivers.driverName(driver));
    }
    return laps;
}

}  // namespace

std::vector<fs::path> lapFinderFiles(const fs::path& simulatorDirectory, const fs::path& alternativeFolder) {
    std::vector<fs::path> files;
    for (const ListedFolder& listed : listedFolders(simulatorDirectory, alternativeFolder)) {
        for (const fs::path& name : listed.names)
            files.push_back(*listed.folder / name);
    }
    return files;
}

bool scanLaps(const LapFinderRequest& request, LapFinderSink& sink) {
    std::vector<ListedFolder> folders = listedFolders(request.simulatorDirectory, request.alternativeFolder);
    std::size_t fileCount = 0;
    for (const ListedFolder& listed : folders)
        fileCount += listed.names.size();
    const std::string track = entryNameKey(request.track);
    std::size_t filesDone = 0;
    std::size_t scanOrder = 0;
    // One of each for all files, so their buffers are made once.
    BinaryFile file;
    ReplayHeader header;
    DriverTable drivers;
    for (ListedFolder& listed : folders) {
        const fs::path& folder = *listed.folder;
        for (fs::path& name : listed.names) {
            if (!sink.progress(filesDone++, fileCount)) return false;
            // One opening for both readers: most of what they read lies in the file's first block.
            file.openInFolderOfTheLast(folder, name);
            if (!header.read(file)) {
                if (!sink.unreadable({unreadableFile(folder / name)})) return false;
                continue;
            }
            if (header.formatVersion < 3 || entryNameKey(header.trackName) != track) continue;
            if (const auto read = drivers.read(file, [&sink] { return sink.stopRequested(); }); !read) {
                if (read.error() == DriverTableError::Cancelled) return false;
                std::vector<ScanMessage> messages;
                if (read.error() == DriverTableError::TooManyDrivers)
                    messages.push_back({"", tooManyDriversMessage(drivers.driverCount)});
                messages.push_back(unreadableFile(folder / name));
                if (!sink.unreadable(messages)) return false;
                continue;
            }
            // The list's name is not needed again: the rows take it.
            std::vector<FoundLap> laps =
                lapsOfReplay(listed.folder, std::move(name), header, drivers, request.filter, scanOrder);
            if (!laps.empty()) sink.found(std::move(laps));
        }
    }
    return sink.progress(fileCount, fileCount);
}

FoundLaps findLaps(const LapFinderRequest& request) {
    struct Collector : LapFinderSink {
        bool progress(std::size_t, std::size_t) override { return true; }
        void found(std::vector<FoundLap> laps) override {
            result.laps.insert(result.laps.end(), std::make_move_iterator(laps.begin()),
                               std::make_move_iterator(laps.end()));
        }
        bool unreadable(const std::vector<ScanMessage>& messages) override {
            result.messages.insert(result.messages.end(), messages.begin(), messages.end());
            return true;
        }
        FoundLaps result;
    } collector;
    scanLaps(request, collector);
    return std::move(collector.result);
}
