#pragma once

#include <QString>
#include <string>

#include "common/Text1252.h"

// The core keeps text as Windows-1252; windows show Unicode.
inline QString fromWin1252(const std::string& text) {
    return QString::fromStdString(win1252ToUtf8(text));
}
inline QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}
