#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

class DriverTable;
class ReplayHeader;

// The text reports and the conventions they share: line ends "\r\n", fixed-width columns for a
// fixed-pitch font, the header line and footer, times and speeds. Texts are Windows-1252.

enum class ReportType : int {
    Qualifying = 1,
    Race = 2,
    LapChart = 3,
    LapByLap = 4,
    Complete = 5,
    SectorTimes = 10,
    Practice = 11,
    Warmup = 12,
    RaceSettings = 13,
    Flags = 14,
};

// The window's title of a report, and the suffix of its export file ("_Race", "SectorTimes").
const char* reportTitle(ReportType type);
const char* exportSuffix(ReportType type);

// What a report is generated from: a replay's head and driver table, the track length in metres
// (0 when unknown) and the speed unit.
struct ReportInput {
    const ReplayHeader& header;
    const DriverTable& drivers;
    double trackLength = 0;
    bool mph = false;
    bool offTrackLines = false;  // the lap-by-lap report tells who went off the track
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
// First name, blank, last name.
std::string driverName(const DriverTable& drivers, int driver);

// The export file proposed for a report of a replay: its path without ".rpy", the suffix and
// ".txt"; "SectorTimes.txt" for sector times.
std::filesystem::path defaultExportName(ReportType type, const std::filesystem::path& replay);
// A chosen name that does not end with ".txt" (in any case) gets it.
std::filesystem::path withTxtExtension(const std::filesystem::path& chosen);
// Writes the text with the platform's line ends, whole or not at all; false when it cannot.
bool writeReportFile(const std::filesystem::path& path, const std::string& utf8Text);
