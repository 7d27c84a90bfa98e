#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

// Texts of times and dates, in English whatever the locale. All lap and session times are
// milliseconds; one split into minutes, seconds and milliseconds serves every layout.

struct TimeParts {
    std::uint32_t minutes;
    std::uint32_t seconds;
    std::uint32_t milliseconds;
};
TimeParts splitTime(std::uint32_t ms);

// "1m05.123s", "05.123s", "00.000s": reports; the time is the low 24 bits of a lap word.
std::string formatLapTime(std::uint32_t lapWord);
void appendLapTime(std::string& out, std::uint32_t lapWord);
// "1m 34.001s", "0m 59.999s": graphs, tools, the lap dialog, the lap-time check.
std::string formatElapsedTime(std::uint32_t ms);
// "0:31.250s": split times.
std::string formatSplitTime(std::uint32_t ms);
// The length of a replay from its frame count (36 a second): "12m 5s".
std::string formatReplayLength(std::uint32_t frameCount);

// English three-letter month name of tm_mon (0 = "Jan").
const char* englishMonth(int month);

// A file date, broken down by localTime (System.h), as "2001 Mar 05"; and back as the number
// 20010305 (0 for a text that is no such date).
std::string formatFileDate(const std::tm& local);
int fileDateNumber(std::string_view fileDate);
// A file time as "Mon Mar  5 14:03:09 2001".
std::string formatFileTime(const std::tm& local);
