// Every input a fuzz campaign found a fault with, replayed through its target: in the sanitizer
// preset a fault that came back would stop the test. tests/fuzz/regressions/<target>/ holds them.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>

#include "FuzzTarget.h"

namespace {

namespace fs = std::filesystem;

const fs::path kRegressions = fs::path(VXRA_SOURCE_DIR) / "tests/fuzz/regressions";

std::vector<std::uint8_t> contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(FuzzRegressions, EveryKeptInputRunsThroughItsTarget) {
    std::set<std::string> targets, files;
    for (const FuzzTarget& target : fuzzTargets())
        targets.insert(target.name);
    for (const auto& entry : fs::directory_iterator(fs::path(VXRA_SOURCE_DIR) / "fuzz/targets"))
        files.insert(entry.path().stem().string());
    EXPECT_EQ(targets, files)
        << "every file of fuzz/targets is a target with its line in fuzz/CMakeLists.txt";

    int inputs = 0;
    for (const FuzzTarget& target : fuzzTargets()) {
        const fs::path folder = kRegressions / target.name;
        if (!fs::exists(folder)) continue;
        for (const auto& entry : fs::directory_iterator(folder)) {
            SCOPED_TRACE(entry.path().string());
            const std::vector<std::uint8_t> input = contents(entry.path());
            target.run(input);
            ++inputs;
        }
    }
    for (const auto& entry : fs::directory_iterator(kRegressions))
        EXPECT_TRUE(targets.count(entry.path().filename().string())) << "no target named " << entry.path();
    EXPECT_GT(inputs, 0);
}

// The campaign keeps the seeds under their own names; a merged input with a seed's bytes under its
// SHA-1 would only be a second copy. The corpora together stay under 40 MB.
TEST(FuzzCorpora, HoldNoCopyOfASeedAndStaySmall) {
    const std::regex sha1Name("[0-9a-f]{40}");
    std::vector<std::string> copies;
    std::uintmax_t bytes = 0;
    for (const auto& folder : fs::directory_iterator(fs::path(VXRA_SOURCE_DIR) / "fuzz/corpus")) {
        std::map<std::vector<std::uint8_t>, std::string> seeds;
        std::vector<fs::path> merged;
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            bytes += entry.file_size();
            if (std::regex_match(entry.path().filename().string(), sha1Name))
                merged.push_back(entry.path());
            else
                seeds.emplace(contents(entry.path()), entry.path().filename().string());
        }
        for (const fs::path& input : merged) {
            if (const auto seed = seeds.find(contents(input)); seed != seeds.end())
                copies.push_back(folder.path().filename().string() + "/" + input.filename().string() + " = " +
                                 seed->second);
        }
    }
    EXPECT_EQ(copies, std::vector<std::string>{});
    EXPECT_LT(bytes, 40'000'000u);
}

}  // namespace
