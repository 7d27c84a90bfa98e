#include "reports/ReportText.h"

#include <cmath>
#include <cstdio>

#include "common/BinaryFile.h"
#include "common/PathText.h"
#include "common/SpeedUnits.h"
#include "common/System.h"
#include "common/Text1252.h"
#include "common/TimeText.h"
#include "common/WholeFile.h"
#include "replay/ReplayHeader.h"

namespace {

// `significant` digits (always with a decimal point), then cut `kept` digits after the point.
std::string significantText(double value, int significant, int kept) {
    const int digits = value == 0 ? 1 : static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", std::max(0, significant - digits), value);
    std::string shown = text;
    if (shown.find('.') == std::string::npos) shown += '.';
    shown += std::string(static_cast<std::size_t>(kept), '0');
    return shown.substr(0, shown.find('.') + 1 + static_cast<std::size_t>(kept));
}

}  // namespace

std::string reportHeaderLine(const ReplayHeader& header) {
    const std::string track = header.capitalisedTrackName();
    // The file's date as the driver table takes it: whole seconds rounded down (to_time_t would
    // round a time before 1970 up), and before 1970 on Windows too, where the C library's stat
    // cannot give one.
    std::tm local{};
    BinaryFile file;
    if (file.open(header.fileName)) local = localTime(file.modificationTime());
    return "Track: " + track + std::string(13, ' ') + formatFileTime(local);
}

double reportSpeed(double trackLength, std::uint32_t ms, bool mph) {
    if (ms == 0) return 0;
    const double kmh = trackLength / (ms * 0.001) * 3.6;
    return mph ? kmh * kMphPerKmh : kmh;
}

std::string formatSpeed(double speed) {
    return significantText(speed, 6, 3);
}
std::string formatPercent(double percent) {
    return significantText(percent, 4, 2);
}

std::string alignRight(const std::string& value, std::size_t width) {
    const std::string padded = std::string(width, ' ') + value;
    return padded.substr(padded.size() - width);
}

std::string alignLeft(const std::string& name, std::size_t width) {
    return (name + std::string(31, ' ')).substr(0, width);
}

std::filesystem::path withTxtExtension(const std::filesystem::path& chosen) {
    return withEnding(chosen, ".txt");
}

bool writeReportFile(const std::filesystem::path& path, const std::string& utf8Text) {
    std::string text;
    text.reserve(utf8Text.size());
    for (std::size_t i = 0; i < utf8Text.size(); ++i) {
        if (utf8Text[i] == '\r' && i + 1 < utf8Text.size() && utf8Text[i + 1] == '\n') continue;
        text += utf8Text[i];
    }
    return writeWholeFile(path, text);  // text mode: the platform's line ends
}
