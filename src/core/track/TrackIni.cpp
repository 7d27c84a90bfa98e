#include "track/TrackIni.h"

#include <charconv>
#include <cmath>
#include <fstream>

#include "common/SimulatorFolders.h"

namespace {

constexpr double kMaxTrackLength = 1e6;           // metres
constexpr std::size_t kMaxIniSize = 1024 * 1024;  // a track.ini is a few lines; the rest is not read

}  // namespace

// The value starts 15 characters after the start of the first "track_length =" (one past the
// 14-character key) and ends before the next "m"; it is in miles.
double trackLengthFromIni(const std::string& text) {
    static const std::string kKey = "track_length =";
    const std::size_t key = text.find(kKey);
    if (key == std::string::npos) return 0;
    const std::size_t begin = key + 15;
    const std::size_t end = text.find('m', key);
    if (begin >= text.size() || end == std::string::npos || end <= begin) return 0;
    std::string value = text.substr(begin, end - begin);
    value.erase(0, value.find_first_not_of(' '));
    value.erase(value.find_last_not_of(' ') + 1);
    double miles = 0;
    std::from_chars(value.data(), value.data() + value.size(), miles);
    // A length that is not a number, or longer than any track could be, is no length.
    const double metres = miles * 1609.344;
    return std::isfinite(metres) && std::fabs(metres) <= kMaxTrackLength ? metres : 0;
}

TrackLength readTrackLength(const std::filesystem::path& simulatorDirectory, const std::string& trackName) {
    const auto folder = trackFolder(tracksFolder(simulatorDirectory), trackName);
    std::ifstream in(entryIgnoringCase(folder, "track.ini"), std::ios::binary);
    if (!in) return {0, kTrackIniMissing};
    std::string text(kMaxIniSize, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return {trackLengthFromIni(text), ""};
}
