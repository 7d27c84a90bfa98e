#include "FuzzDocument.h"

#include "FuzzTarget.h"

namespace {

std::filesystem::path simulatorFolder() {
    return scratchFolder() / "simulator";
}

}  // namespace

FuzzDocument::FuzzDocument(std::span<const std::uint8_t> input)
    : input_(input),
      settings_(
          SettingsStores{std::make_unique<MemorySettingsStore>(), std::make_unique<MemorySettingsStore>()},
          simulatorFolder().string()) {
    const SplitInput parts = splitInput(input);
    std::filesystem::remove_all(simulatorFolder());
    replay_ = writeScratch(simulatorFolder() / "replay/fuzz.rpy", parts.first);
    writeScratch(simulatorFolder() / "tracks/testring/testring.ptf", parts.second);
    document_.addReplayLap();
    document_.openPath(replay_);
    document_.openMostRecentlyAdded();
}

std::optional<std::filesystem::path> FuzzDocument::chooseReplayFile(const std::string&, const std::string&,
                                                                    const std::filesystem::path&) {
    return replay_;
}

// The n-th selectable lap of the replay, n from the input's bytes counted from its end.
std::optional<LapChoice> FuzzDocument::chooseLap(const ReplayHeader&, const DriverTable& drivers) {
    const std::size_t from = static_cast<std::size_t>(++choices_);
    int wanted = from <= input_.size() ? input_[input_.size() - from] % 8 : 0;
    for (int session = 0; session < kSessionCount; ++session) {
        for (int driver = 0; driver < drivers.driverCount; ++driver) {
            for (int slot = 1; slot <= drivers.lapCount(session, driver); ++slot) {
                if (drivers.selectable(session, driver, slot) && wanted-- == 0)
                    return LapChoice{driver, session, slot};
            }
        }
    }
    return std::nullopt;
}
