#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "common/Result.h"
#include "replay/ReplayFormat.h"

class BinaryFile;

enum class HeaderError {
    CannotOpen,
    NotAReplay,  // wrong signature, or shorter than the head
};

// The fixed-size head of a replay file: signature and version, the lengths that locate the
// telemetry, who saved the replay, the track, the car set and the weekend's settings.
class ReplayHeader {
public:
    // Reads and decodes the head of `path`.
    Outcome<HeaderError> read(const std::filesystem::path& path);
    // The same from `file`, opened (or not) by the caller; fileName is left as it is (a scan of many
    // files keeps their paths itself).
    Outcome<HeaderError> read(BinaryFile& file);

    // Minutes of a session length from the upper 24 bits of its float seconds: -1 means no limit,
    // 66 a value the table does not know.
    static int sessionMinutes(std::uint32_t upper24);

    std::array<std::uint8_t, kHeadSize> raw{};
    std::filesystem::path fileName;

    bool fixedSetup = false;
    bool forceInCarView = false;
    bool forceSmoke = false;
    bool quickRace = false;
    int raceLaps = 0;
    int qualifyingLaps = 0;
    int raceDistancePercent = 0;
    int practiceMinutes = 0;
    int warmupMinutes = 0;
    int aiStrength = 0;
    bool cloudy = false;
    int windSpeed = 0;
    int temperature = 0;
    int manualWeather = 0;
    bool arcadeMode = false;
    bool fullPaceLap = false;
    std::string windDirection;
    bool doubleFileRestarts = false;
    bool yellowFlags = false;
    int damageLevel = 0;
    int formatVersion = 0;
    std::uint64_t fileLength = 0;
    std::uint32_t frameCount = 0;
    int sessionInProgress = 0;
    std::string ownerFirstName;  // Windows-1252, at most 15 characters
    std::string ownerLastName;
    std::string trackName;  // lower case
    std::string carSet;
    std::uint16_t aiCars = 0;

    // The track's name with its first letter in upper case ("Rivaldi"), as titles and reports show it.
    std::string capitalisedTrackName() const;

private:
    void decode();
};
