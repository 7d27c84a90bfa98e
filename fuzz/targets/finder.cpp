// The Lap Finder's scan over a simulator folder of crafted files: one input split into up to eight
// replay files, some in the alternative folder, some named in upper case; then every sort of the
// rows found; and the input's head as a file name to show.
#include "FuzzTarget.h"
#include "common/PathText.h"
#include "library/LapFinderScan.h"
#include "library/LapSorting.h"

namespace fs = std::filesystem;

VXRA_FUZZ_TARGET(finder) {
    const fs::path simulator = scratchFolder() / "finder";
    const fs::path replays = simulator / "replay";
    const fs::path alternative = scratchFolder() / "finder-alternative";
    fs::remove_all(replays);
    fs::remove_all(alternative);
    fs::create_directories(simulator / "tracks" / "TestRing");
    fs::create_directories(replays);

    // A name shown is UTF-8 whatever its bytes, so showing it again changes nothing. Text becomes a
    // path through pathFromString: a plain string would be read in Windows's ANSI code page there.
    const std::string name(input.begin(),
                           input.begin() + static_cast<long>(std::min<std::size_t>(input.size(), 64)));
    if (const std::string shown = pathText(pathFromString(name)); pathText(pathFromString(shown)) != shown)
        __builtin_trap();

    FuzzReader in(input);
    const auto filter = static_cast<LapFilter>(in.take<std::uint8_t>() % 3);
    const std::uint8_t placement = in.take<std::uint8_t>();
    for (int i = 0; i < 8 && !in.empty(); ++i) {
        const auto bytes = in.takeBytes(in.take<std::uint16_t>());
        const fs::path folder = placement >> i & 1 ? alternative : replays;
        writeScratch(folder / ((i % 3 == 2 ? "F" : "f") + std::to_string(i) + (i % 3 == 2 ? ".RPY" : ".rpy")),
                     bytes);
    }

    FoundLaps found = findLaps({simulator, alternative, "testring", filter});
    for (std::size_t row = 0; row < found.laps.size(); ++row) {
        if (found.laps[row].scanOrder != row) __builtin_trap();
    }
    for (const ScanMessage& message : found.messages) {
        if (message.text.empty()) __builtin_trap();
    }
    for (int order = 1; order < 7; ++order)
        sortLaps(found.laps, static_cast<LapOrder>(order));
    // Unsorted puts every row back in its place.
    sortLaps(found.laps, LapOrder::Unsorted);
    for (std::size_t row = 0; row < found.laps.size(); ++row) {
        if (found.laps[row].scanOrder != row) __builtin_trap();
    }
}
