#include "library/PathText.h"

#include <string_view>

#include "common/Text1252.h"

namespace {

// Well-formed UTF-8 as far as its byte patterns go: a lead byte and its continuation bytes.
bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80                    ? 1
                                   : lead >= 0xC2 && lead <= 0xDF ? 2
                                   : lead >= 0xE0 && lead <= 0xEF ? 3
                                   : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                                  : 0;
        if (length == 0 || length > text.size() - i) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

std::string pathText(const std::filesystem::path& path) {
    std::string bytes = path.string();
    return isUtf8(bytes) ? bytes : win1252ToUtf8(bytes);
}
