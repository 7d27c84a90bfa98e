#pragma once

// What tests need of the system, on Windows (posix/TestSystem.h is the other; CMake puts one folder
// on the include path).

#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

// A named pipe with a server end open and nobody connected, so readers can be shown never to wait
// on one. Windows keeps named pipes in a namespace of their own, not in a folder: `folder` only
// makes the name unique.
class NamedPipe {
public:
    NamedPipe(const std::filesystem::path& folder, const std::string& name)
        : path_(L"\\\\.\\pipe\\vxra-" + std::to_wstring(std::hash<std::wstring>{}(folder.native())) + L"-" +
                std::filesystem::path(name).native()) {
        server_ = CreateNamedPipeW(path_.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0,
                                   nullptr);
    }
    ~NamedPipe() {
        if (made()) CloseHandle(server_);
    }
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;
    bool made() const { return server_ != INVALID_HANDLE_VALUE; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    HANDLE server_ = INVALID_HANDLE_VALUE;
};

// The line end of text files: a file written in text mode has "\r\n" for each "\n".
inline const std::string kLineEnd = "\r\n";

// Local time is `zone` (a TZ text such as "UTC0" or "XYZ-2") from here on.
inline void useLocalTimeZone(const char* zone) {
    _putenv_s("TZ", zone);
    _tzset();
}

// Sets a file's modification time to the millisecond (std::filesystem here sets whole seconds,
// rounded toward zero). False when it cannot.
inline bool setModificationTime(const std::filesystem::path& path,
                                std::chrono::sys_time<std::chrono::milliseconds> time) {
    using Steps = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
    constexpr Steps kUnixEpoch{116'444'736'000'000'000};  // in 100 ns steps from 1601
    const auto steps = static_cast<std::uint64_t>((kUnixEpoch + Steps{time.time_since_epoch()}).count());
    const FILETIME written{static_cast<DWORD>(steps), static_cast<DWORD>(steps >> 32)};
    const HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool set = SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    return set;
}

// The largest working set this process has had, in kB.
inline long peakKilobytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

// Why tests cannot make symbolic links on this system (null where they can).
inline const char* noSymbolicLinksReason() {
    return "Windows makes symbolic links only with a privilege a test cannot count on";
}
