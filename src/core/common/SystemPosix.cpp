#include <ctime>

#include "common/System.h"

std::tm localTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

std::FILE* createNewFile(const std::filesystem::path& path, bool binary) {
    return std::fopen(path.c_str(), binary ? "wbx" : "wx");
}

void writeStandardStreamsAsBytes() {}

std::vector<std::string> commandLineArguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + 1, argv + argc);
}
