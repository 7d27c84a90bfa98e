#include "replay/RecordDecoding.h"

#include "common/ByteReader.h"

TelemetrySample decodeOwnerState(std::span<const std::uint8_t> payload) {
    ByteReader words(payload);
    const std::uint32_t w0 = words.u32(), w1 = words.u32(), w2 = words.u32(), w3 = words.u32();
    TelemetrySample s;
    s.distance = bitField(w0, 0, 26);
    s.gear = static_cast<std::int16_t>(static_cast<int>(bitField(w0, 27, 3)) - 1);
    s.lateral = signedBitField(w1, 0, 20);
    s.aux1 = bitField(w1, 20, 12);
    s.revs = bitField(w2, 0, 10);
    s.orientation = static_cast<std::int16_t>(signedBitField(w2, 10, 12));
    s.pitch = signedBitField(w2, 22, 10);
    s.roll = signedBitField(w3, 0, 10);
    s.aux2 = bitField(w3, 20, 5);
    s.steering = static_cast<std::int16_t>(signedBitField(w3, 24, 8));
    return s;
}

TelemetrySample decodeCarState(std::span<const std::uint8_t> entry) {
    ByteReader fields(entry);
    const std::uint32_t x0 = fields.u32();
    const std::uint32_t x4 = fields.u32();
    const std::uint32_t x8 = fields.u32(), x12 = fields.u32();
    const std::uint32_t packedDistance = bitField(x4, 0, 24);
    TelemetrySample s;
    s.distance = static_cast<std::uint32_t>(packedDistance * 2 * 0.9765628511);
    s.pitch = signedBitField(x0, 11, 10);
    s.roll = signedBitField(x8, 0, 10);
    s.revs = bitField(x8, 10, 10);
    s.aux2 = bitField(x8, 16, 7);  // overlaps revs; both are carried as the format has them
    s.orientation = static_cast<std::int16_t>(signedBitField(x12, 0, 12));
    s.lateral = signedBitField(x12, 12, 17);
    s.gear = static_cast<std::int16_t>(static_cast<int>(bitField(x12, 29, 3)) - 1);
    return s;
}
