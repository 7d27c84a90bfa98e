#include "settings/Settings.h"

namespace {

constexpr const char* kDirectory = "Directory";

}  // namespace

Settings::Settings(SettingsStores stores, std::optional<std::string> simulatorDirectoryForThisRun)
    : stores_(std::move(stores)), simulatorDirectoryOverride_(std::move(simulatorDirectoryForThisRun)) {
    const SettingsStore& user = *stores_.user;
    speedUnit_ = user.readInt("MPH").value_or(0);
    dontShowQualReport_ = user.readInt("DontShowQualReport").value_or(0);
    retireInRaceReport_ = user.readInt("RetireInRaceReport").value_or(0);
    offTheTrackInRaceReport_ = user.readInt("OffTheTrackInRaceReport").value_or(0);
    bmpSizeInPixel_ = user.readInt("BMPSizeInPixel").value_or(768);
    altRpyPath_ = user.readString("AltRpyPath").value_or("");
    recordsPath_ = user.readString("RecordsPath").value_or("");
    defaultPlayerIndex_ = user.readInt("DefaultPlayerIndex").value_or(-1);
    spyGirlMsg_ = user.readInt("SpyGirlMsg").value_or(0);

    if (auto own = user.readString(kDirectory)) {
        simulatorDirectory_ = *own;
    } else {
        simulatorDirectory_ = stores_.machine->readString(kDirectory).value_or("");
    }
}

const std::string& Settings::simulatorDirectory() const {
    return simulatorDirectoryOverride_ ? *simulatorDirectoryOverride_ : simulatorDirectory_;
}

void Settings::setSimulatorDirectory(std::string value) {
    simulatorDirectory_ = std::move(value);
    simulatorDirectoryOverride_.reset();
}

void Settings::save() {
    SettingsStore& user = *stores_.user;
    if (stores_.machine->writeString(kDirectory, simulatorDirectory_)) {
        user.remove(kDirectory);
    } else {
        user.writeString(kDirectory, simulatorDirectory_);
    }
    user.writeInt("DontShowQualReport", dontShowQualReport_);
    user.writeInt("RetireInRaceReport", retireInRaceReport_);
    user.writeInt("OffTheTrackInRaceReport", offTheTrackInRaceReport_);
    user.writeInt("BMPSizeInPixel", bmpSizeInPixel_);
    user.writeInt("MPH", speedUnit_);
    user.writeString("AltRpyPath", altRpyPath_);
    user.writeString("RecordsPath", recordsPath_);
    user.writeInt("DefaultPlayerIndex", defaultPlayerIndex_);
    user.writeInt("SpyGirlMsg", spyGirlMsg_);
}
