// Windows's C library takes wide names for anything beyond the ANSI code page, and its fopen
// knows no "x": a new file is made exclusively with _wopen, then given a stream. The arguments come
// from the wide command line for the same reason.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <ctime>

#include "common/PathText.h"
#include "common/System.h"

// localtime_s refuses times before 1970, which a file's date can be (a FILETIME reaches back to
// 1601). The calendar, its weekdays and the C library's summer-time rule repeat every 400 years, so
// such a time is broken down 400 years later and the year taken back.
std::tm localTime(std::time_t time) {
    constexpr std::time_t k400Years = 146'097LL * 24 * 60 * 60;
    std::tm local{};
    if (localtime_s(&local, &time) == 0) return local;
    const std::time_t later = time + k400Years;
    if (time < 0 && localtime_s(&local, &later) == 0) local.tm_year -= 400;
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
