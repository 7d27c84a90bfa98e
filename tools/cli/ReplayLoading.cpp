#include "ReplayLoading.h"

#include "replay/ReplayMessages.h"

std::optional<LoadedReplay> loadReplay(const std::filesystem::path& path, std::ostream& err) {
    LoadedReplay replay;
    if (replay.header.read(path) != ReplayHeader::kOk) {
        err << kHeaderReadError << "\n" << path.string() << "\n";
        return std::nullopt;
    }
    if (replay.header.formatVersion < 3) {
        err << kZdkNotSupported << "\n" << path.string() << "\n";
        return std::nullopt;
    }
    replay.drivers = std::make_unique<DriverTable>();
    if (replay.drivers->read(path) != DriverTable::kOk) {
        if (replay.drivers->failure == DriverTable::Failure::TooManyDrivers) {
            err << tooManyDriversMessage(replay.drivers->driverCount) << "\n";
        }
        err << kDriversReadError << "\n(" << failureText(replay.drivers->failure) << ")\n";
        return std::nullopt;
    }
    return replay;
}

const char* sessionKey(int session) {
    static constexpr const char* kKeys[] = {"practice", "qualifying", "warmup", "race"};
    return (session >= 0 && session < kSessionCount) ? kKeys[session] : "unknown";
}

std::optional<int> sessionFromKey(const std::string& key) {
    for (int s = 0; s < kSessionCount; ++s) {
        if (key == sessionKey(s)) return s;
    }
    return std::nullopt;
}
