#include "common/TimeText.h"

#include <charconv>
#include <cstdio>

TimeParts splitTime(std::uint32_t ms) {
    return {ms / 60000, ms / 1000 % 60, ms % 1000};
}

namespace {

// Times are written digit by digit, not formatted: reports print one for every lap of every
// driver, and the Lap Finder one for every row.
void appendNumber(std::string& out, std::uint32_t number) {
    char digits[10];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

// "05.123s": how every time text ends.
void appendSeconds(std::string& out, const TimeParts& parts) {
    const char text[] = {static_cast<char>('0' + parts.seconds / 10),
                         static_cast<char>('0' + parts.seconds % 10),
                         '.',
                         static_cast<char>('0' + parts.milliseconds / 100),
                         static_cast<char>('0' + parts.milliseconds / 10 % 10),
                         static_cast<char>('0' + parts.milliseconds % 10),
                         's'};
    out.append(text, sizeof text);
}

}  // namespace

void appendLapTime(std::string& out, std::uint32_t lapWord) {
    const TimeParts parts = splitTime(lapWord & 0xFFFFFF);
    if (parts.minutes > 0) {
        appendNumber(out, parts.minutes);
        out += 'm';
    }
    appendSeconds(out, parts);
}

std::string formatLapTime(std::uint32_t lapWord) {
    std::string text;
    appendLapTime(text, lapWord);
    return text;
}

std::string formatElapsedTime(std::uint32_t ms) {
    const TimeParts parts = splitTime(ms);
    std::string text;
    appendNumber(text, parts.minutes);
    text += "m ";
    appendSeconds(text, parts);
    return text;
}

std::string formatSplitTime(std::uint32_t ms) {
    const TimeParts parts = splitTime(ms);
    std::string text;
    appendNumber(text, parts.minutes);
    text += ':';
    appendSeconds(text, parts);
    return text;
}

std::string formatReplayLength(std::uint32_t frameCount) {
    char text[32];
    std::snprintf(text, sizeof text, "%um %us", frameCount / 2160, frameCount / 36 % 60);
    return text;
}

const char* englishMonth(int month) {
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return (month >= 0 && month < 12) ? kMonths[month] : "???";
}

std::string formatFileDate(const std::tm& local) {
    char text[32];
    std::snprintf(text, sizeof text, "%d %s %02d", local.tm_year + 1900, englishMonth(local.tm_mon),
                  local.tm_mday);
    return text;
}

int fileDateNumber(std::string_view fileDate) {
    const auto number = [](std::string_view digits, int& value) {
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return error == std::errc() && end == digits.data() + digits.size();
    };
    int year = 0, day = 0;
    if (fileDate.size() < 10 || fileDate[fileDate.size() - 3] != ' ' || fileDate[fileDate.size() - 7] != ' ')
        return 0;
    const std::string_view month = fileDate.substr(fileDate.size() - 6, 3);
    if (!number(fileDate.substr(0, fileDate.size() - 7), year) ||
        !number(fileDate.substr(fileDate.size() - 2), day))
        return 0;
    if (year < 0 || year > 200000 || day < 1 || day > 31) return 0;  // keeps the number in range
    for (int monthIndex = 0; monthIndex < 12; ++monthIndex) {
        if (month == englishMonth(monthIndex)) return year * 10000 + (monthIndex + 1) * 100 + day;
    }
    return 0;
}

std::string formatFileTime(const std::tm& local) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    char text[48];
    std::snprintf(text, sizeof text, "%s %s %2d %02d:%02d:%02d %d", kDays[(local.tm_wday % 7 + 7) % 7],
                  englishMonth(local.tm_mon), local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  local.tm_year + 1900);
    return text;
}
