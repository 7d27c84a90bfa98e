// Windows's C library takes wide names for anything beyond the ANSI code page, and its fopen
// knows no "x": a new file is made exclusively with _wopen, then given a stream. The arguments come
// from the wide command line for the same reason.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <chrono>
#include <ctime>

#include "common/PathText.h"
#include "common/System.h"

// localtime_s refuses times before 1970, which a file's date can be. Those are broken down here in
// the zone's standard time (_timezone, which _tzset takes from TZ or the system): the C library
// knows no summer time that far back anyway.
std::tm localTime(std::time_t time) {
    std::tm local{};
    if (localtime_s(&local, &time) == 0) return local;
    _tzset();
    using namespace std::chrono;
    const sys_seconds moment{seconds{time - _timezone}};
    const sys_days day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss clock{moment - day};
    local.tm_year = static_cast<int>(date.year()) - 1900;
    local.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
    local.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
    local.tm_hour = static_cast<int>(clock.hours().count());
    local.tm_min = static_cast<int>(clock.minutes().count());
    local.tm_sec = static_cast<int>(clock.seconds().count());
    local.tm_wday = static_cast<int>(weekday{day}.c_encoding());
    local.tm_yday = static_cast<int>((day - sys_days{date.year() / January / 1}).count());
    local.tm_isdst = 0;
    return local;
}

std::FILE* createNewFile(const std::filesystem::path& path, bool binary) {
    const int descriptor = _wopen(
        path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | (binary ? _O_BINARY : _O_TEXT), _S_IREAD | _S_IWRITE);
    if (descriptor < 0) return nullptr;
    std::FILE* file = _fdopen(descriptor, binary ? "wb" : "w");
    if (!file) _close(descriptor);
    return file;
}

std::vector<std::string> commandLineArguments(int, char*[]) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(pathString(wide[i]));
    LocalFree(wide);
    return arguments;
}

void writeStandardStreamsAsBytes() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
