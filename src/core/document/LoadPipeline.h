#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Result.h"
#include "document/DrivingLine.h"
#include "replay/DriverTable.h"
#include "replay/LapChoice.h"
#include "replay/LapTelemetry.h"
#include "replay/ReplayHeader.h"
#include "track/LoadedTrack.h"

// The steps of loading a lap, as the document, the report window's report-only file and every
// command of the command-line tool take them. Each gives its result as data, with the messages the
// program shows for it (Windows-1252), so a message, a check or a mend exists once.

// What a failed step tells the user, in order.
using LoadMessages = std::vector<std::string>;

// A replay's head. Fails with the reader's message and the path, or with the refusal of a
// replay of the older format (version below 3) and the path.
Result<std::unique_ptr<ReplayHeader>, LoadMessages> readReplayHeader(const std::filesystem::path& path);
// A replay's driver table. Fails with the reader's message, after the count when there are too
// many drivers.
Result<std::unique_ptr<DriverTable>, LoadMessages> readDriverTable(const std::filesystem::path& path);

// Both, for a report or a command that needs no lap.
struct ReplayFile {
    std::unique_ptr<ReplayHeader> header;
    std::unique_ptr<DriverTable> drivers;
};
Result<ReplayFile, LoadMessages> readReplay(const std::filesystem::path& path);

// The track of a replay, decoded and modelled, with its official length. Fails with the message
// that the track cannot be found and the decoder's text.
Result<std::unique_ptr<LoadedTrack>, LoadMessages> loadReplayTrack(
    const std::filesystem::path& simulatorDirectory, const std::string& trackName);

// A lap read, checked and processed, and with a track its driving line, map channels and the
// lap-time check. The steps stop at the first failure: `read`, then `processing`.
struct LapLoad {
    Outcome<LapReadError> read;
    std::string qualityReport;  // of the lap read, in the load sequence's form; empty when not read
    Outcome<LapReadError> processing;
    std::unique_ptr<LapTelemetry> telemetry;   // a lap read and processed
    std::unique_ptr<DrivingLine> drivingLine;  // with a track
    std::optional<std::string> lapTimeCheck;   // with a track: what the check finds wrong

    bool ok() const { return read.ok() && processing.ok(); }
    // The message of the failed step.
    std::string failureMessage() const;
};
LapLoad loadLap(const DriverTable& drivers, const LapChoice& choice, const LoadedTrack* track);
