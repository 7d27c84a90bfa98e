// `vxra find` over 1,000 replays of one track (25,000 rows) as a whole process, with --json and as
// its text table, against a plain read of each file's first 64 KiB measured in the same run.
// Goals: each at most 3 x the plain read, and a peak resident memory under 32 MB. Wall time and
// processor time (user + system) are both given: on a machine busy with other work the wall time
// of a process that starts up varies most. Each figure is the median of the rounds (default 3; the first
// argument gives another count). A second argument names another vxra to run, such as an older build to
// compare with.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "PracticeFolder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kReplays = 1000;
constexpr std::uint32_t kCars = 25;  // one lap each: 25 rows a replay
// Long enough for the last car's slowest lap (it ends at 41.4 s) to be complete.
constexpr std::uint32_t kRecordedUntilMs = 42000;

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Times {
    double wall = 0;
    double processor = 0;
};

double processorSeconds(const rusage& usage) {
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ownProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return processorSeconds(usage);
}

long ownPeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

Times plainReadOfTheHeads(const fs::path& folder) {
    std::vector<char> head(64 << 10);
    const double processorStart = ownProcessorSeconds();
    const auto start = std::chrono::steady_clock::now();
    std::size_t total = 0;
    for (const auto& entry : fs::directory_iterator(folder / "replay")) {
        std::ifstream in(entry.path(), std::ios::binary);
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        total += static_cast<std::size_t>(in.gcount());
    }
    const Times times{secondsSince(start), ownProcessorSeconds() - processorStart};
    if (total == 0) std::fprintf(stderr, "nothing read\n");
    return times;
}

struct ProcessRun {
    Times times;
    double peakMiB = 0;
    bool ok = false;
};

// Runs vxra with its output to `output` and its own empty settings profile.
ProcessRun runTool(const std::string& tool, const std::vector<std::string>& arguments,
                   const fs::path& profile, const fs::path& output = "/dev/null") {
    std::vector<std::string> words{tool};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables{"HOME=" + profile.string(), "XDG_CONFIG_HOME=" + profile.string(),
                                       "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    ProcessRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        run.times = {secondsSince(start), processorSeconds(usage)};
        run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
        run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

// Counts the rows of the JSON document as it is parsed, holding none of it. A child started with
// posix_spawn shares this process's memory until it runs the tool, and the kernel counts that
// memory's peak as the child's own: this process must stay well below what it measures.
class RowCounter : public nlohmann::json_sax<nlohmann::json> {
public:
    std::size_t rows = 0;
    std::optional<std::size_t> count;

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t& value) override {
        if (depth_ == 1 && key_ == "count") count = std::stoul(value);
        return true;
    }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override {
        if (depth_ == 2 && inRows_) ++rows;
        ++depth_;
        return true;
    }
    bool key(string_t& name) override {
        if (depth_ == 1) key_ = name;
        return true;
    }
    bool end_object() override {
        --depth_;
        return true;
    }
    bool start_array(std::size_t) override {
        if (depth_ == 1) inRows_ = key_ == "rows";
        ++depth_;
        return true;
    }
    bool end_array() override {
        if (--depth_ == 1) inRows_ = false;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    int depth_ = 0;
    std::string key_;  // the last key of the document's own object
    bool inRows_ = false;
};

// The rows a case's output holds: the JSON's count, which must agree with its rows (none when the
// JSON does not parse), or the text table's lines less its title and its total.
std::size_t rowsIn(const fs::path& output, bool json) {
    std::ifstream in(output);
    if (json) {
        RowCounter counter;
        if (!nlohmann::json::sax_parse(in, &counter) || counter.count != counter.rows) return 0;
        return counter.rows;
    }
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);)
        ++lines;
    return lines < 2 ? 0 : lines - 2;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string tool = argc > 2 ? argv[2] : VXRA_TOOL;
    const fs::path folder = practiceFolder("find-bench-simulator", kReplays, kCars, kRecordedUntilMs);
    const fs::path profile = fs::path(VXRA_BENCH_DATA) / "find-bench-profile";
    fs::create_directories(profile);
    const std::vector<std::string> common{"--sim-dir", folder.string(), "find", "testring"};
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::vector<double> wallRatios, processorRatios, peaks;
    };
    std::vector<Case> cases{{"find --json", common, {}, {}, {}}, {"find (text table)", common, {}, {}, {}}};
    cases[0].arguments.push_back("--json");

    // Once, before anything is timed: a run that printed less would measure less.
    const fs::path output = fs::path(VXRA_BENCH_DATA) / "find-bench-output";
    for (const Case& c : cases) {
        const std::size_t rows = runTool(tool, c.arguments, profile, output).ok
                                     ? rowsIn(output, c.arguments.back() == "--json")
                                     : 0;
        if (rows != kReplays * kCars) {
            std::fprintf(stderr, "vxra %s gave %zu rows, not %u\n", c.name, rows, kReplays * kCars);
            return 1;
        }
    }
    fs::remove(output);

    std::vector<double> plainWall, plainProcessor;
    plainReadOfTheHeads(folder);  // warms the page cache
    for (int round = 0; round < rounds; ++round) {
        const Times baseline = plainReadOfTheHeads(folder);
        plainWall.push_back(baseline.wall);
        plainProcessor.push_back(baseline.processor);
        for (Case& c : cases) {
            const ProcessRun run = runTool(tool, c.arguments, profile);
            if (!run.ok) {
                std::fprintf(stderr, "vxra %s failed\n", c.name);
                return 1;
            }
            c.wallRatios.push_back(run.times.wall / baseline.wall);
            c.processorRatios.push_back(run.times.processor / baseline.processor);
            c.peaks.push_back(run.peakMiB);
        }
    }
    // A child's peak reads at least this process's own (see RowCounter).
    std::printf("this process's own peak: %.1f MiB\n", static_cast<double>(ownPeakKiB()) / 1024.0);
    std::printf("plain read of 1,000 x 64 KiB: median %.1f ms wall, %.1f ms processor over %d rounds\n",
                median(plainWall) * 1e3, median(plainProcessor) * 1e3, rounds);
    for (const Case& c : cases) {
        const auto [low, high] = std::minmax_element(c.wallRatios.begin(), c.wallRatios.end());
        std::printf(
            "%-18s wall median %.2f x (%.2f-%.2f), processor median %.2f x, peak %.1f MiB "
            "(goal: 3 x, 32 MiB)\n",
            c.name, median(c.wallRatios), *low, *high, median(c.processorRatios), median(c.peaks));
    }
    return 0;
}
