#include "settings/Settings.h"

#include "common/PathText.h"

namespace {

constexpr const char* kDirectory = "Directory";

std::int32_t storedSwitch(bool on) {
    return on ? 1 : 0;
}

}  // namespace

Settings::Settings(SettingsStores stores, std::optional<std::string> simulatorDirectoryForThisRun)
    : user_(std::move(stores.user)), simulatorDirectoryOverride_(std::move(simulatorDirectoryForThisRun)) {
    const SettingsStore& user = *user_;
    speedInMph_ = user.readInt("MPH").value_or(0) == 1;
    dontShowQualReport_ = user.readInt("DontShowQualReport").value_or(0) != 0;
    retireInRaceReport_ = user.readInt("RetireInRaceReport").value_or(0) == 1;
    offTheTrackInRaceReport_ = user.readInt("OffTheTrackInRaceReport").value_or(0) == 1;
    bmpSizeInPixel_ = user.readInt("BMPSizeInPixel").value_or(768);
    altRpyPath_ = user.readString("AltRpyPath").value_or("");
    recordsPath_ = user.readString("RecordsPath").value_or("");
    defaultPlayerIndex_ = user.readInt("DefaultPlayerIndex").value_or(-1);
    spyGirlMsg_ = user.readInt("SpyGirlMsg").value_or(0);

    // An empty choice is none: the simulator's own folder then still applies.
    chosenSimulatorDirectory_ = user.readString(kDirectory);
    if (chosenSimulatorDirectory_ && chosenSimulatorDirectory_->empty()) chosenSimulatorDirectory_.reset();
    simulatorsOwnDirectory_ = stores.machine->readString(kDirectory).value_or("");
}

const std::string& Settings::simulatorDirectory() const {
    if (simulatorDirectoryOverride_) return *simulatorDirectoryOverride_;
    return chosenSimulatorDirectory_ ? *chosenSimulatorDirectory_ : simulatorsOwnDirectory_;
}

std::filesystem::path Settings::simulatorFolder() const {
    return pathFromString(simulatorDirectory());
}

std::filesystem::path Settings::alternativeReplayFolder() const {
    return pathFromString(altRpyPath_);
}

void Settings::setSimulatorDirectory(std::string value) {
    chosenSimulatorDirectory_ = std::move(value);
    simulatorDirectoryOverride_.reset();
}

void Settings::save() {
    SettingsStore& user = *user_;
    if (chosenSimulatorDirectory_) user.writeString(kDirectory, *chosenSimulatorDirectory_);
    user.writeInt("DontShowQualReport", storedSwitch(dontShowQualReport_));
    user.writeInt("RetireInRaceReport", storedSwitch(retireInRaceReport_));
    user.writeInt("OffTheTrackInRaceReport", storedSwitch(offTheTrackInRaceReport_));
    user.writeInt("BMPSizeInPixel", bmpSizeInPixel_);
    user.writeInt("MPH", storedSwitch(speedInMph_));
    user.writeString("AltRpyPath", altRpyPath_);
    user.writeString("RecordsPath", recordsPath_);
    user.writeInt("DefaultPlayerIndex", defaultPlayerIndex_);
    user.writeInt("SpyGirlMsg", spyGirlMsg_);
}
