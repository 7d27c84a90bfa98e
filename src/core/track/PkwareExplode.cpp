#include "track/PkwareExplode.h"

#include <array>
#include <cstring>

// The format, in brief. Byte 0 is the literal mode: 0 stores literals as plain bytes, 1 codes them
// with a fixed Huffman code tuned for text. Byte 1 is the dictionary size as the number of low
// distance bits: 4, 5 or 6 (1024, 2048 or 4096 bytes). Then comes a bit stream, read from the
// least significant bit of each byte on. Each symbol starts with a flag bit: 0 a literal, 1 a
// match of a length code (with extra bits) and a distance code (with low bits); the length 519 is
// the end code. All three Huffman codes are fixed and canonical, and their bits stand inverted in
// the stream.
//
// The decoder works on the whole member in memory: the packed bytes are read from the span and
// the output is written straight into the destination, which also serves as the dictionary. The
// format's usual 2048-byte input and 4096-byte output blocks only cut the same stream into pieces.

namespace {

// A code's bit lengths, run-length packed: low 4 bits a length, high 4 bits the repeat count - 1.
constexpr std::uint8_t kLiteralLengths[] = {
    11, 124, 8,  7,  28, 7,  188, 13,  76,  4,   10,  8,   12, 10, 12, 10, 8,  23, 8,  9,  7,  6,  7,  8,  7,
    6,  55,  8,  23, 24, 12, 11,  7,   9,   11,  12,  6,   7,  22, 5,  7,  24, 6,  11, 9,  6,  7,  22, 7,  11,
    38, 7,   9,  8,  25, 11, 8,   11,  9,   12,  8,   12,  5,  38, 5,  38, 5,  11, 7,  5,  6,  21, 6,  10, 53,
    8,  7,   24, 10, 27, 44, 253, 253, 253, 252, 252, 252, 13, 12, 45, 12, 45, 12, 61, 12, 45, 44, 173};
constexpr std::uint8_t kLengthLengths[] = {2, 35, 36, 53, 38, 23};
constexpr std::uint8_t kDistanceLengths[] = {2, 20, 53, 230, 247, 151, 248};

constexpr std::uint16_t kLengthBase[16] = {3, 2, 4, 5, 6, 7, 8, 9, 10, 12, 16, 24, 40, 72, 136, 264};
constexpr std::uint8_t kLengthExtra[16] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
constexpr unsigned kEndLength = 519;

// A lookup table for a code whose longest code has `Bits` bits: indexed by the next `Bits` stream
// bits, each entry holds symbol << 4 | code length. Built at compile time.
template <std::size_t Symbols, std::size_t Bits, std::size_t PackedSize>
constexpr std::array<std::uint16_t, 1u << Bits> buildTable(const std::uint8_t (&packed)[PackedSize]) {
    std::array<std::uint8_t, Symbols> length{};
    std::size_t filled = 0;
    for (std::uint8_t run : packed) {
        for (int repeat = 0; repeat <= run >> 4; ++repeat)
            length[filled++] = run & 15;
    }
    // Canonical codes: shorter codes first, equal lengths in symbol order.
    std::array<unsigned, Bits + 2> first{};
    std::array<unsigned, Bits + 1> count{};
    for (std::uint8_t codeLength : length)
        ++count[codeLength];
    for (std::size_t codeLength = 1; codeLength <= Bits; ++codeLength)
        first[codeLength + 1] = (first[codeLength] + count[codeLength]) << 1;
    std::array<std::uint16_t, 1u << Bits> table{};
    for (std::size_t symbol = 0; symbol < Symbols; ++symbol) {
        const unsigned codeLength = length[symbol];
        const unsigned code = first[codeLength]++;
        // The stream holds the code's bits inverted, most significant first.
        unsigned streamBits = 0;
        for (unsigned bit = 0; bit < codeLength; ++bit)
            streamBits |= (((code >> (codeLength - 1 - bit)) & 1u) ^ 1u) << bit;
        for (unsigned high = 0; high < (1u << (Bits - codeLength)); ++high) {
            table[streamBits | high << codeLength] = static_cast<std::uint16_t>(symbol << 4 | codeLength);
        }
    }
    return table;
}

constexpr auto kLiteralTable = buildTable<256, 13>(kLiteralLengths);
constexpr auto kLengthTable = buildTable<16, 7>(kLengthLengths);
constexpr auto kDistanceTable = buildTable<64, 8>(kDistanceLengths);

// Bits from the packed stream, least significant first. Past the end of the input it yields
// zeros; exhausted() tells whether any of them were consumed.
class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> input)
        : next_(input.data()), end_(input.data() + input.size()) {}

    // At least 32 bits are available afterwards (zeros past the end of the input).
    void refill() {
        while (count_ <= 56) {
            if (next_ < end_)
                buffer_ |= static_cast<std::uint64_t>(*next_++) << count_;
            else
                overrun_ += 8;
            count_ += 8;
        }
    }
    unsigned peek(int bits) const { return static_cast<unsigned>(buffer_) & ((1u << bits) - 1u); }
    void consume(int bits) {
        buffer_ >>= bits;
        count_ -= bits;
    }
    unsigned take(int bits) {
        const unsigned value = peek(bits);
        consume(bits);
        return value;
    }
    // True when bits beyond the input were consumed.
    bool exhausted() const { return count_ < overrun_; }

private:
    const std::uint8_t* next_;
    const std::uint8_t* end_;
    std::uint64_t buffer_ = 0;
    int count_ = 0;    // bits in buffer_
    int overrun_ = 0;  // bits of buffer_ that lie past the end of the input
};

template <std::size_t Size>
unsigned decode(BitReader& bits, const std::array<std::uint16_t, Size>& table, int tableBits) {
    const std::uint16_t entry = table[bits.peek(tableBits)];
    bits.consume(entry & 15);
    return entry >> 4;
}

}  // namespace

Outcome<DclError> dclExplode(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out) {
    if (packed.size() <= 4) return DclError::InputTooSmall;
    const unsigned mode = packed[0];
    const unsigned dictionaryBits = packed[1];
    if (dictionaryBits < 4 || dictionaryBits > 6) return DclError::InvalidDictionary;
    if (mode > 1) return DclError::InvalidMode;

    BitReader bits(packed.subspan(2));
    std::uint8_t* const output = out.data();
    const std::size_t size = out.size();
    std::size_t at = 0;
    for (;;) {
        bits.refill();
        if (bits.take(1) == 0) {
            const unsigned literal = mode ? decode(bits, kLiteralTable, 13) : bits.take(8);
            if (bits.exhausted() || at == size) return DclError::Corrupt;
            output[at++] = static_cast<std::uint8_t>(literal);
            continue;
        }
        const unsigned lengthCode = decode(bits, kLengthTable, 7);
        const unsigned length = kLengthBase[lengthCode] + bits.take(kLengthExtra[lengthCode]);
        if (length == kEndLength) break;
        bits.refill();
        const unsigned lowBits = length == 2 ? 2 : dictionaryBits;
        const std::size_t distance =
            (decode(bits, kDistanceTable, 8) << lowBits) + bits.take(static_cast<int>(lowBits)) + 1;
        if (bits.exhausted() || distance > at || length > size - at) return DclError::Corrupt;

        std::uint8_t* to = output + at;
        const std::uint8_t* from = to - distance;
        if (distance >= length) {
            std::memcpy(to, from, length);
        } else {
            for (unsigned i = 0; i < length; ++i)
                to[i] = from[i];  // overlapping: repeats the run
        }
        at += length;
    }
    if (bits.exhausted() || at != size) return DclError::Corrupt;
    return {};
}
