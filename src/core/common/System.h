#pragma once

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

// The calls that differ between POSIX and Windows, besides BinaryFile's own: defined in
// SystemPosix.cpp or SystemWindows.cpp, whichever system the build is for.

// A moment in the local time zone, broken down as the file dates and times of TimeText.h take it.
std::tm localTime(std::time_t time);

// Creates `path` and opens it for writing, only if nothing is there yet (a link neither: it is never
// followed). Null when it cannot, with errno EEXIST when something is there.
std::FILE* createNewFile(const std::filesystem::path& path, bool binary);

// Standard output and error carry the bytes written, as on POSIX systems: Windows would otherwise
// turn each "\n" into "\r\n", and the tool's output would differ from one system to the other.
void writeStandardStreamsAsBytes();

// The program's arguments after its name, as pathFromString takes them: argv's bytes on POSIX, the
// wide command line as UTF-8 on Windows (argv holds the ANSI code page there, which loses names).
std::vector<std::string> commandLineArguments(int argc, char* argv[]);
