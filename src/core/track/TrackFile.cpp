#include "track/TrackFile.h"

#include <algorithm>

#include "common/BinaryFile.h"
#include "common/ByteReader.h"
#include "common/SimulatorFolders.h"
#include "track/PkwareExplode.h"
#include "track/TrackDecoder.h"
#include "track/TrackFileError.h"
#include "track/TrackObjectRegistry.h"

namespace {

// Archive: a 10-byte prefix, then directory entries: u8 marker (5), u8, u32 unpacked size,
// u32 stored size, u32 offset of the stored bytes, u8 name length, name and its zero byte.
constexpr std::uint64_t kDirectoryOffset = 10;
constexpr std::size_t kEntryHead = 15;
constexpr std::uint8_t kEntryMarker = 5;
// The implode format cannot grow data more than about 250-fold; anything larger is damage.
constexpr std::uint64_t kMaxExpansion = 260;

// The stream's buffer: room for (size rounded down to a multiple of 4) + 4 bytes.
std::vector<std::uint8_t> streamBuffer(std::uint64_t size) {
    std::vector<std::uint8_t> buffer((size & ~std::uint64_t{3}) + 4);
    return buffer;
}

}  // namespace

TrackFile::TrackFile(const std::filesystem::path& tracksDirectory, const std::string& trackName) {
    TrackObjectRegistry::instance().clear();
    const std::filesystem::path folder = trackFolder(tracksDirectory, trackName);
    if (readPlain(entryIgnoringCase(folder, trackName + ".ptf"))) return;
    if (!readArchive(entryIgnoringCase(folder, trackName + ".dat"))) throw TrackFileError(kCannotOpenTrackFile);
}

// The whole .ptf file is the stream.
bool TrackFile::readPlain(const std::filesystem::path& path) {
    BinaryFile file;
    if (!file.open(path)) return false;
    buffer_ = streamBuffer(file.size());
    if (!file.readAt(0, std::span(buffer_.data(), file.size()))) throw TrackFileError(kCannotOpenTrackFile);
    unpackedSize_ = storedSize_ = file.size();
    compressed_ = false;
    return true;
}

bool TrackFile::readArchive(const std::filesystem::path& path) {
    BinaryFile file;
    if (!file.open(path)) return false;
    std::uint64_t at = kDirectoryOffset;
    for (;;) {
        std::uint8_t head[kEntryHead];
        if (!file.readAt(at, head) || head[0] != kEntryMarker) return false;
        const std::uint64_t unpacked = loadU32(head + 2);
        const std::uint64_t stored = loadU32(head + 6);
        const std::uint64_t offset = loadU32(head + 10);
        std::vector<std::uint8_t> name(head[14] + 1u);
        if (!file.readAt(at + kEntryHead, name)) return false;
        at += kEntryHead + name.size();
        const std::string text(name.begin(), name.end() - 1);
        if (text.find(".ptf") == std::string::npos) continue;

        if (stored > file.size() || offset > file.size() - stored) return false;
        std::vector<std::uint8_t> storedBytes(stored);
        if (!file.readAt(offset, storedBytes)) return false;
        storedSize_ = stored;
        unpackedSize_ = unpacked;
        compressed_ = stored != unpacked;
        if (!compressed_) {
            buffer_ = streamBuffer(stored);
            std::copy(storedBytes.begin(), storedBytes.end(), buffer_.begin());
            return true;
        }
        if (unpacked > stored * kMaxExpansion + 4096) return false;
        buffer_ = streamBuffer(unpacked);
        return dclExplode(storedBytes, std::span(buffer_.data(), unpacked)) == kDclOk;
    }
}

void TrackFile::parse() {
    TrackObjectRegistry& registry = TrackObjectRegistry::instance();
    try {
        TrackDecoder decoder(std::span(buffer_.data(), unpackedSize_), registry);
        root_ = decoder.readRoot();
    } catch (...) {
        registry.clear();
        buffer_ = {};
        throw;
    }
    buffer_ = {};
}
