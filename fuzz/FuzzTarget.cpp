#include "FuzzTarget.h"

#include <unistd.h>
#include <fstream>

#include "common/ByteReader.h"

std::vector<FuzzTarget>& fuzzTargets() {
    static std::vector<FuzzTarget> targets;
    return targets;
}

namespace {

struct ScratchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vxra-fuzz-" + std::to_string(getpid()));
    ScratchFolder() { std::filesystem::create_directories(path); }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

const std::filesystem::path& scratchFolder() {
    static const ScratchFolder folder;
    return folder.path;
}

std::filesystem::path writeScratch(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

SplitInput splitInput(std::span<const std::uint8_t> input) {
    ByteReader reader(input);
    const std::size_t length = reader.u32();
    const std::span<const std::uint8_t> rest = input.subspan(reader.offset());
    if (length >= rest.size()) return {rest, {}};
    return {rest.first(length), rest.subspan(length)};
}
