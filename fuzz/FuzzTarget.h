#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

// A fuzz target: a function that feeds one input to a parser or computation of the core. Each
// target is one file of fuzz/targets/ that begins with VXRA_FUZZ_TARGET(name); its libFuzzer program
// runs it alone, and the regression test runs every target over its kept inputs.
using FuzzFunction = void (*)(std::span<const std::uint8_t> input);

struct FuzzTarget {
    const char* name;
    FuzzFunction run;
};
std::vector<FuzzTarget>& fuzzTargets();

struct FuzzTargetRegistration {
    FuzzTargetRegistration(const char* name, FuzzFunction run) { fuzzTargets().push_back({name, run}); }
};

#define VXRA_FUZZ_TARGET(name)                                                             \
    static void fuzzTarget_##name(std::span<const std::uint8_t> input);                    \
    static const FuzzTargetRegistration fuzzRegistration_##name(#name, fuzzTarget_##name); \
    static void fuzzTarget_##name(std::span<const std::uint8_t> input)

// A folder of this process for the files the readers are given (they read files, not memory),
// removed when the process ends.
const std::filesystem::path& scratchFolder();
// Writes `bytes` to `path` (its folders made as needed) and returns the path.
std::filesystem::path writeScratch(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// An input cut in two: a u32 length, that many bytes, and the rest (the replay and the track of one
// input). A length past the end takes everything.
struct SplitInput {
    std::span<const std::uint8_t> first;
    std::span<const std::uint8_t> second;
};
SplitInput splitInput(std::span<const std::uint8_t> input);

// Values taken one after another from the front of an input; zeros once it is used up.
class FuzzReader {
public:
    explicit FuzzReader(std::span<const std::uint8_t> input) : input_(input) {}

    template <typename T>
    T take() {
        T value{};
        const std::size_t size = std::min(sizeof value, input_.size());
        std::memcpy(&value, input_.data(), size);
        input_ = input_.subspan(size);
        return value;
    }
    // The next `count` bytes, or as many as are left.
    std::span<const std::uint8_t> takeBytes(std::size_t count) {
        const auto bytes = input_.first(std::min(count, input_.size()));
        input_ = input_.subspan(bytes.size());
        return bytes;
    }
    bool empty() const { return input_.empty(); }

private:
    std::span<const std::uint8_t> input_;
};
