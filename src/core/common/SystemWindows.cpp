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
#include "common/TimeText.h"

std::tm localTime(std::time_t time) {
    std::tm local{};
    localtime_s(&local, &time);
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
