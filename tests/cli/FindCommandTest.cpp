#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTest.h"
#include "common/PathText.h"

namespace {

class FindCommandTest : public DemoCliTest {
protected:
    CliOutput find(std::vector<std::string> args) {
        args.insert(args.begin(), "find");
        return vxra(args);
    }
};

TEST_F(FindCommandTest, ListsTheTracksLapsSortedWithTheScansMessages) {
    const CliOutput json = find({"RIVALDI", "--sort", "laptime", "--json"});
    ASSERT_EQ(json.status, kExitOk) << json.err;
    const auto parsed = nlohmann::ordered_json::parse(json.out);
    EXPECT_EQ(keysOf(parsed), (std::vector<std::string>{"track", "count", "rows", "messages"}));
    EXPECT_EQ(parsed["track"], "Rivaldi");
    EXPECT_EQ(parsed["count"], "109");
    ASSERT_EQ(parsed["rows"].size(), 109u);
    // Paths go in as values, not pasted into the JSON text: Windows' backslashes are escaped there.
    nlohmann::ordered_json firstRow = nlohmann::ordered_json::parse(R"({"columns": ["Marco Tanaka",
        "1m 15.638s", "Simulation", "Warmup", "2026 Mar 14", "Rivaldi weekend (saved in race).rpy"],
        "path": "", "driver": 0, "session": "warmup", "lap": 1})");
    firstRow["path"] = replay("Rivaldi weekend (saved in race).rpy");
    EXPECT_EQ(parsed["rows"][0], firstRow);
    EXPECT_EQ(parsed["rows"][108]["columns"][1], "2m 03.746s");
    EXPECT_EQ(parsed["messages"],
              nlohmann::ordered_json::array(
                  {{{"caption", "Error reading replay file - is this a standard VELTRA4 replay?"},
                    {"text", replay("Damaged signature.rpy")}}}));

    const CliOutput text = find({"Rivaldi", "--filter", "local"});
    ASSERT_EQ(text.status, kExitOk);
    EXPECT_EQ(text.out.substr(0, text.out.find('\n')),
              "Driver Name   Lap time    Game mode   Session     Filedate     Replay file");
    EXPECT_NE(
        text.out.find(
            "\nMarco Tanaka  1m 16.601s  Simulation  Qualifying  2026 Mar 14  Rivaldi quick race.rpy\n"),
        std::string::npos)
        << text.out;
    EXPECT_EQ(text.out.find("Lena Weber"), std::string::npos);
    EXPECT_NE(text.out.find("\nNumber of laps in table: "), std::string::npos);
    EXPECT_EQ(text.err, "vxra: Error reading replay file - is this a standard VELTRA4 replay?: " +
                            replay("Damaged signature.rpy") + "\n");
}

TEST_F(FindCommandTest, HonoursTheAlternativeFolderAndRefusesUnknownTracksAndWords) {
    // Stored as UTF-8 text, whatever the system names files in.
    TempDir base;
    const std::filesystem::path alternative = base.path() / pathFromString("\u00c4ltere Rennen");
    std::filesystem::create_directories(alternative);
    std::filesystem::copy_file(replay("Hollowmere online race.rpy"), alternative / "Copy.RPY");
    user_->writeString("AltRpyPath", pathString(alternative));
    const auto parsed =
        nlohmann::ordered_json::parse(find({"hollowmere", "--filter", "local", "--json"}).out);
    ASSERT_FALSE(parsed["rows"].empty());
    EXPECT_EQ(parsed["rows"].back()["path"], pathText(alternative / "Copy.RPY"));

    const CliOutput unknown = find({"monza"});
    EXPECT_EQ(unknown.status, kExitFailure);
    EXPECT_EQ(unknown.err, "vxra: no track \"monza\" in " + (sim_->path() / "tracks").string() +
                               " (installed: HollowMere, Rivaldi)\n");
    EXPECT_EQ(find({"rivaldi", "--sort", "fastest"}).status, kExitUsage);
    EXPECT_EQ(find({"rivaldi", "--filter", "ai"}).status, kExitUsage);
}

}  // namespace
