#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "settings/SettingsStore.h"

// The user's preferences and the simulator's installation folder. Values are loaded from the stores
// when the object is made and written back by save() (the Settings dialog calls it on OK). The
// program makes one and hands it to what reads settings, which read them when they use them.
//
// The simulator folder ("Directory") chosen in Settings lives in the user's store and wins; until
// the user chooses one, the simulator's own machine-wide setup gives it. That setup belongs to the
// simulator: it is read once here and never written.
class Settings {
public:
    // `simulatorDirectoryForThisRun` (--sim-dir) is used instead of the stored folder until the user
    // sets another; save() never writes it.
    explicit Settings(SettingsStores stores,
                      std::optional<std::string> simulatorDirectoryForThisRun = std::nullopt);

    void save();

    // The switches below are stored as the integers 1 (on) and 0 (off).

    // Speeds in miles per hour rather than km/h ("MPH").
    bool speedInMph() const { return speedInMph_; }
    void setSpeedInMph(bool value) { speedInMph_ = value; }

    // No lap-quality report when a lap is added ("DontShowQualReport").
    bool dontShowQualReport() const { return dontShowQualReport_; }
    void setDontShowQualReport(bool value) { dontShowQualReport_ = value; }

    // Stored and edited only; no report reads it ("RetireInRaceReport").
    bool retireInRaceReport() const { return retireInRaceReport_; }
    void setRetireInRaceReport(bool value) { retireInRaceReport_ = value; }

    // The lap-by-lap report writes its off-track lines ("OffTheTrackInRaceReport").
    bool offTheTrackInRaceReport() const { return offTheTrackInRaceReport_; }
    void setOffTheTrackInRaceReport(bool value) { offTheTrackInRaceReport_ = value; }

    // Size in pixels of the exported track-map bitmap ("BMPSizeInPixel").
    std::int32_t bmpSizeInPixel() const { return bmpSizeInPixel_; }
    void setBmpSizeInPixel(std::int32_t value) { bmpSizeInPixel_ = value; }

    const std::string& altRpyPath() const { return altRpyPath_; }
    void setAltRpyPath(std::string value) { altRpyPath_ = std::move(value); }

    const std::string& recordsPath() const { return recordsPath_; }
    void setRecordsPath(std::string value) { recordsPath_ = std::move(value); }

    std::int32_t defaultPlayerIndex() const { return defaultPlayerIndex_; }
    void setDefaultPlayerIndex(std::int32_t value) { defaultPlayerIndex_ = value; }

    std::int32_t spyGirlMsg() const { return spyGirlMsg_; }
    void setSpyGirlMsg(std::int32_t value) { spyGirlMsg_ = value; }

    // The simulator folder in force: the override of this run, else the user's choice, else the
    // simulator's own.
    const std::string& simulatorDirectory() const;
    // The folders as paths: the stored text's own bytes on POSIX, its UTF-8 on Windows.
    std::filesystem::path simulatorFolder() const;
    std::filesystem::path alternativeReplayFolder() const;
    // The user's choice of folder (the one save() writes); ends any override of this run.
    void setSimulatorDirectory(std::string value);

private:
    std::unique_ptr<SettingsStore> user_;

    bool speedInMph_;
    bool dontShowQualReport_;
    bool retireInRaceReport_;
    bool offTheTrackInRaceReport_;
    std::int32_t bmpSizeInPixel_;
    std::string altRpyPath_;
    std::string recordsPath_;
    std::int32_t defaultPlayerIndex_;
    std::int32_t spyGirlMsg_;
    std::optional<std::string> chosenSimulatorDirectory_;
    std::string simulatorsOwnDirectory_;
    std::optional<std::string> simulatorDirectoryOverride_;
};
