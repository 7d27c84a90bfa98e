#pragma once

#include <ctime>
#include <string>

// Texts of times and dates, in English whatever the locale.

// English three-letter month name of tm_mon (0 = "Jan").
const char* englishMonth(int month);

// A file date as "2001 Mar 05".
std::string FormatFileDate(const std::tm& local);
