#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "library/FoundLap.h"

// The Lap Finder's scan: every loadable lap of one track in the simulator's replay folder and then
// in the alternative replay folder, file by file.

enum class LapFilter { AllLaps, NoAiLaps, OwnerLapsOnly };

struct LapFinderRequest {
    std::filesystem::path simulatorDirectory;
    std::filesystem::path alternativeFolder;  // the setting "AltRpyPath"; empty when not set
    std::string track;                        // a track folder's name, as installedTracks gives it
    LapFilter filter = LapFilter::AllLaps;
};

// A message the scan has for the user (UTF-8). An empty caption is the program's own.
struct ScanMessage {
    std::string caption;
    std::string text;
};
inline constexpr const char* kUnreadableReplayCaption =
    "Error reading replay file - is this a standard VELTRA4 replay?";

// Where the scan reports. It runs on the caller's thread; a sink that returns false ends the scan.
class LapFinderSink {
public:
    virtual ~LapFinderSink() = default;
    // Before each file and once at the end: files done out of the files listed.
    virtual bool progress(std::size_t filesDone, std::size_t fileCount) = 0;
    // The rows of one file, in the list's order.
    virtual void found(std::vector<FoundLap> laps) = 0;
    // A file that cannot be read: its messages, in the order they are shown.
    virtual bool unreadable(const std::vector<ScanMessage>& messages) = 0;
    // Asked often while a file is read, so a damaged file that is long to read cannot hold up an
    // end the user asked for: true ends the scan there.
    virtual bool stopRequested() const { return false; }
};

// The files the scan reads: the "*.rpy" files (extension in any case) that may be replays
// (replayFileNames) of the replay folder and then of the alternative folder, unless that is the
// same folder; each folder sorted by name.
std::vector<std::filesystem::path> lapFinderFiles(const std::filesystem::path& simulatorDirectory,
                                                  const std::filesystem::path& alternativeFolder);

// Scans; false when the sink ended it. Of each file the head is read first, and the driver table
// only when the replay is of the chosen track (the names compared by entryNameKey, as the track's
// folder is found); replays of the older format (version below 3), which cannot be loaded, are
// passed over.
bool scanLaps(const LapFinderRequest& request, LapFinderSink& sink);

// The whole scan at once, for callers that need not watch it: every row and message, in order.
struct FoundLaps {
    std::vector<FoundLap> laps;
    std::vector<ScanMessage> messages;
};
FoundLaps findLaps(const LapFinderRequest& request);
