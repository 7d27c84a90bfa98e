#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The objects of a decoded track file. Each keeps its object id and the values its body holds;
// references to other objects point into the registry that owns them all (null for a null
// reference). Values that are kept but not interpreted are named after their place.

struct VxObject {
    std::uint32_t objectId = 0;
};

struct VxTexture : VxObject {
    std::string name;  // zero bytes kept
};

struct VxAppearance : VxObject {
    std::array<VxTexture*, 7> textures{};  // texture slots 0-6
    std::array<double, 3> values{};
};

struct VxTextureCoords : VxObject {
    std::uint32_t value = 0;
    std::vector<double> first;   // array 1
    std::vector<double> second;  // array 2
};

struct VxXSection : VxObject {
    std::array<double, 6> values{};
};

// A lateral boundary across the road: its offset at the segment's start and end, and its surface.
struct VxFSection : VxObject {
    double startOffset = 0;
    double endOffset = 0;
    std::uint32_t surface = 0;
    VxAppearance* appearance = nullptr;
    VxTextureCoords* textureCoords = nullptr;
};

// A wall: its offset at the segment's start and end.
struct VxWSection : VxObject {
    double startOffset = 0;
    double endOffset = 0;
    std::array<double, 4> values{};
    std::uint32_t value = 0;
    std::uint32_t rowCount = 0;
    std::vector<VxAppearance*> cells;  // 5 per row
};

struct VxTrackDetail : VxObject {
    VxAppearance* appearance = nullptr;
    std::uint32_t firstValue = 0;
    std::array<double, 4> firstValues{};
    std::uint32_t secondValue = 0;
    std::array<double, 4> secondValues{};
};

struct VxTSO : VxObject {
    std::string name;  // zero bytes dropped
};

struct VxTSOReference : VxObject {
    std::array<double, 6> values{};
    VxTSO* tso = nullptr;
};

// A piece of the centre line: a straight (kind 0) or an arc (kind 1). Headings in radians from +X
// toward +Y.
struct VxSegment : VxObject {
    std::uint32_t xSectionValue = 0;
    std::vector<VxXSection*> xSections;
    std::uint32_t fSectionValue = 0;
    std::vector<VxFSection*> fSections;
    std::uint32_t wSectionValue = 0;
    std::vector<VxWSection*> wSections;
    std::uint32_t kind = 0;
    double startX = 0;
    double startY = 0;
    double startHeading = 0;
    double endX = 0;
    double endY = 0;
    double endHeading = 0;
};

// The root of a track file: its segments from the start/finish line onward.
struct VxTrack : VxObject {
    bool flag = false;
    std::uint32_t trackDetailValue = 0;
    std::vector<VxTrackDetail*> trackDetails;
    std::uint32_t tsoReferenceValue = 0;
    std::vector<VxTSOReference*> tsoReferences;
    std::uint32_t value = 0;
    std::vector<VxSegment*> segments;
};
