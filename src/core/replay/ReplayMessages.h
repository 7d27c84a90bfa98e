#pragma once

#include "replay/DriverTable.h"
#include "replay/LapTelemetry.h"
#include "replay/ReplayHeader.h"

// What the program says when a replay cannot be read. Each reader has one message for every way it
// fails (the texts users know); the reason, a few words of why, is for the command-line tool.
const char* failureMessage(HeaderError error);
const char* failureMessage(DriverTableError error);
const char* failureMessage(LapReadError error);
const char* failureReason(HeaderError error);
const char* failureReason(DriverTableError error);
const char* failureReason(LapReadError error);

// A head that reads, of the older sibling simulator's format (version below 3).
inline constexpr const char* kZdkNotSupported = "HeaderClass: ZDK replays not supported!";
