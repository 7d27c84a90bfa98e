#include "common/TimeText.h"

#include <cstdio>

const char* englishMonth(int month) {
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return (month >= 0 && month < 12) ? kMonths[month] : "???";
}

std::string FormatFileDate(const std::tm& local) {
    char text[32];
    std::snprintf(text, sizeof text, "%d %s %02d", local.tm_year + 1900, englishMonth(local.tm_mon),
                  local.tm_mday);
    return text;
}
