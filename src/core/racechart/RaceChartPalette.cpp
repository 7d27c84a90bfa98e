#include "racechart/RaceChartPalette.h"

namespace racechart {

namespace {

constexpr std::uint8_t kFirstDriverColour = 6;
constexpr int kRepeatedColours = 20;
constexpr int kLateColours = 10;

}  // namespace

const std::vector<Rgb>& palette() {
    static const std::vector<Rgb> colours = {// chart
                                             {0, 0, 255},
                                             {255, 0, 0},
                                             {128, 128, 128},
                                             {207, 207, 207},
                                             {255, 255, 255},
                                             {255, 255, 0},
                                             // driver 0
                                             {0, 255, 0},
                                             // drivers 1 .. 20 and 21 .. 40
                                             {255, 0, 0},
                                             {63, 63, 63},
                                             {0, 0, 255},
                                             {0, 255, 255},
                                             {255, 0, 255},
                                             {255, 255, 0},
                                             {255, 255, 255},
                                             {0, 0, 0},
                                             {0, 127, 127},
                                             {127, 127, 0},
                                             {127, 0, 127},
                                             {31, 31, 31},
                                             {102, 102, 102},
                                             {31, 191, 127},
                                             {127, 255, 47},
                                             {175, 175, 0},
                                             {63, 0, 207},
                                             {0, 143, 63},
                                             {175, 31, 207},
                                             {0, 255, 0},
                                             // drivers 41 and above: none of the colours above
                                             {255, 127, 0},
                                             {127, 0, 0},
                                             {0, 127, 0},
                                             {0, 0, 127},
                                             {255, 127, 191},
                                             {191, 255, 255},
                                             {127, 63, 0},
                                             {255, 191, 127},
                                             {63, 127, 255},
                                             {191, 127, 255}};
    return colours;
}

std::uint8_t driverColour(int driver) {
    if (driver <= 0) return kFirstDriverColour;
    if (driver <= 2 * kRepeatedColours)
        return static_cast<std::uint8_t>(kFirstDriverColour + 1 + (driver - 1) % kRepeatedColours);
    return static_cast<std::uint8_t>(kFirstDriverColour + 1 + kRepeatedColours +
                                     (driver - 41) % kLateColours);
}

}  // namespace racechart
