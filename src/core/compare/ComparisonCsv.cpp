#include "compare/ComparisonCsv.h"

#include <cstdio>

#include "common/Text1252.h"
#include "compare/LapComparison.h"

namespace {

// A field as it stands, or quoted when it holds a separator, a quote or a line end.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// A number as `format` writes it, without the sign of a value that rounds to zero ("-0.0000").
std::string number(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    const std::string written = text;
    const bool zero = written.find_first_not_of("-0.") == std::string::npos;
    return zero && written.starts_with('-') ? written.substr(1) : written;
}

}  // namespace

void writeComparisonCsv(std::ostream& out, const LapComparison& comparison,
                        const std::vector<std::string>& captions) {
    out << "Distance (m)";
    for (const std::string& caption : captions) {
        const std::string name = win1252ToUtf8(caption);
        out << ',' << csvField(name + " time (s)") << ',' << csvField(name + " delta (s)") << ','
            << csvField(name + " speed (km/h)");
    }
    out << '\n';
    if (comparison.laps.empty()) return;
    // Every lap's points lie on the reference's, from the line on.
    for (std::size_t row = 0; row < comparison.laps.front().points.size(); ++row) {
        out << number("%.10g", comparison.laps.front().points[row].distance);
        for (const ComparedLap& lap : comparison.laps) {
            if (row < lap.points.size()) {
                const DeltaPoint& point = lap.points[row];
                out << ',' << number("%.4f", point.time) << ',' << number("%.4f", point.delta) << ','
                    << number("%.1f", point.speed);
            } else {
                out << ",,,";
            }
        }
        out << '\n';
    }
}
