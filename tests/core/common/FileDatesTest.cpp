#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "QuickRaceWriter.h"
#include "TempDir.h"
#include "TestSystem.h"
#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"
#include "reports/ReportText.h"

namespace {

using namespace std::chrono;

// A replay's date shows in local time wherever it is shown, before 1970 too, with a fraction of a
// second rounded down as the system gives it.
TEST(FileDates, ShowTheLocalDateAndTimeTheFileWasWritten) {
    constexpr sys_days kJuly20th1969 = year{1969} / July / 20;
    constexpr sys_days kNewYear1970 = year{1970} / January / 1;
    const struct {
        const char* zone;
        sys_time<milliseconds> written;
        const char* date;  // the driver table's: lap dialogs, the Lap Finder
        const char* time;  // the reports' header line's
    } cases[] = {
        {"UTC0", sys_days{year{2001} / March / 5} + hours{14} + minutes{3} + seconds{9}, "2001 Mar 05",
         "Mon Mar  5 14:03:09 2001"},
        {"UTC0", kJuly20th1969 + hours{20} + minutes{17}, "1969 Jul 20", "Sun Jul 20 20:17:00 1969"},
        {"UTC0", kNewYear1970 - milliseconds{1}, "1969 Dec 31", "Wed Dec 31 23:59:59 1969"},
        {"UTC0", kNewYear1970 - milliseconds{1500}, "1969 Dec 31", "Wed Dec 31 23:59:58 1969"},
        // Two hours east of UTC: before 1970 in UTC, after it in local time; and a day later.
        {"XYZ-2", kNewYear1970 - hours{1}, "1970 Jan 01", "Thu Jan  1 01:00:00 1970"},
        {"XYZ-2", kJuly20th1969 + hours{23}, "1969 Jul 21", "Mon Jul 21 01:00:00 1969"},
        // Summer time (the C library's rule: April to October) before 1970, across midnight too.
        {"XYZ-2ABC", kJuly20th1969 + hours{20} + minutes{17}, "1969 Jul 20", "Sun Jul 20 23:17:00 1969"},
        {"XYZ-2ABC", kJuly20th1969 + hours{21} + minutes{30}, "1969 Jul 21", "Mon Jul 21 00:30:00 1969"},
    };
    struct UtcAfterwards {
        ~UtcAfterwards() { useLocalTimeZone("UTC0"); }
    } utcAfterwards;  // whatever assertion ends the test
    TempDir folder;
    const auto path = folder / "dated.rpy";
    ASSERT_TRUE(fiveDriverQuickRace(0).write(path));
    for (const auto& dated : cases) {
        SCOPED_TRACE(std::string(dated.zone) + " " + dated.time);
        useLocalTimeZone(dated.zone);
        ASSERT_TRUE(setModificationTime(path, dated.written));
        DriverTable drivers;
        ASSERT_TRUE(drivers.read(path));
        EXPECT_EQ(drivers.fileDate, dated.date);
        ReplayHeader header;
        ASSERT_TRUE(header.read(path));
        EXPECT_EQ(reportHeaderLine(header), std::string("Track: Testring             ") + dated.time);
    }
}

}  // namespace
