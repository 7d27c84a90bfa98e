#include "track/TrackFile.h"

#include <algorithm>

#include "common/BinaryFile.h"
#include "common/ByteReader.h"
#include "common/SimulatorFolders.h"
#include "track/PkwareExplode.h"
#include "track/TrackDecoder.h"

namespace {

// Archive: a 10-byte prefix, then directory entries: u8 marker (5), u8, u32 unpacked size,
// u32 stored size, u32 offset of the stored bytes, u8 name length, name and its zero byte.
constexpr std::uint64_t kDirectoryOffset = 10;
constexpr std::size_t kEntryHead = 15;
constexpr std::uint8_t kEntryMarker = 5;
// The implode format cannot grow data more than about 250-fold; anything larger is damage.
constexpr std::uint64_t kMaxExpansion = 260;

// The stream's buffer: room for (size rounded down to a multiple of 4) + 4 bytes; the stream
// itself is the first `size` of them.
std::vector<std::uint8_t> streamBuffer(std::uint64_t size) {
    std::vector<std::uint8_t> buffer((size & ~std::uint64_t{3}) + 4);
    return buffer;
}

}  // namespace

Result<TrackFile, TrackFileError> TrackFile::load(const std::filesystem::path& tracksDirectory,
                                                  const std::string& trackName) {
    TrackFile file;
    std::vector<std::uint8_t> buffer;
    const std::filesystem::path folder = trackFolder(tracksDirectory, trackName);
    // A plain file wins over an archive beside it.
    BinaryFile plain;
    const bool read = plain.open(entryIgnoringCase(folder, trackName + ".ptf"))
                          ? file.readPlain(plain, buffer)
                          : file.readArchive(entryIgnoringCase(folder, trackName + ".dat"), buffer);
    if (!read) return TrackFileError(kCannotOpenTrackFile);
    try {
        TrackDecoder decoder(std::span(buffer.data(), file.unpackedSize_), file.objects_);
        file.root_ = decoder.readRoot();
    } catch (const TrackFileError& error) {
        return error;
    }
    return file;
}

// The whole .ptf file is the stream.
bool TrackFile::readPlain(BinaryFile& file, std::vector<std::uint8_t>& stream) {
    stream = streamBuffer(file.size());
    if (!file.readAt(0, std::span(stream.data(), file.size()))) return false;
    unpackedSize_ = storedSize_ = file.size();
    compressed_ = false;
    return true;
}

bool TrackFile::readArchive(const std::filesystem::path& path, std::vector<std::uint8_t>& stream) {
    BinaryFile file;
    if (!file.open(path)) return false;
    for (std::uint64_t at = kDirectoryOffset;;) {
        std::uint8_t bytes[kEntryHead];
        if (!file.readAt(at, bytes)) return false;
        ByteReader entry(bytes);
        if (entry.u8() != kEntryMarker) return false;
        entry.skip(1);
        const std::uint64_t unpacked = entry.u32();
        const std::uint64_t stored = entry.u32();
        const std::uint64_t offset = entry.u32();
        std::vector<std::uint8_t> name(entry.u8() + 1u);
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
            stream = streamBuffer(stored);
            std::copy(storedBytes.begin(), storedBytes.end(), stream.begin());
            return true;
        }
        if (unpacked > stored * kMaxExpansion + 4096) return false;
        stream = streamBuffer(unpacked);
        return dclExplode(storedBytes, std::span(stream.data(), unpacked)).ok();
    }
}
