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
#include <string>
#include <vector>

#include "ConstantPaceReplay.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kReplays = 1000;
constexpr std::uint32_t kCars = 25;  // one lap each: 25 rows a replay

// A practice of 25 cars recorded from 1 s to 40 s, each car on a lap of its own.
ConstantPaceReplay practiceReplay(int index) {
    ConstantPaceReplay replay;
    replay.firstFrameTime = 1000;
    replay.lastFrameTime = 40000;
    replay.trackMetres = 2000;
    for (std::uint32_t c = 0; c < kCars; ++c) {
        ConstantPaceCar car;
        car.driver = {"Driver", "No" + std::to_string(c), "", "GT", c + 1, c == 0 ? 150u : 250u, 10 + c};
        car.startTime = 2000 + 100 * c;
        car.lapMs = 30000 + 10 * static_cast<std::uint32_t>(index % 100) + 250 * c;
        car.laps = 1;
        replay.cars.push_back(car);
    }
    return replay;
}

// The simulator folder in the build tree, written once and kept for later runs.
fs::path simulatorFolder() {
    const fs::path root = fs::path(VXRA_BENCH_DATA) / "find-bench-simulator";
    const fs::path done = root / "complete";
    if (!fs::exists(done)) {
        fs::remove_all(root);
        fs::create_directories(root / "tracks" / "testring");
        fs::create_directories(root / "replay");
        for (int i = 0; i < kReplays; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "practice %04d.rpy", i);
            practiceReplay(i).writer().write(root / "replay" / name);
        }
        std::ofstream(done) << kReplays << " replays\n";
    }
    return root;
}

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

// Runs vxra with its output to /dev/null and its own empty settings profile.
ProcessRun runTool(const std::string& tool, const std::vector<std::string>& arguments,
                   const fs::path& profile) {
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
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
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

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string tool = argc > 2 ? argv[2] : VXRA_TOOL;
    const fs::path folder = simulatorFolder();
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
