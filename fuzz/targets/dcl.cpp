// The PKWARE DCL decoder: a u16 output size, then the packed bytes.
#include <vector>

#include "FuzzTarget.h"
#include "common/ByteReader.h"
#include "track/PkwareExplode.h"

VXRA_FUZZ_TARGET(dcl) {
    ByteReader reader(input);
    std::vector<std::uint8_t> out(reader.u16());
    static_cast<void>(dclExplode(input.subspan(reader.offset()), out));
}
