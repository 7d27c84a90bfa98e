#include "PkwareImplode.h"

#include <algorithm>
#include <cstring>
#include <memory>

// libstorm exports the PKWARE library's functions with C linkage but ships no header for them.
extern "C" {
using PkReadFn = unsigned int (*)(char* buffer, unsigned int* size, void* param);
using PkWriteFn = void (*)(char* buffer, unsigned int* size, void* param);
unsigned int implode(PkReadFn read, PkWriteFn write, char* workBuffer, void* param, unsigned int* type,
                     unsigned int* dictionarySize);
unsigned int explode(PkReadFn read, PkWriteFn write, char* workBuffer, void* param);
}

namespace {

// Larger than either work area the library needs.
constexpr std::size_t kWorkBufferSize = 1 << 16;

struct Streams {
    std::span<const std::uint8_t> input;
    std::size_t inputAt = 0;
    std::uint8_t* output;
    std::size_t outputSize;
    std::size_t outputAt = 0;
};

unsigned int readInput(char* buffer, unsigned int* size, void* param) {
    auto* s = static_cast<Streams*>(param);
    const std::size_t n = std::min<std::size_t>(*size, s->input.size() - s->inputAt);
    std::memcpy(buffer, s->input.data() + s->inputAt, n);
    s->inputAt += n;
    return static_cast<unsigned int>(n);
}

void writeOutput(char* buffer, unsigned int* size, void* param) {
    auto* s = static_cast<Streams*>(param);
    const std::size_t n = std::min<std::size_t>(*size, s->outputSize - s->outputAt);
    std::memcpy(s->output + s->outputAt, buffer, n);
    s->outputAt += n;
}

}  // namespace

std::vector<std::uint8_t> pkwareImplode(std::span<const std::uint8_t> data, bool asciiLiterals,
                                        unsigned dictionarySize) {
    std::vector<std::uint8_t> packed(data.size() * 2 + 64);
    Streams streams{data, 0, packed.data(), packed.size()};
    auto work = std::make_unique<char[]>(kWorkBufferSize);
    unsigned int type = asciiLiterals ? 1 : 0;
    unsigned int dictionary = dictionarySize;
    implode(readInput, writeOutput, work.get(), &streams, &type, &dictionary);
    packed.resize(streams.outputAt);
    return packed;
}

std::size_t libstormExplode(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out) {
    Streams streams{packed, 0, out.data(), out.size()};
    auto work = std::make_unique<char[]>(kWorkBufferSize);
    explode(readInput, writeOutput, work.get(), &streams);
    return streams.outputAt;
}
