#include "replay/LapChoice.h"

#include <charconv>

#include "common/PathText.h"
#include "replay/ReplayFormat.h"

namespace {

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end) return std::nullopt;
    return value;
}

}  // namespace

const char* sessionKey(int session) {
    static constexpr const char* kKeys[] = {"practice", "qualifying", "warmup", "race"};
    return (session >= 0 && session < kSessionCount) ? kKeys[session] : "unknown";
}

const char* sessionName(int session) {
    static constexpr const char* kNames[] = {"Practice", "Qualifying", "Warmup", "Race"};
    return (session >= 0 && session < kSessionCount) ? kNames[session] : "";
}

std::optional<int> sessionFromKey(std::string_view key) {
    for (int session = 0; session < kSessionCount; ++session) {
        if (key == sessionKey(session)) return session;
    }
    return std::nullopt;
}

// Split from the right, so the path may hold colons.
std::optional<LapSpec> parseLapSpec(const std::string& text) {
    std::size_t cuts[3];
    std::size_t end = text.size();
    for (int i = 2; i >= 0; --i) {
        const std::size_t colon = end == 0 ? std::string::npos : text.rfind(':', end - 1);
        if (colon == std::string::npos || colon == 0) return std::nullopt;
        cuts[i] = colon;
        end = colon;
    }
    const std::string_view all(text);
    const auto driver = wholeNumber(all.substr(cuts[0] + 1, cuts[1] - cuts[0] - 1));
    const auto session = sessionFromKey(all.substr(cuts[1] + 1, cuts[2] - cuts[1] - 1));
    const auto slot = wholeNumber(all.substr(cuts[2] + 1));
    if (!driver || !session || !slot) return std::nullopt;
    return LapSpec{pathFromString(all.substr(0, cuts[0])), {*driver, *session, *slot}};
}
