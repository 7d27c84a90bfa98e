#include "replay/DriverTable.h"

#include <gtest/gtest.h>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <tuple>

#include "ConstantPaceReplay.h"
#include "TempDir.h"
#include "TestSystem.h"

namespace {

// A table read from bytes, and how the read ended.
struct ReadTable {
    std::unique_ptr<DriverTable> table = std::make_unique<DriverTable>();
    std::optional<DriverTableError> error;
    const DriverTable* operator->() const { return table.get(); }
};

class DriverTableTest : public testing::Test {
protected:
    ReadTable read(const ReplayWriter& writer) { return read(writer.bytes()); }
    ReadTable read(const std::vector<std::uint8_t>& bytes) {
        ReadTable read;
        read.error = read.table->read(dir_.write("drivers.rpy", bytes)).error();
        return read;
    }
    TempDir dir_;
};

// The lap words of a driver's slots 0 .. count - 1, and whether each slot is selectable.
std::vector<std::uint32_t> lapEntries(const ReadTable& d, int session, int driver, int count) {
    std::vector<std::uint32_t> entries;
    for (int slot = 0; slot < count; ++slot)
        entries.push_back(d->lapEntry(session, driver, slot));
    return entries;
}
std::vector<bool> selectableSlots(const ReadTable& d, int session, int driver, int count) {
    std::vector<bool> selectable;
    for (int slot = 0; slot < count; ++slot)
        selectable.push_back(d->selectable(session, driver, slot));
    return selectable;
}

// Two cars, ended early: enough for the tests that need any whole replay.
ConstantPaceReplay shortTwoCars() {
    ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();
    fixture.lastFrameTime = 3000;
    return fixture;
}

// shortTwoCars with copies of the second car, each with its own id, up to count drivers.
ConstantPaceReplay shortWithDrivers(int count) {
    ConstantPaceReplay fixture = shortTwoCars();
    while (static_cast<int>(fixture.cars.size()) < count) {
        ConstantPaceCar car = fixture.cars[1];
        car.driver.id = 100 + static_cast<std::uint32_t>(fixture.cars.size());
        fixture.cars.push_back(car);
    }
    return fixture;
}

// A replay of Ann, its owner, id 10, and no lap table yet.
ReplayWriter annOwnsTheReplay() {
    ReplayWriter w;
    w.setOwner(0, "Ann", "Owner");
    w.addDriver({"Ann", "Owner", "", "GT", 1, 150, 10});
    return w;
}

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint32_t get32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
}
void putText(std::vector<std::uint8_t>& b, std::size_t at, const char* s) {
    std::memcpy(&b[at], s, std::strlen(s));
}

TEST_F(DriverTableTest, HandLaidTablesAreReadFromTheirOffsets) {
    std::vector<std::uint8_t> b(548, 0);
    putText(b, 0, "YLPR");
    put32(b, 4, 3);
    put32(b, 8, 548 - 12);
    put32(b, 24, 2);   // frames
    put32(b, 28, 32);  // telemetry length F
    put32(b, 32, 16);  // last frame length
    put32(b, 36, 0);   // owner index
    putText(b, 40, "Ann");
    putText(b, 56, "Owner");
    put32(b, 80, 0);  // saved during practice
    putText(b, 268, "SLRD");
    put32(b, 276, 184);
    // Driver record at 280.
    putText(b, 280, "TNRD");
    put32(b, 288, 172);
    putText(b, 292, "Ann");
    putText(b, 308, "Owner");
    putText(b, 328, "annie");
    putText(b, 400, "Veltra GT");
    put32(b, 444, 7);    // car number
    put32(b, 448, 150);  // human
    put32(b, 456, 10);   // id
    // Practice lap table at 464 with one lap list.
    putText(b, 464, "BTPL");
    put32(b, 472, 28);
    putText(b, 476, "ORPL");
    put32(b, 484, 16);
    put32(b, 488, 10);                    // driver id
    put32(b, 492, 0x05001000);            // start 4096 ms; the upper byte is ignored
    put32(b, 496, 54096 | kOffTrackLap);  // end of lap 1
    put32(b, 500, 104096);                // end of lap 2
    // Telemetry at T = 504: two frames of one session marker each.
    putText(b, 504, "PTPR");
    put32(b, 512, 32);
    b[516] = 16;                     // frame 1: length 16, previous 0
    b[524] = 13, b[526] = 8;         // marker record
    put32(b, 528, (100u << 8) | 0);  // practice, 1.00 s
    b[532] = 16, b[534] = 16;        // frame 2
    b[540] = 13, b[542] = 8;
    put32(b, 544, (20000u << 8) | 0);  // practice, 200.00 s

    auto d = read(b);
    ASSERT_EQ(d.error, std::nullopt);
    EXPECT_EQ(
        std::tuple(d->driverCount, d->lastFrameLength, d->onlineRace, d->ownerSearched, d->telemetryOffset),
        std::tuple(1, 16, true, false, 504u));
    const auto& ann = d->driver(0);
    EXPECT_EQ(
        std::tuple(ann.firstName, ann.lastName, ann.chatNick, ann.carName),
        std::tuple(std::string("Ann"), std::string("Owner"), std::string("annie"), std::string("Veltra GT")));
    EXPECT_EQ(std::tuple(ann.carNumber, ann.kind, ann.driverId), std::tuple(7u, DriverRecord::Human, 10u));
    EXPECT_EQ(d->sessionPresent, (std::array<bool, kSessionCount>{true, false, false, false}));
    EXPECT_EQ(d->lapCount(kPractice, 0), 2);
    EXPECT_EQ(lapEntries(d, kPractice, 0, 4),
              (std::vector<std::uint32_t>{4096u, 50000u | kOffTrackLap, 50000u, kUnusedSlot}));
    EXPECT_EQ(d->lapEntry(kRace, 0, 0), kNoRaceSlot) << "a session the file does not hold keeps its filler";
    EXPECT_EQ(std::tuple(d->windowStart[kPractice], d->windowEnd[kPractice]), std::tuple(1000u, 200000u));
    EXPECT_EQ(selectableSlots(d, kPractice, 0, 3), (std::vector<bool>{false, true, true}))
        << "off the track alone does not prevent selection";
}

// A scan reads one file after another into the same table: each read must leave what a fresh
// table reads, whatever the one before held.
TEST_F(DriverTableTest, FiftyDriversLoadAndATableReadAgainHoldsOnlyTheNewFile) {
    ConstantPaceReplay many = shortWithDrivers(51);
    const auto tooMany = dir_.write("too many.rpy", many.writer().bytes());
    many.cars.resize(50);
    const auto fifty = dir_.write("fifty.rpy", many.writer().bytes());
    const auto two = dir_.write("two.rpy", ConstantPaceReplay::twoCars().writer().bytes());

    DriverTable fresh;
    ASSERT_TRUE(fresh.read(two));
    DriverTable reused;
    ASSERT_TRUE(reused.read(fifty));
    EXPECT_EQ(reused.driverCount, 50);
    ASSERT_TRUE(reused.read(two));
    EXPECT_EQ(reused.driverCount, 2);
    for (int session = 0; session < kSessionCount; ++session) {
        for (int d = 0; d < 3; ++d) {
            SCOPED_TRACE(testing::Message() << "session " << session << ", driver " << d);
            EXPECT_EQ(reused.lapCount(session, d), fresh.lapCount(session, d));
            for (int slot = 0; slot <= fresh.lapCount(session, d) + 1; ++slot) {
                EXPECT_EQ(reused.lapEntry(session, d, slot), fresh.lapEntry(session, d, slot));
                EXPECT_EQ(reused.selectable(session, d, slot), fresh.selectable(session, d, slot));
            }
        }
    }
    EXPECT_EQ(reused.windowStart, fresh.windowStart);
    EXPECT_EQ(reused.windowEnd, fresh.windowEnd);
    EXPECT_EQ(reused.driverName(1), fresh.driverName(1));

    // A read that fails in the telemetry, after the lap tables: no lap of the file before is
    // selectable.
    std::vector<std::uint8_t> damaged = ConstantPaceReplay::twoCars().writer().bytes();
    damaged[get32(damaged, 8) - get32(damaged, 28) + 12 + 10] = 0xF0;  // the first record runs past its frame
    const auto damagedPath = dir_.write("damaged.rpy", damaged);
    const auto selectableLaps = [](const DriverTable& table) {
        int laps = 0;
        for (int session = 0; session < kSessionCount; ++session)
            for (int driver = 0; driver < 2; ++driver)
                for (int slot = 0; slot <= table.lapCount(session, driver); ++slot)
                    laps += table.selectable(session, driver, slot);
        return laps;
    };
    ASSERT_TRUE(reused.read(two));
    ASSERT_GT(selectableLaps(reused), 0);
    EXPECT_EQ(reused.read(damagedPath).error(), DriverTableError::DamagedTelemetry);
    EXPECT_EQ(selectableLaps(reused), 0);

    EXPECT_EQ(reused.read(tooMany).error(), DriverTableError::TooManyDrivers);
    EXPECT_EQ(reused.driverCount, 51);
    EXPECT_EQ(reused.lapCount(kPractice, 0), 0) << "no lap table is read, none of the file before remains";
    EXPECT_EQ(reused.windowEnd[kPractice], 0u);
    EXPECT_EQ(
        tooManyDriversMessage(51),
        "This replay cannot be opened as it contains more drivers\nthan we ever anticipated was possible. So "
        "please contact us\nat vxra-support@example.org and tell us you saw\nthis note. Please, state also "
        "this number: 51");
}

TEST_F(DriverTableTest, OwnerIsSearchedByNameWhenTheIndexIsWrong) {
    ReplayWriter writer = shortTwoCars().writer();
    writer.setOwner(0, "Bob", "Bot");
    auto d = read(writer);
    EXPECT_EQ(d->ownerIndex, 1);
    EXPECT_TRUE(d->ownerSearched);

    writer.setOwner(1, "Nobody", "Atall");
    d = read(writer);
    EXPECT_EQ(d->ownerIndex, 1) << "without a match the stored index stays";
    EXPECT_TRUE(d->ownerSearched);
}

TEST_F(DriverTableTest, LapTablesAndMarkersAreAssignedToTheirSessions) {
    struct Case {
        bool quickRace;
        int inProgress;
        int tables;
        std::array<bool, kSessionCount> present;
        int lastTableSession;
    };
    const Case cases[] = {
        {false, kRace, 4, {true, true, true, true}, kRace},
        {false, kWarmup, 3, {true, true, true, false}, kWarmup},
        {false, kQualifying, 1, {false, true, false, false}, kQualifying},
        {true, kRace, 2, {false, true, false, true}, kRace},
        {true, kPractice, 1, {false, true, false, false}, kQualifying},
        {true, kRace, 1, {false, false, false, true}, kRace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.quickRace ? "quick race" : "weekend") << ", session in progress " << c.inProgress
                     << ", " << c.tables << " lap tables");
        ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();
        fixture.quickRace = c.quickRace;
        fixture.sessionInProgress = c.inProgress;
        fixture.tables = c.tables;
        auto d = read(fixture.writer());
        ASSERT_EQ(d.error, std::nullopt);
        EXPECT_EQ(d->sessionPresent, c.present);
        EXPECT_EQ(d->lapCount(c.lastTableSession, 0), 3);
        EXPECT_EQ(d->quickRace, c.quickRace);
        EXPECT_EQ(d->firstMarkerSession, c.lastTableSession) << "quick race marker code 1 is the race";
        EXPECT_EQ(d->windowStart[c.lastTableSession], 1000u) << "markers are booked to the same session";
        EXPECT_EQ(d->windowEnd[c.lastTableSession], 160000u);
        EXPECT_EQ(d->selectable(c.lastTableSession, 0, 2), 1);
        EXPECT_EQ(d->selectable(c.lastTableSession, 1, 2), c.lastTableSession == kQualifying ? 0 : 1)
            << "in qualifying only the owner's laps are selectable";
    }
}

TEST_F(DriverTableTest, SelectableLapsLieStrictlyInsideTheWindow) {
    ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();  // window 1000 .. 160000 ms
    fixture.cars[0].startTime = 1000;                            // lap 1 starts at the window start
    fixture.cars[1].startTime = 10000;                           // lap 3 ends at the window end
    fixture.cars[1].lapFlags = {kIncompleteLap, kOffTrackLap | kBlackFlagLap, 0};
    auto d = read(fixture.writer());
    EXPECT_EQ(selectableSlots(d, kPractice, 0, 3), (std::vector<bool>{false, false, true}));
    // Incomplete; off track and black flag; ending at the window end.
    EXPECT_EQ(selectableSlots(d, kPractice, 1, 4), (std::vector<bool>{false, false, true, false}));
}

TEST_F(DriverTableTest, WindowsOpenAcrossSessions) {
    ReplayWriter w = annOwnsTheReplay();
    w.setSessionInProgress(kRace);
    for (int t = 0; t < 4; ++t)
        w.addLapTable({lapListFromDurations(10, 1000, {60000})});
    w.addFrame({sessionMarkerRecord(kPractice, 5000)});
    w.addFrame({plainRecord(2, 8)});
    w.addFrame({sessionMarkerRecord(kRace, 300000)});
    auto d = read(w);
    ASSERT_EQ(d.error, std::nullopt);
    EXPECT_EQ(std::tuple(d->firstMarkerSession, d->lastMarkerSession), std::tuple(kPractice, kRace));
    EXPECT_EQ(d->windowStart[kPractice], 5000u);
    EXPECT_EQ(d->windowEnd, (std::array<std::uint32_t, kSessionCount>{kOpenWindowEnd, kOpenWindowEnd,
                                                                      kOpenWindowEnd, 300000u}))
        << "started but never ended";
    EXPECT_EQ(d->selectable(kPractice, 0, 1), 0) << "starts before the window";
    EXPECT_EQ(d->selectable(kQualifying, 0, 1), 1) << "qualifying lies wholly inside the recording";
}

// Ann's last list counts; twins share an id, the last wins; Cy's 520 laps are cut to 500; id 99
// matches no driver.
TEST_F(DriverTableTest, LapListsAreCutMatchedAndIgnoredAndDriversOutsideTheTableHaveNoLaps) {
    ReplayWriter w = annOwnsTheReplay();
    w.addDriver({"Twin", "One", "", "GT", 2, 250, 20});
    w.addDriver({"Twin", "Two", "", "GT", 3, 250, 20});
    w.addDriver({"Cy", "Long", "", "GT", 4, 250, 30});
    w.addLapTable({lapListFromDurations(10, 1000, {2000, 3000, 4000}), lapListFromDurations(20, 1000, {2500}),
                   lapListFromDurations(30, 1000, std::vector<std::uint32_t>(520, 1000)),
                   lapListFromDurations(10, 500, {6000}), lapListFromDurations(99, 0, {5000})});
    w.addFrame({sessionMarkerRecord(kPractice, 100)});
    w.addFrame({sessionMarkerRecord(kPractice, 90000)});
    auto d = read(w);
    ASSERT_EQ(d.error, std::nullopt);
    ASSERT_EQ(d->driverCount, 4);
    EXPECT_EQ(d->lapCount(kPractice, 0), 1);
    EXPECT_EQ(lapEntries(d, kPractice, 0, 3), (std::vector<std::uint32_t>{500u, 6000u, kUnusedSlot}))
        << "nothing of the first list is left";
    EXPECT_TRUE(d->selectable(kPractice, 0, 1));
    EXPECT_EQ(d->lapCount(kPractice, 1), 0) << "two drivers share an id: the last wins";
    EXPECT_EQ(d->lapEntry(kPractice, 2, 1), 2500u);
    EXPECT_EQ(d->lapCount(kPractice, 3), 500);
    EXPECT_EQ(d->lapEntry(kPractice, 3, 500), 1000u);
    for (int outside : {-1, 4, kMaxDrivers}) {
        EXPECT_EQ(d->lapCount(kPractice, outside), 0) << outside;
        EXPECT_EQ(d->lapEntry(kPractice, outside, 1), kUnusedSlot) << outside;
        EXPECT_FALSE(d->selectable(kPractice, outside, 1)) << outside;
    }
    EXPECT_EQ(d->lapCount(-1, 1), 0);
    EXPECT_EQ(d->lapCount(kSessionCount, 0), 0);
}

TEST_F(DriverTableTest, DamagedStructuresAndTelemetryFail) {
    const std::vector<std::uint8_t> good = shortTwoCars().writer().bytes();
    const std::size_t tables = 280 + 2 * 184;
    const std::size_t firstFrame = get32(good, 8) - get32(good, 28) + 12;
    using Bytes = std::vector<std::uint8_t>;
    const struct {
        const char* what;
        std::function<void(Bytes&)> change;
        DriverTableError error;
    } cases[] = {
        {"session in progress 5", [](Bytes& b) { put32(b, 80, 5); }, DriverTableError::DamagedStructure},
        {"a lap table too long", [&](Bytes& b) { put32(b, tables + 8, 0xFFFFFF); },
         DriverTableError::DamagedStructure},
        {"a lap list too short", [&](Bytes& b) { put32(b, tables + 20, 4); },
         DriverTableError::DamagedStructure},
        {"telemetry past the end", [](Bytes& b) { put32(b, 8, static_cast<std::uint32_t>(b.size())); },
         DriverTableError::DamagedStructure},
        {"the first record's type", [&](Bytes& b) { b[firstFrame + 8] = 7; },
         DriverTableError::InvalidRecordType},
        {"a frame shorter than its head", [&](Bytes& b) { b[firstFrame] = 4, b[firstFrame + 1] = 0; },
         DriverTableError::DamagedTelemetry},
        {"a record running past its frame", [&](Bytes& b) { b[firstFrame + 10] = 0xF0; },
         DriverTableError::DamagedTelemetry},
        {"last frame length below 8", [](Bytes& b) { b[32] = 3, b[33] = 0; },
         DriverTableError::DamagedTelemetry},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = good;
        c.change(bytes);
        EXPECT_EQ(read(bytes).error, c.error);
    }
}

// A file whose frames length is 0 has lap tables that claim the whole rest of the file; here 128 MB
// of empty chunks after the real tables. The read refuses them without holding what they claim.
TEST_F(DriverTableTest, LapTablesClaimingAHugeFileAreRefusedInLittleMemory) {
    std::vector<std::uint8_t> bytes = shortTwoCars().writer().bytes();
    bytes.resize(get32(bytes, 8) - get32(bytes, 28));  // the head, the drivers and the lap tables
    constexpr std::uint32_t kClaimedLength = 128 << 20;
    put32(bytes, 8, kClaimedLength);  // file length - 12
    put32(bytes, 28, 0);              // frames length
    const auto path = dir_.write("huge.rpy", bytes);
    std::filesystem::resize_file(path, kClaimedLength + 12);  // sparse: zeros cost no disk

    // In a child process, whose peak starts from this one's present size.
    EXPECT_EXIT(
        {
            const long before = peakKilobytes();
            DriverTable table;
            const auto read = table.read(path);
            const long grownKilobytes = peakKilobytes() - before;
            std::fprintf(stderr, "peak grew by %ld kB\n", grownKilobytes);
            const bool refused = read.error() == DriverTableError::DamagedStructure;
            std::_Exit(refused && grownKilobytes < 64 * 1024 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(DriverTableTest, FileDateIsEnglishWhateverTheLocale) {
    const auto path = dir_.write("dated.rpy", shortTwoCars().writer().bytes());
    using namespace std::chrono;
    const sys_seconds noon = sys_days{year{2001} / March / 5} + hours{12};
    std::filesystem::last_write_time(path, file_clock::from_sys(noon));
    DriverTable d;
    EXPECT_TRUE(d.read(path));
    EXPECT_EQ(d.fileDate, "2001 Mar 05");
    EXPECT_EQ(d.fileName, path);
}

TEST_F(DriverTableTest, UnreadableFile) {
    DriverTable d;
    EXPECT_EQ(d.read(dir_ / "absent.rpy").error(), DriverTableError::CannotOpen);
}

}  // namespace
