#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Writes track files: the object stream of a track described below, as a plain .ptf or as a
// member of a .dat archive (packed with the PKWARE implode format), and the track's track.ini.
// Objects shared by several places (appearances, textures, texture coordinates) are written
// where first referenced and referred to by id afterwards; each class is named only where its id
// first occurs.

struct XSectionSpec {
    std::array<double, 6> values{};
};

// appearance and textureCoords index TrackSpec's lists; -1 is a null reference.
struct FSectionSpec {
    double startOffset = 0;
    double endOffset = 0;
    std::uint32_t surface = 1;
    int appearance = -1;
    int textureCoords = -1;
};

struct WSectionSpec {
    double startOffset = 0;
    double endOffset = 0;
    std::uint32_t rows = 1;
    int appearance = -1;  // every cell of every row
    int textureCoords = -1;
};

struct SegmentSpec {
    std::uint32_t kind = 0;  // 0 straight, 1 arc
    double startX = 0, startY = 0, startHeading = 0;
    double endX = 0, endY = 0, endHeading = 0;
    std::vector<XSectionSpec> xSections;
    std::vector<FSectionSpec> fSections;
    std::vector<WSectionSpec> wSections;
};

struct AppearanceSpec {
    std::array<int, 7> textures{-1, -1, -1, -1, -1, -1, -1};  // indexes into TrackSpec::textures
};

struct TextureCoordsSpec {
    std::vector<double> first;
    std::vector<double> second;
};

struct TrackSpec {
    std::vector<SegmentSpec> segments;
    std::vector<AppearanceSpec> appearances;
    std::vector<std::string> textures;
    std::vector<TextureCoordsSpec> textureCoords;
    std::vector<int> trackDetails;      // the appearance of each track detail (-1 for none)
    std::vector<std::string> tsoNames;  // one TSO reference per name
    bool flag = false;
};

// The object stream of a track.
std::vector<std::uint8_t> trackStream(const TrackSpec& track);

// One member of a .dat archive.
struct ArchiveMember {
    std::string name;
    std::vector<std::uint8_t> data;
    bool packed = true;
};
// A .dat archive holding the members in order.
std::vector<std::uint8_t> trackArchive(const std::vector<ArchiveMember>& members);

// Writes "<folder>/<fileName>"; false when it cannot be written.
bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
// The track.ini line that gives the track's length: "track_length = 3.412 miles".
std::string trackIni(double lengthMetres);
