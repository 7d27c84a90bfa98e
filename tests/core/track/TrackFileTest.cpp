#include "track/TrackFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <tuple>

#include "OvalTrack.h"
#include "TempDir.h"
#include "track/TrackFileError.h"
#include "track/VxObjects.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Lays out a stream by hand, value by value.
struct Stream {
    Bytes bytes;
    Stream& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Stream& f64(double v) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(&v);
        bytes.insert(bytes.end(), p, p + 8);
        return *this;
    }
    Stream& zeros(std::size_t n) {
        bytes.insert(bytes.end(), n, 0);
        return *this;
    }
    // Object id, class id with its name, and the three header values.
    Stream& object(std::uint32_t id, std::uint32_t classId, std::uint32_t h1, std::uint32_t h2,
                   std::uint32_t h3, bool named = true) {
        u32(id).u32(classId);
        if (named) u32(3).bytes.insert(bytes.end(), {'V', 0, 'x'});
        return u32(h1).u32(h2).u32(h3);
    }
    // A track whose single segment follows.
    Stream& trackWithOneSegment() {
        return object(1, 10, 1, 0, 6).u32(1).zeros(173).u32(0).u32(0).u32(0).u32(0).u32(0);
    }
    // A segment's header and empty X and F section lists, its W sections to follow.
    Stream& segmentBeforeWSections(std::uint32_t id) {
        return object(id, 11, 1, 0, 1).u32(0).u32(0).u32(0).u32(0);
    }
    Stream& segmentTail() {
        u32(0);
        for (int i = 0; i < 6; ++i)
            f64(i);
        return zeros(2);
    }
};

class TrackFileTest : public testing::Test {
protected:
    // Writes "<tracks>/<folder>/<file>".
    void put(const std::string& folder, const std::string& file, const Bytes& bytes) {
        std::filesystem::create_directories(dir_ / folder);
        writeFile(dir_.path() / folder / file, bytes);
    }
    // Decodes track `name` and returns its root; a failure fails the test.
    const VxTrack& load(const std::string& name = "oval") {
        auto file = TrackFile::load(dir_.path(), name);
        if (!file) {
            ADD_FAILURE() << file.error().message();
            static const VxTrack none;
            return none;
        }
        file_ = std::make_unique<TrackFile>(std::move(file).value());
        return file_->root();
    }
    // The text of the failure to load track "oval", or "no failure".
    std::string failure() {
        const auto file = TrackFile::load(dir_.path(), "oval");
        return file ? "no failure" : file.error().message();
    }
    std::string failure(const Bytes& stream) {
        put("oval", "oval.ptf", stream);
        return failure();
    }

    const Bytes oval_ = trackStream(ovalTrack());
    TempDir dir_;
    std::unique_ptr<TrackFile> file_;
};

TEST_F(TrackFileTest, DecodesEveryKindOfObject) {
    put("oval", "oval.ptf", oval_);
    const VxTrack& track = load();
    EXPECT_FALSE(file_->compressed());
    ASSERT_EQ(track.segments.size(), 4u);
    const VxSegment& arc = *track.segments[1];
    EXPECT_EQ(std::tuple(arc.kind, arc.startX, arc.endY, arc.endHeading),
              std::tuple(1u, 400, 200, std::numbers::pi));
    ASSERT_EQ(arc.fSections.size(), 3u);
    EXPECT_EQ(
        std::tuple(arc.fSections[0]->startOffset, arc.fSections[2]->surface, arc.xSections[0]->values[5]),
        std::tuple(6, 9u, 6));
    ASSERT_EQ(arc.wSections.size(), 2u);
    EXPECT_EQ(std::tuple(arc.wSections[0]->rowCount, arc.wSections[0]->cells.size()), std::tuple(2u, 10u));

    // Shared objects resolve to the one decoded object.
    const VxAppearance* kerb = track.segments[0]->fSections[0]->appearance;
    EXPECT_EQ(track.segments[3]->fSections[0]->appearance, kerb);
    EXPECT_EQ(track.trackDetails[0]->appearance, kerb);
    EXPECT_EQ(track.trackDetails[1]->appearance, nullptr);
    const VxAppearance* asphalt = track.segments[0]->fSections[1]->appearance;
    ASSERT_NE(asphalt->textures[0], nullptr);
    EXPECT_EQ(asphalt->textures[0]->name, std::string("asphalt\0grey", 12))
        << "texture names keep zero bytes";
    EXPECT_EQ(std::tuple(asphalt->textures[1], asphalt->textures[2]), std::tuple(nullptr, kerb->textures[0]));
    EXPECT_EQ(std::tuple(file_->objects().count<VxAppearance>(), file_->objects().count<VxTextureCoords>()),
              std::tuple(2u, 1u));
    const VxTextureCoords* coords = track.segments[0]->fSections[0]->textureCoords;
    EXPECT_EQ(coords->first, (std::vector<double>{0.0, 0.5, 1.0}));
    EXPECT_EQ(coords->second, (std::vector<double>{2.0}));
    ASSERT_EQ(track.tsoReferences.size(), 2u);
    EXPECT_EQ(track.tsoReferences[1]->tso->name, "tower") << "TSO names drop zero bytes";
}

TEST_F(TrackFileTest, PackedArchiveMemberDecodesTheSame) {
    put("oval", "oval.dat",
        trackArchive({{"track.ini", Bytes(40, 'x'), false}, {"oval.ptf.v2", oval_, true}}));
    const VxTrack& track = load();
    EXPECT_TRUE(file_->compressed());
    EXPECT_EQ(file_->unpackedSize(), oval_.size());
    EXPECT_LT(file_->storedSize(), oval_.size());
    EXPECT_EQ(track.segments.size(), 4u) << "the name test is a substring test";
}

TEST_F(TrackFileTest, StoredMemberIsUsedAsItIs) {
    put("oval", "oval.dat", trackArchive({{"oval.ptf", oval_, false}}));
    EXPECT_EQ(load().segments.size(), 4u);
    EXPECT_FALSE(file_->compressed());
}

TEST_F(TrackFileTest, PlainFileWinsOverTheArchive) {
    put("oval", "oval.ptf", oval_);
    put("oval", "oval.dat", Bytes(100, 0xEE));
    EXPECT_EQ(load().segments.size(), 4u);
}

TEST_F(TrackFileTest, FoldersAndFilesAreFoundWithoutRegardToCase) {
    put("Oval", "OVAL.PTF", oval_);
    EXPECT_EQ(load("oval").segments.size(), 4u);
}

TEST_F(TrackFileTest, LocatingFailuresCannotOpenTheTrackFile) {
    const auto cannotOpen = [&](const std::string& why) {
        EXPECT_EQ(failure(), "Error: cannot open track file") << why;
    };
    cannotOpen("neither file exists");

    const Bytes packed = trackArchive({{"oval.ptf", oval_, true}});
    Bytes archive = packed;
    archive[10] = 4;
    put("oval", "oval.dat", archive);
    cannotOpen("directory marker not 5");

    put("oval", "oval.dat", trackArchive({{"oval.trk", oval_, true}}));
    cannotOpen("no member named .ptf");

    archive = packed;
    archive[24] = 200;  // the name runs past the archive
    archive.resize(60);
    put("oval", "oval.dat", archive);
    cannotOpen("a name longer than its space");

    archive = packed;
    archive[archive.size() - 5] ^= 0x5A;
    archive[archive.size() - 20] ^= 0xA5;
    put("oval", "oval.dat", archive);
    cannotOpen("a corrupt packed member");
}

TEST_F(TrackFileTest, HeaderChecksGiveTheirExactMessages) {
    EXPECT_EQ(failure(Stream().object(1, 10, 1, 0, 5).bytes), "error 3");
    EXPECT_EQ(failure(Stream().object(1, 10, 2, 0, 6).bytes), "error 1");
    EXPECT_EQ(failure(Stream().object(1, 10, 1, 9, 6).bytes), "error 2");

    Stream wall = Stream().trackWithOneSegment().segmentBeforeWSections(2);
    wall.u32(1).u32(0);
    const std::size_t thirdValue = wall.bytes.size() + 4 + 4 + 4 + 3 + 4 + 4;  // id, class, name, 1, 0
    wall.object(3, 12, 1, 0, 4);
    const std::string message = failure(wall.bytes);
    EXPECT_EQ(message, "Error in file decode\\VxWSection near line 158\nerror ; buffer = " +
                           std::to_string(thirdValue) +
                           "\nThird value of W Section is not a 5 which it should be.");

    // An F section whose appearance has 3 as its second header value.
    Stream fSection = Stream().trackWithOneSegment().object(2, 11, 1, 0, 1).u32(0).u32(0).u32(1).u32(0);
    fSection.object(3, 13, 1, 0, 4).f64(1).f64(1).zeros(5).u32(1).object(4, 14, 1, 3, 2);
    EXPECT_EQ(failure(fSection.bytes),
              "Error in file decode\\VxAppearance @ line 184\nSecond value of Appearance is not a 0 which it "
              "should be.");
}

TEST_F(TrackFileTest, ReferenceRules) {
    // A segment whose W section refers back to the segment's own id: that is not a W section, so
    // a new W section follows; its class id was seen before, so no name follows.
    Stream s = Stream().trackWithOneSegment().segmentBeforeWSections(2);
    s.u32(1).u32(0);
    s.object(2, 11, 1, 0, 5, /*named=*/false).f64(3).f64(4).zeros(5).f64(0).f64(0).f64(0).f64(0).zeros(20);
    s.u32(0).u32(0).zeros(8);  // no rows
    s.segmentTail();
    put("oval", "oval.ptf", s.bytes);
    const VxTrack& track = load();
    ASSERT_EQ(track.segments[0]->wSections.size(), 1u);
    EXPECT_EQ(track.segments[0]->wSections[0]->objectId, 2u);
    EXPECT_DOUBLE_EQ(track.segments[0]->wSections[0]->endOffset, 4);
}

TEST_F(TrackFileTest, TextureCoordinateArraysConsumeWholeValuesOnly) {
    // An F section with an appearance of one texture, texture coordinates whose first array
    // announces 12 bytes (one value), and one full layer block.
    Stream s = Stream().trackWithOneSegment().object(2, 11, 1, 0, 1).u32(0).u32(0).u32(1).u32(0);
    s.object(3, 13, 1, 0, 4).f64(1).f64(1).zeros(5).u32(1);
    s.object(4, 14, 1, 0, 2).object(5, 15, 1, 0, 1).u32(2).bytes.insert(s.bytes.end(), {'a', 0});
    for (int t = 1; t < 7; ++t)
        s.u32(0);
    s.f64(0).f64(0).f64(0).zeros(76);
    s.object(6, 16, 1, 0, 1).u32(0).zeros(4).u32(12).f64(42.5);
    for (int a = 2; a <= 24; ++a)
        s.u32(0);
    s.bytes.push_back(0);
    s.zeros(42);
    s.u32(0).u32(0).segmentTail();
    put("oval", "oval.ptf", s.bytes);
    const VxTrack& track = load();
    const VxFSection& f = *track.segments[0]->fSections[0];
    EXPECT_EQ(f.textureCoords->first, std::vector<double>{42.5});
    EXPECT_EQ(f.appearance->textures[0]->name, std::string("a\0", 2));
    EXPECT_DOUBLE_EQ(track.segments[0]->endHeading, 5);
}

TEST_F(TrackFileTest, DamagedFilesFailCleanly) {
    const Bytes archive = trackArchive({{"oval.ptf", oval_, true}});
    std::mt19937 random(7);
    int loaded = 0;
    for (int round = 0; round < 4000; ++round) {
        const bool packed = round % 2;
        Bytes bytes = packed ? archive : oval_;
        if (round % 5 == 0) {
            bytes.resize(random() % bytes.size());
        } else {
            for (int c = 1 + static_cast<int>(random() % 6); c > 0; --c)
                bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        }
        std::filesystem::remove_all(dir_ / "oval");
        put("oval", packed ? "oval.dat" : "oval.ptf", bytes);
        if (TrackFile::load(dir_.path(), "oval")) ++loaded;
    }
    EXPECT_LT(loaded, 4000);
}

// Each file owns what it decoded: loading another track, or failing to, leaves a loaded one whole.
TEST_F(TrackFileTest, EachFileOwnsItsObjects) {
    put("oval", "oval.ptf", oval_);
    const auto first = TrackFile::load(dir_.path(), "oval");
    ASSERT_TRUE(first);
    const VxSegment& arc = *first->root().segments[1];
    EXPECT_EQ(failure(Stream().object(1, 10, 1, 0, 5).bytes), "error 3");
    put("Second", "second.ptf", oval_);
    EXPECT_TRUE(TrackFile::load(dir_.path(), "second"));
    EXPECT_EQ(first->objects().count<VxSegment>(), 4u);
    EXPECT_DOUBLE_EQ(arc.startX, 400);
}

}  // namespace
