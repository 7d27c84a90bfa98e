#include "replay/ReplayHeader.h"

#include <algorithm>
#include <cctype>

#include "common/BinaryFile.h"
#include "common/ByteReader.h"
#include "common/Text1252.h"

namespace {

// Texts are held in 16 characters: 15 and the terminating NUL.
constexpr std::size_t kHeldText = 15;

std::string heldText(ByteReader& at, std::size_t fieldWidth) {
    std::string text = at.text(fieldWidth);
    if (text.size() > kHeldText) text.resize(kHeldText);
    return text;
}

// A session length's float, by its upper 24 bits (the lowest byte varies with rounding).
std::uint32_t upper24(ByteReader& at) {
    return at.u32() >> 8;
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
    for (const Entry& entry : kTable) {
        if (entry.bits == upper24) return entry.minutes;
    }
    return 66;
}

Outcome<HeaderError> ReplayHeader::read(const std::filesystem::path& path) {
    BinaryFile file;
    file.open(path);
    fileName = path;
    return read(file);
}

Outcome<HeaderError> ReplayHeader::read(BinaryFile& file) {
    if (!file.isOpen()) return HeaderError::CannotOpen;
    if (!file.readAt(0, raw) || ByteReader(raw).u32() != kFileSignature) {
        raw = {};
        return HeaderError::NotAReplay;
    }
    decode();
    return {};
}

std::string ReplayHeader::capitalisedTrackName() const {
    std::string track = trackName;
    if (!track.empty()) track[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(track[0])));
    return track;
}

void ReplayHeader::decode() {
    ByteReader r(raw);
    const std::uint8_t rules = r.at(head::kRules).u8();
    const std::uint8_t modes = r.at(head::kModes).u8();

    formatVersion = r.at(head::kVersionWord).u8();
    fileLength = static_cast<std::uint64_t>(r.at(head::kFileLength).u32()) + kChunkHeadSize;
    frameCount = r.at(head::kFrameCount).u32();
    sessionInProgress = static_cast<int>(r.at(head::kSessionInProgress).u32());
    ownerFirstName = heldText(r.at(head::kOwnerFirstName), 16);
    ownerLastName = heldText(r.at(head::kOwnerLastName), 16);
    trackName = asciiLower(heldText(r.at(head::kTrackName), 32));
    carSet = heldText(r.at(head::kCarSet), 16);

    fixedSetup = (r.at(head::kFixedSetup).u8() & 1) != 0;
    forceInCarView = ((rules >> 3) & 1) != 0;
    forceSmoke = ((modes >> 5) & 1) != 0;
    fullPaceLap = (modes & 1) != 0;
    arcadeMode = ((modes >> 1) & 1) != 0;
    static constexpr const char* kWindDirections[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    windDirection = kWindDirections[(modes >> 2) & 7];
    yellowFlags = ((rules >> 4) & 1) != 0;
    doubleFileRestarts = ((rules >> 1) & 1) != 0;
    damageLevel = (rules >> 6) & 3;
    manualWeather = r.at(head::kManualWeather).u8();
    cloudy = ((r.at(head::kClouds).u8() >> 1) & 1) != 0;
    temperature = r.at(head::kTemperature).u8();
    windSpeed = r.at(head::kWindSpeed).u8();
    aiStrength = r.at(head::kAiStrength).u8();
    aiCars = r.at(head::kAiCars).u8();

    quickRace = r.at(head::kRaceType).u8() == head::kQuickRace;
    if (quickRace) {
        raceLaps = r.at(head::kQualifyingLaps).u16();
        qualifyingLaps = r.at(head::kQuickQualifyingLaps).u8();
        practiceMinutes = 0;
        warmupMinutes = 0;
    } else {
        raceLaps = r.at(head::kRaceLaps).u16();
        qualifyingLaps = r.at(head::kQualifyingLaps).u16();
        practiceMinutes = sessionMinutes(upper24(r.at(head::kPracticeLength)));
        warmupMinutes = sessionMinutes(upper24(r.at(head::kWarmupLength)));
    }
    raceDistancePercent = raceLaps == 0 ? 0 : r.at(head::kRaceDistance).u8();
    if (!yellowFlags) doubleFileRestarts = false;
}
