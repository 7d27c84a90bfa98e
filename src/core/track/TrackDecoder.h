#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/ByteReader.h"
#include "track/TrackObjectRegistry.h"
#include "track/VxObjects.h"

// Decodes an unpacked track file, an object stream rooted in one VxTrack, into the registry.
// Throws TrackFileError on a body header that is not the expected one (with the exact message the
// user is shown) and on a stream that runs out or nests deeper than any real track.
class TrackDecoder {
public:
    TrackDecoder(std::span<const std::uint8_t> stream, TrackObjectRegistry& registry);

    VxTrack* readRoot();

    // Description of each kind: its label, source unit and check site in messages, and its header
    // constant. The check sites are fixed numbers, so the texts users see never change with the code.
    struct Kind {
        const char* label;
        const char* unit;
        int checkSite;
        std::uint32_t third;
        enum Style { Bare, AtLine, NearLine } style;
    };

private:
    template <typename T>
    T* reference();
    void readClassRecord();
    void readHeader(const Kind& kind);
    [[noreturn]] void headerFailure(const Kind& kind, int ordinal, std::uint32_t expected,
                                    std::size_t offset);

    void readBody(VxTrack& track);
    void readBody(VxSegment& segment);
    void readBody(VxXSection& section);
    void readBody(VxFSection& section);
    void readBody(VxWSection& section);
    void readBody(VxAppearance& appearance);
    void readBody(VxTexture& texture);
    void readBody(VxTextureCoords& coords);
    void readBody(VxTrackDetail& detail);
    void readBody(VxTSOReference& reference);
    void readBody(VxTSO& tso);
    void readLayerBlocks(const VxAppearance& appearance, std::size_t blockSize);
    template <typename T>
    void readReferences(std::uint32_t count, std::vector<T*>& into);

    std::uint8_t u8();
    std::uint32_t u32();
    double f64();
    void skip(std::size_t count);
    std::string text(bool dropZeros);
    void checkNotPastTheEnd() const;
    [[noreturn]] void damaged(const std::string& what) const;

    ByteReader stream_;
    TrackObjectRegistry& registry_;
    int depth_ = 0;
};
