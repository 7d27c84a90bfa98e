#include "document/LoadPipeline.h"

#include "common/PathText.h"
#include "replay/LapCatalogue.h"
#include "replay/LapTimeCheck.h"
#include "replay/ReplayMessages.h"

namespace {

constexpr const char* kCannotFindTrack =
    "Can't find track for this replay!\nYou'll not be able to see any track maps nor speed data!\nMake sure "
    "VELTRA4 Path is set correctly in File->Settings\n\nDetailed error message:\n";

}  // namespace

Result<std::unique_ptr<ReplayHeader>, LoadMessages> readReplayHeader(const std::filesystem::path& path) {
    auto header = std::make_unique<ReplayHeader>();
    if (const auto read = header->read(path); !read)
        return LoadMessages{failureMessage(*read.error()), pathString(path)};
    if (header->formatVersion < 3) return LoadMessages{kZdkNotSupported, pathString(path)};
    return header;
}

Result<std::unique_ptr<DriverTable>, LoadMessages> readDriverTable(const std::filesystem::path& path) {
    auto drivers = std::make_unique<DriverTable>();
    const auto read = drivers->read(path);
    if (read) return drivers;
    LoadMessages messages;
    if (read.error() == DriverTableError::TooManyDrivers)
        messages.push_back(tooManyDriversMessage(drivers->driverCount));
    messages.push_back(failureMessage(*read.error()));
    return messages;
}

Result<ReplayFile, LoadMessages> readReplay(const std::filesystem::path& path) {
    auto header = readReplayHeader(path);
    if (!header) return header.error();
    auto drivers = readDriverTable(path);
    if (!drivers) return drivers.error();
    return ReplayFile{std::move(header).value(), std::move(drivers).value()};
}

Result<std::unique_ptr<LoadedTrack>, LoadMessages> loadReplayTrack(
    const std::filesystem::path& simulatorDirectory, const std::string& trackName) {
    auto track = loadTrack(simulatorDirectory, trackName);
    if (!track) return LoadMessages{kCannotFindTrack + track.error().message()};
    return std::move(track).value();
}

std::string LapLoad::failureMessage() const {
    if (!read) return ::failureMessage(*read.error());
    if (!processing) return ::failureMessage(*processing.error());
    return "";
}

LapLoad loadLap(const DriverTable& drivers, const LapChoice& choice, const LoadedTrack* track) {
    LapLoad load;
    auto lap = std::make_unique<LapTelemetry>();
    load.read = lap->read(drivers, choice.driver, choice.slot, choice.session);
    if (!load.read) return load;
    const std::uint32_t entry = drivers.lapEntry(choice.session, choice.driver, choice.slot);
    load.qualityReport = qualityReport(*lap, entry, QualityReportForm::LoadSequence);
    // A lap without a line crossing at both ends cannot be shown: a failed read as well.
    load.processing = lap->process(1);
    if (!load.processing) return load;
    if (track) {
        load.lapTimeCheck = lapTimeCheckMessage(*lap, lapDuration(entry), track->length.metres);
        load.drivingLine = std::make_unique<DrivingLine>(track->model, *lap);
        computeMapChannels(*lap, track->model, track->length.metres);
    }
    load.telemetry = std::move(lap);
    return load;
}
