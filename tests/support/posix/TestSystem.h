#pragma once

// What tests need of the system, on POSIX systems (windows/TestSystem.h is the other; CMake puts
// one folder on the include path).

#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

// A named pipe made at `folder / name`, so readers can be shown never to wait for its writer.
class NamedPipe {
public:
    NamedPipe(const std::filesystem::path& folder, const std::string& name) : path_(folder / name) {
        made_ = ::mkfifo(path_.c_str(), 0600) == 0;
    }
    bool made() const { return made_; }
    // In its folder here; Windows keeps named pipes in a namespace of their own.
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    bool made_ = false;
};

// The line end of text files: a file written in text mode keeps each "\n" as it is.
inline const std::string kLineEnd = "\n";

// Local time is `zone` (a TZ text such as "UTC0" or "XYZ-2") from here on.
inline void useLocalTimeZone(const char* zone) {
    ::setenv("TZ", zone, 1);
    ::tzset();
}

// Sets a file's modification time to the millisecond. False when it cannot.
inline bool setModificationTime(const std::filesystem::path& path,
                                std::chrono::sys_time<std::chrono::milliseconds> time) {
    std::error_code error;
    std::filesystem::last_write_time(path, std::chrono::file_clock::from_sys(time), error);
    return !error;
}

// The largest resident set this process has had, in kB.
inline long peakKilobytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Why tests cannot make symbolic links on this system (null where they can).
inline const char* noSymbolicLinksReason() {
    return nullptr;
}
