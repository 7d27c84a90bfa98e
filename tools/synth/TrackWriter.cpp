#include "TrackWriter.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>

#include "PkwareImplode.h"

namespace {

enum ClassId : std::uint32_t {
    kTrackClass = 0x100,
    kSegmentClass,
    kXSectionClass,
    kFSectionClass,
    kWSectionClass,
    kAppearanceClass,
    kTextureClass,
    kTextureCoordsClass,
    kTrackDetailClass,
    kTSOReferenceClass,
    kTSOClass,
};

const char* className(std::uint32_t id) {
    static constexpr const char* kNames[] = {
        "VxTrack",   "VxSegment",       "VxXSection",    "VxFSection",     "VxWSection", "VxAppearance",
        "VxTexture", "VxTextureCoords", "VxTrackDetail", "VxTSOReference", "VxTSO"};
    return kNames[id - kTrackClass];
}

class StreamWriter {
public:
    explicit StreamWriter(const TrackSpec& track) : track_(track) {}

    std::vector<std::uint8_t> write() {
        beginObject(kTrackClass, 6);
        u32(static_cast<std::uint32_t>(track_.segments.size()));
        std::uint8_t block[173] = {};
        block[0] = track_.flag ? 1 : 0;
        bytes(block, sizeof block);
        u32(static_cast<std::uint32_t>(track_.trackDetails.size()));
        u32(0);
        for (int appearance : track_.trackDetails)
            trackDetail(appearance);
        u32(static_cast<std::uint32_t>(track_.tsoNames.size()));
        u32(0);
        for (const std::string& name : track_.tsoNames)
            tsoReference(name);
        u32(0);
        for (const SegmentSpec& spec : track_.segments)
            segment(spec);
        return std::move(out_);
    }

private:
    void u8(std::uint8_t value) { out_.push_back(value); }
    void u32(std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            out_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void f64(double value) { bytes(&value, 8); }
    void bytes(const void* data, std::size_t size) {
        const auto* first = static_cast<const std::uint8_t*>(data);
        out_.insert(out_.end(), first, first + size);
    }
    void zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }
    void text(const std::string& value) {
        u32(static_cast<std::uint32_t>(value.size()));
        bytes(value.data(), value.size());
    }

    // A new object's id, class record and body header.
    std::uint32_t beginObject(std::uint32_t classId, std::uint32_t third) {
        const std::uint32_t id = ++lastId_;
        u32(id);
        u32(classId);
        if (classesSeen_.insert(classId).second) {
            // Class names carry a zero byte, which the reader drops.
            text(std::string(className(classId)) + std::string(1, '\0'));
        }
        u32(1);
        u32(0);
        u32(third);
        return id;
    }

    // A reference to a shared object: its id when it was written before, else the object itself.
    template <typename WriteBody>
    void shared(std::uint32_t classId, int index, WriteBody writeBody) {
        if (index < 0) return u32(0);
        auto [it, first] = sharedIds_.try_emplace({classId, index}, 0);
        if (!first) return u32(it->second);
        it->second = lastId_ + 1;
        writeBody();
    }

    void texture(int index) {
        shared(kTextureClass, index, [&] {
            beginObject(kTextureClass, 1);
            text(track_.textures[static_cast<std::size_t>(index)]);
        });
    }
    void appearance(int index) {
        shared(kAppearanceClass, index, [&] {
            beginObject(kAppearanceClass, 2);
            for (int textureIndex : track_.appearances[static_cast<std::size_t>(index)].textures)
                texture(textureIndex);
            f64(1.0), f64(0.5), f64(0.25);
            zeros(76);
        });
    }
    void textureCoords(int index) {
        shared(kTextureCoordsClass, index, [&] {
            beginObject(kTextureCoordsClass, 1);
            const TextureCoordsSpec& coords = track_.textureCoords[static_cast<std::size_t>(index)];
            u32(7);
            zeros(4);
            for (int array = 1; array <= 24; ++array) {
                const std::vector<double> none;
                const auto& values = array == 1 ? coords.first : array == 2 ? coords.second : none;
                u32(static_cast<std::uint32_t>(values.size() * 8));
                for (double value : values)
                    f64(value);
            }
        });
    }
    // One layer block per texture slot of the appearance that holds a texture.
    void layerBlocks(int appearanceIndex, std::size_t blockSize) {
        int slot = 0;
        for (int textureIndex : track_.appearances[static_cast<std::size_t>(appearanceIndex)].textures) {
            if (textureIndex < 0) continue;
            const bool full = slot++ % 2 == 0;  // alternate full blocks and bare flags
            u8(full ? 0 : 1);
            if (full) zeros(blockSize);
        }
    }

    void trackDetail(int appearanceIndex) {
        beginObject(kTrackDetailClass, 0);
        appearance(appearanceIndex);
        zeros(40);
        u32(3);
        for (int i = 0; i < 4; ++i)
            f64(i);
        u32(4);
        for (int i = 0; i < 4; ++i)
            f64(-i);
    }
    void tsoReference(const std::string& name) {
        beginObject(kTSOReferenceClass, 1);
        for (int i = 0; i < 6; ++i)
            f64(i * 1.5);
        beginObject(kTSOClass, 2);
        text("objects\\" + name + ".tso");
        text(name + std::string(1, '\0'));
    }

    void segment(const SegmentSpec& spec) {
        beginObject(kSegmentClass, 1);
        u32(static_cast<std::uint32_t>(spec.xSections.size()));
        u32(0);
        for (const XSectionSpec& xSection : spec.xSections) {
            beginObject(kXSectionClass, 2);
            for (double value : xSection.values)
                f64(value);
            zeros(1);
        }
        u32(static_cast<std::uint32_t>(spec.fSections.size()));
        u32(0);
        for (const FSectionSpec& fSection : spec.fSections) {
            beginObject(kFSectionClass, 4);
            f64(fSection.startOffset);
            f64(fSection.endOffset);
            zeros(5);
            u32(fSection.surface);
            appearance(fSection.appearance);
            if (fSection.appearance >= 0) {
                textureCoords(fSection.textureCoords);
                layerBlocks(fSection.appearance, 42);
            }
        }
        u32(static_cast<std::uint32_t>(spec.wSections.size()));
        u32(0);
        for (const WSectionSpec& wall : spec.wSections) {
            beginObject(kWSectionClass, 5);
            f64(wall.startOffset);
            f64(wall.endOffset);
            zeros(5);
            for (int i = 0; i < 4; ++i)
                f64(2.0 + i);
            zeros(20);
            u32(9);
            u32(wall.rows);
            zeros(8);
            for (std::uint32_t row = 0; row < wall.rows; ++row) {
                if (row > 0) f64(row * 10.0);
                for (int cell = 0; cell < 5; ++cell) {
                    appearance(wall.appearance);
                    if (wall.appearance < 0) continue;
                    textureCoords(wall.textureCoords);
                    layerBlocks(wall.appearance, 34);
                }
            }
        }
        u32(spec.kind);
        for (double value :
             {spec.startX, spec.startY, spec.startHeading, spec.endX, spec.endY, spec.endHeading})
            f64(value);
        zeros(2);
    }

    const TrackSpec& track_;
    std::vector<std::uint8_t> out_;
    std::uint32_t lastId_ = 0;
    std::set<std::uint32_t> classesSeen_;
    std::map<std::pair<std::uint32_t, int>, std::uint32_t> sharedIds_;
};

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> trackStream(const TrackSpec& track) {
    return StreamWriter(track).write();
}

std::vector<std::uint8_t> trackArchive(const std::vector<ArchiveMember>& members) {
    std::vector<std::vector<std::uint8_t>> stored;
    std::size_t directorySize = 0;
    for (const ArchiveMember& member : members) {
        stored.push_back(member.packed ? pkwareImplode(member.data, false, 4096) : member.data);
        directorySize += 15 + member.name.size() + 1;
    }
    std::vector<std::uint8_t> out = {'V', 'X', 'D', 'A', 'T', 0, 1, 0, 0, 0};
    std::uint32_t offset = static_cast<std::uint32_t>(out.size() + directorySize);
    for (std::size_t i = 0; i < members.size(); ++i) {
        out.push_back(5);
        out.push_back(0);
        put32(out, static_cast<std::uint32_t>(members[i].data.size()));
        put32(out, static_cast<std::uint32_t>(stored[i].size()));
        put32(out, offset);
        out.push_back(static_cast<std::uint8_t>(members[i].name.size()));
        out.insert(out.end(), members[i].name.begin(), members[i].name.end());
        out.push_back(0);
        offset += static_cast<std::uint32_t>(stored[i].size());
    }
    for (const auto& memberBytes : stored)
        out.insert(out.end(), memberBytes.begin(), memberBytes.end());
    return out;
}

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::string trackIni(double lengthMetres) {
    char line[64];
    std::snprintf(line, sizeof line, "track_length = %.6f miles\r\n", lengthMetres / 1609.344);
    return "[TRACK]\r\nname = Synthetic\r\n" + std::string(line) + "pit_lane = 1\r\n";
}
