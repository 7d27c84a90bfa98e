#include "track/TrackDecoder.h"

#include "track/TrackFileError.h"

namespace {

using Kind = TrackDecoder::Kind;

constexpr Kind kTrackKind{"Track", "", 0, 6, Kind::Bare};
constexpr Kind kSegmentKind{"Segment", "decode\\VxSegment", 109, 1, Kind::NearLine};
constexpr Kind kXSectionKind{"X Section", "decode\\VxXSection", 130, 2, Kind::NearLine};
constexpr Kind kFSectionKind{"F Section", "decode\\VxFSection", 145, 4, Kind::NearLine};
constexpr Kind kWSectionKind{"W Section", "decode\\VxWSection", 158, 5, Kind::NearLine};
constexpr Kind kAppearanceKind{"Appearance", "decode\\VxAppearance", 184, 2, Kind::AtLine};
constexpr Kind kTextureKind{"Texture", "decode\\VxTexture", 193, 1, Kind::NearLine};
constexpr Kind kTextureCoordsKind{"TextureCoords", "decode\\VxTextureCoords", 198, 1, Kind::NearLine};
constexpr Kind kTrackDetailKind{"TrackDetail", "decode\\VxTrackDetail", 217, 0, Kind::AtLine};
constexpr Kind kTSOReferenceKind{"TSOReference", "decode\\VxTSOReference", 229, 1, Kind::NearLine};
constexpr Kind kTSOKind{"TSO", "decode\\VxTSO", 236, 2, Kind::NearLine};

// Real tracks nest references a few levels deep (track, segment, section, appearance, texture).
constexpr int kMaxDepth = 32;
constexpr std::size_t kReferenceSize = 4;

}  // namespace

TrackDecoder::TrackDecoder(std::span<const std::uint8_t> stream, TrackObjectRegistry& registry)
    : stream_(stream), registry_(registry) {}

VxTrack* TrackDecoder::readRoot() {
    VxTrack* root = reference<VxTrack>();
    if (!root) throw TrackFileError("Error: the track file holds no track");
    return root;
}

// An object reference: a null id, an id of an object of the expected kind decoded before, or a
// new object (class record and body) that takes the next id.
template <typename T>
T* TrackDecoder::reference() {
    const std::uint32_t id = u32();
    if (id == 0) return nullptr;
    if (id != registry_.lastObjectId + 1) {
        if (T* known = registry_.find<T>(id)) return known;
    }
    if (++depth_ > kMaxDepth) damaged("objects nested too deeply");
    readClassRecord();
    registry_.lastObjectId = id;
    T* object = registry_.add<T>(id);
    readBody(*object);
    --depth_;
    return object;
}

// The class is named only where its id first occurs; the name is not kept.
void TrackDecoder::readClassRecord() {
    const std::uint32_t classId = u32();
    if (registry_.firstSightOfClass(classId)) text(true);
}

void TrackDecoder::readHeader(const Kind& kind) {
    const std::uint32_t expected[3] = {1, 0, kind.third};
    for (int ordinal = 0; ordinal < 3; ++ordinal) {
        const std::size_t offset = stream_.offset();
        if (u32() != expected[ordinal]) headerFailure(kind, ordinal, expected[ordinal], offset);
    }
}

void TrackDecoder::headerFailure(const Kind& kind, int ordinal, std::uint32_t expected, std::size_t offset) {
    if (kind.style == Kind::Bare) throw TrackFileError("error " + std::to_string(ordinal + 1));
    static constexpr const char* kOrdinals[] = {"First", "Second", "Third"};
    const std::string check = std::string("\n") + kOrdinals[ordinal] + " value of " + kind.label +
                              " is not a " + std::to_string(expected) + " which it should be.";
    const std::string line = std::to_string(kind.checkSite);
    if (kind.style == Kind::AtLine) {
        throw TrackFileError(std::string("Error in file ") + kind.unit + " @ line " + line + check);
    }
    throw TrackFileError(std::string("Error in file ") + kind.unit + " near line " + line +
                         "\nerror ; buffer = " + std::to_string(offset) + check);
}

template <typename T>
void TrackDecoder::readReferences(std::uint32_t count, std::vector<T*>& into) {
    if (count > stream_.remaining() / kReferenceSize) damaged("a count larger than the file");
    into.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        into.push_back(reference<T>());
}

void TrackDecoder::readBody(VxTrack& track) {
    readHeader(kTrackKind);
    const std::uint32_t segmentCount = u32();
    const std::span<const std::uint8_t> block = stream_.bytes(173);
    checkNotPastTheEnd();
    track.flag = block[0] != 0;
    const std::uint32_t detailCount = u32();
    track.trackDetailValue = u32();
    readReferences(detailCount, track.trackDetails);
    const std::uint32_t tsoCount = u32();
    track.tsoReferenceValue = u32();
    readReferences(tsoCount, track.tsoReferences);
    track.value = u32();
    readReferences(segmentCount, track.segments);
}

void TrackDecoder::readBody(VxSegment& segment) {
    readHeader(kSegmentKind);
    const std::uint32_t xCount = u32();
    segment.xSectionValue = u32();
    readReferences(xCount, segment.xSections);
    const std::uint32_t fCount = u32();
    segment.fSectionValue = u32();
    readReferences(fCount, segment.fSections);
    const std::uint32_t wCount = u32();
    segment.wSectionValue = u32();
    readReferences(wCount, segment.wSections);
    segment.kind = u32();
    segment.startX = f64();
    segment.startY = f64();
    segment.startHeading = f64();
    segment.endX = f64();
    segment.endY = f64();
    segment.endHeading = f64();
    skip(2);
}

void TrackDecoder::readBody(VxXSection& section) {
    readHeader(kXSectionKind);
    for (double& value : section.values)
        value = f64();
    skip(1);
}

// One layer block per texture slot of the appearance that holds a texture: a flag byte, and when
// the flag is 0 a block of `blockSize` bytes.
void TrackDecoder::readLayerBlocks(const VxAppearance& appearance, std::size_t blockSize) {
    for (const VxTexture* texture : appearance.textures) {
        if (texture && u8() == 0) skip(blockSize);
    }
}

void TrackDecoder::readBody(VxFSection& section) {
    readHeader(kFSectionKind);
    section.startOffset = f64();
    section.endOffset = f64();
    skip(5);
    section.surface = u32();
    section.appearance = reference<VxAppearance>();
    if (section.appearance) {
        section.textureCoords = reference<VxTextureCoords>();
        readLayerBlocks(*section.appearance, 42);
    }
}

void TrackDecoder::readBody(VxWSection& section) {
    readHeader(kWSectionKind);
    section.startOffset = f64();
    section.endOffset = f64();
    skip(5);
    for (double& value : section.values)
        value = f64();
    skip(20);
    section.value = u32();
    section.rowCount = u32();
    skip(8);
    constexpr int kCells = 5;
    if (section.rowCount > stream_.remaining() / (kCells * kReferenceSize))
        damaged("a count larger than the file");
    for (std::uint32_t row = 0; row < section.rowCount; ++row) {
        if (row > 0) f64();
        for (int cell = 0; cell < kCells; ++cell) {
            VxAppearance* appearance = reference<VxAppearance>();
            section.cells.push_back(appearance);
            if (!appearance) continue;
            reference<VxTextureCoords>();
            readLayerBlocks(*appearance, 34);
        }
    }
}

void TrackDecoder::readBody(VxAppearance& appearance) {
    readHeader(kAppearanceKind);
    for (VxTexture*& texture : appearance.textures)
        texture = reference<VxTexture>();
    for (double& value : appearance.values)
        value = f64();
    skip(76);
}

void TrackDecoder::readBody(VxTexture& texture) {
    readHeader(kTextureKind);
    texture.name += text(false);
}

void TrackDecoder::readBody(VxTextureCoords& coords) {
    readHeader(kTextureCoordsKind);
    coords.value = u32();
    skip(4);
    for (int array = 1; array <= 24; ++array) {
        // n bytes announced, floor(n / 8) values stored.
        const std::size_t values = u32() / 8;
        if (values > stream_.remaining() / 8) damaged("an array larger than the file");
        std::vector<double>* kept = array == 1 ? &coords.first : array == 2 ? &coords.second : nullptr;
        if (!kept) {
            skip(values * 8);
            continue;
        }
        kept->reserve(values);
        for (std::size_t i = 0; i < values; ++i)
            kept->push_back(f64());
    }
}

void TrackDecoder::readBody(VxTrackDetail& detail) {
    readHeader(kTrackDetailKind);
    detail.appearance = reference<VxAppearance>();
    skip(40);
    detail.firstValue = u32();
    for (double& value : detail.firstValues)
        value = f64();
    detail.secondValue = u32();
    for (double& value : detail.secondValues)
        value = f64();
}

void TrackDecoder::readBody(VxTSOReference& tsoReference) {
    readHeader(kTSOReferenceKind);
    for (double& value : tsoReference.values)
        value = f64();
    tsoReference.tso = reference<VxTSO>();
}

void TrackDecoder::readBody(VxTSO& tso) {
    readHeader(kTSOKind);
    text(false);
    tso.name = text(true);
}

// Reads that run past the end of the stream give zeros and stop the cursor; the decoder checks
// after each and fails at once.
void TrackDecoder::checkNotPastTheEnd() const {
    if (!stream_.ok()) damaged("it ends early");
}

std::uint8_t TrackDecoder::u8() {
    const std::uint8_t value = stream_.u8();
    checkNotPastTheEnd();
    return value;
}
std::uint32_t TrackDecoder::u32() {
    const std::uint32_t value = stream_.u32();
    checkNotPastTheEnd();
    return value;
}
double TrackDecoder::f64() {
    const double value = stream_.f64();
    checkNotPastTheEnd();
    return value;
}
void TrackDecoder::skip(std::size_t count) {
    stream_.skip(count);
    checkNotPastTheEnd();
}

// A u32 length and that many bytes.
std::string TrackDecoder::text(bool dropZeros) {
    const std::span<const std::uint8_t> bytes = stream_.bytes(u32());
    checkNotPastTheEnd();
    std::string result(bytes.begin(), bytes.end());
    if (dropZeros) std::erase(result, '\0');
    return result;
}

void TrackDecoder::damaged(const std::string& what) const {
    throw TrackFileError("Error: the track file is damaged: " + what + " (at byte " +
                         std::to_string(stream_.offset()) + ")");
}
