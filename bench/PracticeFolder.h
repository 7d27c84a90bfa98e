#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// A simulator folder `name` in the build tree with `replays` practices of the track "testring":
// `cars` cars recorded from 1 s to `recordedUntilMs`, each on a lap of its own (car c starts at
// 2 s + c x 0.1 s and laps in 30 s + c x 0.25 s + up to 1 s by replay), the first frame's session
// marker opening the window as in a simulator's replay. Written once and kept for later runs;
// written again when the generator or the shape changes.
std::filesystem::path practiceFolder(const std::string& name, int replays, std::uint32_t cars,
                                     std::uint32_t recordedUntilMs);
