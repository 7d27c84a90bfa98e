#pragma once

#include <string>

// The description of one plot axis: its title ("Meter"), unit and number of decimals, and the three
// ways a value is written for it.
class AxisInfo {
public:
    enum Format {
        NumberOnly = 0,     // "12.500"
        NumberAndUnit = 1,  // "12.500 Kph"
        TitledValue = 2,    // "Speed: 12.500 Kph"
    };

    void set(std::string title, std::string unit, int precision);

    const std::string& title() const { return title_; }
    const std::string& unit() const { return unit_; }
    int precision() const { return precision_; }

    // The value written with format 0, 1 or 2; any other index gives the empty text. Title and unit
    // are appended as they are, so a "%" in them is shown, never interpreted.
    std::string format(double value, int formatIndex) const;

    // "Title, unit": the rulers' and tooltips' name of the axis.
    std::string label() const { return title_ + ", " + unit_; }

private:
    std::string title_;
    std::string unit_;
    int precision_ = 3;
};
