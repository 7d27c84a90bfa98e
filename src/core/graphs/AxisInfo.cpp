#include "graphs/AxisInfo.h"

#include <algorithm>
#include <charconv>

namespace {

// More decimals than a double holds only pad with noise; fewer than none is no format at all.
constexpr int kMaxPrecision = 17;

// The value with `precision` decimals, as printf's "%0.*f" writes it.
std::string number(double value, int precision) {
    char text[400];  // the largest double in full, a point and kMaxPrecision decimals
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, precision);
    return error == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace

void AxisInfo::set(std::string title, std::string unit, int precision) {
    title_ = std::move(title);
    unit_ = std::move(unit);
    precision_ = std::clamp(precision, 0, kMaxPrecision);
}

std::string AxisInfo::format(double value, int formatIndex) const {
    switch (formatIndex) {
        case NumberOnly:
            return number(value, precision_);
        case NumberAndUnit:
            return number(value, precision_) + " " + unit_;
        case TitledValue:
            return title_ + ": " + number(value, precision_) + " " + unit_;
        default:
            return {};
    }
}
