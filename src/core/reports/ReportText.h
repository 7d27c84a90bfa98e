#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

class DriverTable;
class ReplayDocument;
class ReplayHeader;

// The text reports and the conventions they share: line ends "\r\n", fixed-width columns for a
// fixed-pitch font, the header line and footer, times and speeds. Texts are Windows-1252.

// What a report is generated from: a replay's head and driver table (every report but sector
// times), or the loaded laps (sector times); the track length in metres (0 when unknown) and the
// speed unit.
struct ReportInput {
    const ReplayHeader* header = nullptr;
    const DriverTable* drivers = nullptr;
    double trackLength = 0;
    bool mph = false;
    bool offTrackLines = false;                  // the lap-by-lap report tells who went off the track
    const ReplayDocument* loadedLaps = nullptr;  // sector times
};

// Receives a progressively made report piece by piece; returns false to stop it.
using ReportSink = std::function<bool(const std::string& piece)>;

// "Track: Rivaldi" + 13 blanks + the replay file's modification time ("Sat Mar 14 15:30:00 2026"),
// no line end.
std::string reportHeaderLine(const ReplayHeader& header);
inline constexpr const char* kReportFooter = "Generated with VELTRA4 Replay Analyser\r\n";

// Speed over the track length in a time: km/h, or mph; 0 for a time of 0.
double reportSpeed(double trackLength, std::uint32_t ms, bool mph);
// A speed as the reports print it: 6 significant digits, then exactly three decimals (cut).
std::string formatSpeed(double speed);
// A percentage: 4 significant digits, then exactly two decimals (cut).
std::string formatPercent(double percent);

// The value's last `width` characters after blanks in front; a name's first `width` characters
// after blanks behind.
std::string alignRight(const std::string& value, std::size_t width);
std::string alignLeft(const std::string& name, std::size_t width);
// A chosen name that does not end with ".txt" (in any case) gets it.
std::filesystem::path withTxtExtension(const std::filesystem::path& chosen);
// Writes the text with the platform's line ends, whole or not at all; false when it cannot.
bool writeReportFile(const std::filesystem::path& path, const std::string& utf8Text);
