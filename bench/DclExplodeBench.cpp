// Unpacking PKWARE DCL data with our decoder against libstorm's, on the same few MB.
// Goal: ours takes at most as long as libstorm's (time ratio <= 1.0).
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "PkwareImplode.h"
#include "track/PkwareExplode.h"

namespace {

// About 4 MB shaped like a track file: doubles of smooth geometry, small integers, names.
std::vector<std::uint8_t> trackLikeData() {
    std::vector<std::uint8_t> data;
    std::mt19937 random(4);
    for (std::uint32_t i = 0; data.size() < (4u << 20); ++i) {
        const double values[3] = {i * 0.125, 1000.0 - i * 0.5, (random() % 1000) / 8.0};
        const auto* p = reinterpret_cast<const std::uint8_t*>(values);
        data.insert(data.end(), p, p + sizeof values);
        const std::uint32_t small[2] = {i % 11, 1};
        p = reinterpret_cast<const std::uint8_t*>(small);
        data.insert(data.end(), p, p + sizeof small);
        if (i % 16 == 0) {
            const char* name = "textures\\asphalt_grey_01.tga";
            data.insert(data.end(), name, name + std::strlen(name));
        }
    }
    return data;
}

struct Packed {
    std::vector<std::uint8_t> plain;
    std::vector<std::uint8_t> binary;
    std::vector<std::uint8_t> ascii;
};

const Packed& packed() {
    static const Packed p = [] {
        Packed made{trackLikeData(), {}, {}};
        made.binary = pkwareImplode(made.plain, false, 4096);
        made.ascii = pkwareImplode(made.plain, true, 4096);
        return made;
    }();
    return p;
}

void unpack(benchmark::State& state, bool ours, bool ascii) {
    const Packed& p = packed();
    const auto& input = ascii ? p.ascii : p.binary;
    std::vector<std::uint8_t> out(p.plain.size());
    for (auto _ : state) {
        if (ours) {
            if (!dclExplode(input, out)) state.SkipWithError("our decoder failed");
        } else {
            libstormExplode(input, out);
        }
        benchmark::DoNotOptimize(out.data());
    }
    if (out != p.plain) state.SkipWithError("wrong output");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * p.plain.size()));
}

void BM_LibstormBinary(benchmark::State& state) {
    unpack(state, false, false);
}
void BM_OursBinary(benchmark::State& state) {
    unpack(state, true, false);
}
void BM_LibstormAscii(benchmark::State& state) {
    unpack(state, false, true);
}
void BM_OursAscii(benchmark::State& state) {
    unpack(state, true, true);
}

}  // namespace

BENCHMARK(BM_LibstormBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OursBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibstormAscii)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OursAscii)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
