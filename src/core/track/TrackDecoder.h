#pragma once

#include <cstdint>
#include <source_location>
#include <span>
#include <string>

#include "track/VxObjects.h"
#include "track/TrackObjectRegistry.h"

// Decodes an unpacked track file, an object stream rooted in one VxTrack, into the registry.
// Throws TrackFileError on a body header that is not the expected one (with the exact message the
// user is shown) and on a stream that runs out or nests deeper than any real track.
class TrackDecoder {
public:
    TrackDecoder(std::span<const std::uint8_t> stream, TrackObjectRegistry& registry);

    VxTrack* readRoot();

    // Description of each kind: its label and source unit in messages, and its header constant.
    struct Kind {
        const char* label;
        const char* unit;
        std::uint32_t third;
        enum Style { Bare, AtLine, NearLine } style;
    };

private:
    template <typename T>
    T* reference();
    void readClassRecord();
    void readHeader(const Kind& kind, std::source_location where = std::source_location::current());
    [[noreturn]] void headerFailure(const Kind& kind, int ordinal, std::uint32_t expected, std::size_t offset,
                                    const std::source_location& where);

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
    void skip(std::size_t n);
    std::string text(bool dropZeros);
    const std::uint8_t* take(std::size_t n);
    [[noreturn]] void damaged(const std::string& what) const;

    std::span<const std::uint8_t> stream_;
    std::size_t at_ = 0;
    TrackObjectRegistry& registry_;
    int depth_ = 0;
};
