#include "HeapCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> currentBytes{0};
std::atomic<std::size_t> peakBytes{0};
constexpr std::size_t kHeader = 16;  // keeps the block 16-byte aligned

void* allocate(std::size_t size) {
    auto* block = static_cast<std::size_t*>(std::malloc(size + kHeader));
    if (!block) throw std::bad_alloc();
    *block = size;
    const std::size_t now = currentBytes += size;
    std::size_t peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
    return reinterpret_cast<char*>(block) + kHeader;
}

void release(void* p) noexcept {
    if (!p) return;
    auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - kHeader);
    currentBytes -= *block;
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}

namespace heap {
void resetPeak() {
    peakBytes = currentBytes.load();
}
std::size_t current() {
    return currentBytes;
}
std::size_t peak() {
    return peakBytes;
}
}  // namespace heap
