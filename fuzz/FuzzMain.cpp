// The libFuzzer entry of a program built from one target file.
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzTargets().front().run(std::span(data, size));
    return 0;
}
