#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct VxTrack;

// One track's geometry file: "<tracks>/<name>/<name>.ptf", or the first member of
// "<tracks>/<name>/<name>.dat" whose name contains ".ptf", unpacked when it is stored packed.
// The decoded objects live in the process's TrackObjectRegistry.
class TrackFile {
public:
    // Locates, reads and if needed unpacks the stream, and clears the registry. Throws TrackFileError
    // "Error: cannot open track file" when that fails.
    TrackFile(const std::filesystem::path& tracksDirectory, const std::string& trackName);

    // Decodes the stream into the registry and releases it. Throws TrackFileError on the first
    // failed check (the registry is then cleared).
    void parse();

    VxTrack* root() const { return root_; }
    bool compressed() const { return compressed_; }
    std::uint64_t unpackedSize() const { return unpackedSize_; }
    std::uint64_t storedSize() const { return storedSize_; }

private:
    bool readPlain(const std::filesystem::path& path);
    bool readArchive(const std::filesystem::path& path);

    VxTrack* root_ = nullptr;
    bool compressed_ = false;
    std::uint64_t unpackedSize_ = 0;
    std::uint64_t storedSize_ = 0;
    std::vector<std::uint8_t> buffer_;
};
