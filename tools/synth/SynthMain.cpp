// vxra-synth OUTDIR [--seed N] [--large]: writes a demo simulator folder of synthetic race weekends.
#include <charconv>
#include <iostream>
#include <string>

#include "DemoFolder.h"

int main(int argc, char* argv[]) {
    std::string folder;
    DemoOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seed" && i + 1 < argc) {
            const std::string value = argv[++i];
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), options.seed);
            if (error != std::errc() || end != value.data() + value.size()) {
                std::cerr << "vxra-synth: --seed takes a whole number\n";
                return 2;
            }
        } else if (arg == "--large") {
            options.large = true;
        } else if (arg == "--help") {
            std::cout
                << "Usage: vxra-synth OUTDIR [--seed N] [--large]\n"
                   "Writes a simulator folder of synthetic race weekends: the marker file, two tracks and\n"
                   "replays. The same seed gives the same files. --large adds a replay of about 100 MB.\n";
            return 0;
        } else if (folder.empty() && !arg.starts_with("--")) {
            folder = arg;
        } else {
            std::cerr << "vxra-synth: unknown argument '" << arg
                      << "'\nUsage: vxra-synth OUTDIR [--seed N] [--large]\n";
            return 2;
        }
    }
    if (folder.empty()) {
        std::cerr << "Usage: vxra-synth OUTDIR [--seed N] [--large]\n";
        return 2;
    }
    try {
        for (const auto& replay : writeDemoFolder(folder, options))
            std::cout << replay.string() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "vxra-synth: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
