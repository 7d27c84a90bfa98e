#include "library/LapFinderScan.h"

#include <algorithm>
#include <string_view>
#include <tuple>

#include "common/BinaryFile.h"
#include "common/PathText.h"
#include "common/SimulatorFolders.h"
#include "common/Text1252.h"
#include "common/TimeText.h"
#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"

namespace {

namespace fs = std::filesystem;

// Whether a listed path names a "*.rpy" file (extension in any case), read off the native text's
// tail: no path pieces are made for the thousands of files a folder may hold.
bool hasReplayExtension(const fs::path::string_type& native) {
    constexpr std::string_view extension = ".rpy";
    if (native.size() <= extension.size()) return false;
    const std::size_t start = native.size() - extension.size();
    // "x/.rpy" is a name without an extension.
    const auto before = native[start - 1];
    if (before == '/' || before == fs::path::preferred_separator) return false;
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const auto c = native[start + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != extension[i]) return false;
    }
    return true;
}

std::vector<fs::path> replayFilesIn(const fs::path& folder) {
    // Each file's name, and the same lower-cased, taken once for the sort: byte comparisons of
    // these give nameOrder's order.
    struct NamedFile {
        std::string lowerName;
        std::string name;
        fs::path path;
    };
    std::vector<NamedFile> named;
    std::error_code error;
    // Straight from the iterator, whose entries know their type from the listing: no status call.
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        std::error_code typeError;
        // A named pipe or device called "*.rpy" would block or never end: regular files only.
        if (hasReplayExtension(path.native()) && it->is_regular_file(typeError)) {
            std::string name = path.filename().string();
            named.push_back({asciiLower(name), std::move(name), path});
        }
    }
    std::sort(named.begin(), named.end(), [](const NamedFile& a, const NamedFile& b) {
        return std::tie(a.lowerName, a.name) < std::tie(b.lowerName, b.name);
    });
    std::vector<fs::path> files;
    files.reserve(named.size());
    for (NamedFile& file : named)
        files.push_back(std::move(file.path));
    return files;
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
std::vector<FoundLap> lapsOfReplay(fs::path path, const ReplayHeader& header, const DriverTable& drivers,
                                   LapFilter filter, std::size_t& scanOrder) {
    std::vector<FoundLap> laps;
    laps.reserve(drivers.driverCount);
    std::string fileName = pathText(path.filename());
    const auto replay = std::make_shared<FoundReplay>(
        FoundReplay{.path = std::move(path),
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
    const fs::path replays = replayFolder(simulatorDirectory);
    std::vector<fs::path> files = replayFilesIn(replays);
    std::error_code error;
    if (!alternativeFolder.empty() && !fs::equivalent(alternativeFolder, replays, error)) {
        const std::vector<fs::path> more = replayFilesIn(alternativeFolder);
        files.insert(files.end(), more.begin(), more.end());
    }
    return files;
}

bool scanLaps(const LapFinderRequest& request, LapFinderSink& sink) {
    std::vector<fs::path> files = lapFinderFiles(request.simulatorDirectory, request.alternativeFolder);
    const std::string track = asciiLower(request.track);
    std::size_t scanOrder = 0;
    // One of each for all files, so their buffers are made once.
    BinaryFile file;
    ReplayHeader header;
    DriverTable drivers;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!sink.progress(i, files.size())) return false;
        fs::path& path = files[i];
        // One opening for both readers: most of what they read lies in the file's first block.
        file.openInFolderOfTheLast(path);
        if (!header.read(file)) {
            if (!sink.unreadable({unreadableFile(path)})) return false;
            continue;
        }
        if (header.formatVersion < 3 || header.trackName != track) continue;
        if (const auto read = drivers.read(file, [&sink] { return sink.stopRequested(); }); !read) {
            if (read.error() == DriverTableError::Cancelled) return false;
            std::vector<ScanMessage> messages;
            if (read.error() == DriverTableError::TooManyDrivers)
                messages.push_back({"", tooManyDriversMessage(drivers.driverCount)});
            messages.push_back(unreadableFile(path));
            if (!sink.unreadable(messages)) return false;
            continue;
        }
        // The list's path is not needed again: the rows take it.
        std::vector<FoundLap> laps =
            lapsOfReplay(std::move(path), header, drivers, request.filter, scanOrder);
        if (!laps.empty()) sink.found(std::move(laps));
    }
    return sink.progress(files.size(), files.size());
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
