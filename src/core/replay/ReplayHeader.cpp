#include "replay/ReplayHeader.h"

#include <algorithm>

#include "common/BinaryFile.h"
#include "common/ByteReader.h"

namespace {

// Texts are held in 16 characters: 15 and the terminating NUL.
constexpr std::size_t kHeldText = 15;

std::string heldText(const std::uint8_t* p, std::size_t fieldWidth) {
    return fixedText(p, std::min(fieldWidth, kHeldText));
}

std::uint32_t upper24(const std::uint8_t* floatBytes) {
    return floatBytes[1] | floatBytes[2] << 8 | static_cast<std::uint32_t>(floatBytes[3]) << 16;
}

}  // namespace

int ReplayHeader::sessionMinutes(std::uint32_t upper24) {
    struct Entry {
        std::uint32_t bits;
        int minutes;
    };
    static constexpr Entry kTable[] = {
        {0x000000, 0},  {0x439600, 5},  {0x441600, 10}, {0x446100, 15}, {0x449600, 20},
        {0x44BB80, 25}, {0x44E100, 30}, {0x450340, 35}, {0x451600, 40}, {0x4528C0, 45},
        {0x453B80, 50}, {0x454E40, 55}, {0x456100, 60}, {0x4573C0, 65}, {0x458340, 70},
        {0x458CA0, 75}, {0x459600, 80}, {0x459F60, 85}, {0x45A8C0, 90}, {0x4913A8, -1},
    };
    for (const Entry& e : kTable) {
        if (e.bits == upper24) return e.minutes;
    }
    return 66;
}

int ReplayHeader::read(const std::filesystem::path& path) {
    fileName = path;
    BinaryFile file;
    if (!file.open(path)) return status = kCannotOpen;
    std::uint8_t signature[4];
    if (!file.readAt(0, signature) || loadU32(signature) != kFileSignature) return status = kNotAReplay;
    if (!file.readAt(0, raw)) return status = kNotAReplay;
    decode();
    return status = kOk;
}

void ReplayHeader::decode() {
    const std::uint8_t* h = raw.data();
    const std::uint8_t rules = h[174];
    const std::uint8_t modes = h[175];

    formatVersion = h[4];
    fileLength = static_cast<std::uint64_t>(loadU32(h + 8)) + 12;
    frameCount = loadU32(h + 24);
    sessionInProgress = static_cast<int>(loadU32(h + 80));
    ownerFirstName = heldText(h + 40, 16);
    ownerLastName = heldText(h + 56, 16);
    trackName = heldText(h + 96, 32);
    std::transform(trackName.begin(), trackName.end(), trackName.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    carSet = heldText(h + 128, 16);

    fixedSetup = h[196] & 1;
    forceInCarView = (rules >> 3) & 1;
    forceSmoke = (modes >> 5) & 1;
    fullPaceLap = modes & 1;
    arcadeMode = (modes >> 1) & 1;
    static constexpr const char* kWindDirections[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    windDirection = kWindDirections[(modes >> 2) & 7];
    yellowFlags = (rules >> 4) & 1;
    doubleFileRestarts = (rules >> 1) & 1;
    damageLevel = (rules >> 6) & 3;
    manualWeather = h[180];
    cloudy = (h[184] >> 1) & 1;
    temperature = h[188];
    windSpeed = h[189];
    aiStrength = h[191];
    aiCars = h[198];

    quickRace = h[199] == 2 ? 1 : 0;
    if (quickRace) {
        raceLaps = loadU16(h + 213);
        qualifyingLaps = h[205];
        practiceMinutes = 0;
        warmupMinutes = 0;
    } else {
        raceLaps = loadU16(h + 229);
        qualifyingLaps = loadU16(h + 213);
        practiceMinutes = sessionMinutes(upper24(h + 207));
        warmupMinutes = sessionMinutes(upper24(h + 223));
    }
    raceDistancePercent = raceLaps == 0 ? 0 : h[192];
    if (!yellowFlags) doubleFileRestarts = 0;
}
