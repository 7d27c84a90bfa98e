#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "common/Result.h"
#include "track/TrackFileError.h"
#include "track/TrackObjectRegistry.h"

class BinaryFile;

// One track's geometry file: "<tracks>/<name>/<name>.ptf", or the first member of
// "<tracks>/<name>/<name>.dat" whose name contains ".ptf", unpacked when it is stored packed,
// and the objects decoded from it, which it owns.
class TrackFile {
public:
    // Locates, reads, unpacks and decodes the file. Fails with "Error: cannot open track file" when
    // it cannot be located, read or unpacked, and with the decoder's text when it does not decode.
    static Result<TrackFile, TrackFileError> load(const std::filesystem::path& tracksDirectory,
                                                  const std::string& trackName);

    const VxTrack& root() const { return *root_; }
    const TrackObjectRegistry& objects() const { return objects_; }
    bool compressed() const { return compressed_; }
    std::uint64_t unpackedSize() const { return unpackedSize_; }
    std::uint64_t storedSize() const { return storedSize_; }

private:
    TrackFile() = default;
    // Fill `stream`; false when the file cannot be read or unpacked.
    bool readPlain(BinaryFile& file, std::vector<std::uint8_t>& stream);
    bool readArchive(const std::filesystem::path& path, std::vector<std::uint8_t>& stream);

    TrackObjectRegistry objects_;  // moves with the file; the objects themselves stay in place
    const VxTrack* root_ = nullptr;
    bool compressed_ = false;
    std::uint64_t unpackedSize_ = 0;
    std::uint64_t storedSize_ = 0;
};
