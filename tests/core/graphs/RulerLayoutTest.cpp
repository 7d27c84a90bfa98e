#include "graphs/RulerLayout.h"

#include <gtest/gtest.h>

namespace {

// A fixed-pitch face of 6 pixels a character: "9.99 " is 30 pixels.
int sixPerCharacter(const std::string& text) {
    return 6 * static_cast<int>(text.size());
}

std::vector<std::string> texts(const RulerLayout& layout) {
    std::vector<std::string> result;
    for (const RulerLabel& label : layout.labels)
        result.push_back(label.text);
    return result;
}

TEST(RulerLayout, CountsTheLabelsThatFitAlongIt) {
    EXPECT_EQ(rulerLabelCount(100, sixPerCharacter), 4);  // ceil(100 / 30)
    EXPECT_EQ(rulerLabelCount(90, sixPerCharacter), 3);
    EXPECT_EQ(rulerLabelCount(-40, sixPerCharacter), 0);
    EXPECT_EQ(rulerLabelCount(10, [](const std::string&) { return 0; }), 10);
}

TEST(RulerLayout, MarksTicksAndHalfwayPointsAndKeepsLabelsClearOfMarginAndCaption) {
    // A horizontal ruler: 15 pixels of margin, then 0..100 over 100 pixels with four labels wanted,
    // so a step of 0.5 x 10^2.
    const RulerLayout layout = layOutRuler({115, 15, 0}, 0, 100, "Kph", sixPerCharacter);
    std::vector<std::pair<int, int>> marks;
    for (const RulerMark& mark : layout.marks)
        marks.emplace_back(mark.at, mark.length);
    EXPECT_EQ(marks, (std::vector<std::pair<int, int>>{{15, 3}, {65, 3}, {115, 3}, {40, 2}, {90, 2}}));
    // "0.0" would start inside the margin and "1.0" inside the caption's room ("Kph-10").
    EXPECT_EQ(texts(layout), (std::vector<std::string>{"0.5"}));
    EXPECT_EQ(layout.labels[0].start, 56);
    EXPECT_EQ(layout.caption, "Kph*2");
    EXPECT_EQ(layout.captionStart, 115 - 1 - 30);
}

TEST(RulerLayout, AVerticalRulerKeepsItsMarginAtTheEnd) {
    // 0..10 over 200 pixels from the bottom, the top 15 pixels left to the other ruler.
    const RulerLayout layout = layOutRuler({215, 0, 15}, 0, 10, "Gear", sixPerCharacter);
    EXPECT_EQ(layout.caption, "Gear*1");
    EXPECT_EQ(layout.captionStart, 200 - 1 - 36);
    // "0.0" would start below the ruler, "0.8" reach into the caption's room.
    EXPECT_EQ(texts(layout), (std::vector<std::string>{"0.2", "0.4", "0.6"}));
    EXPECT_EQ(layout.marks.front().at, 0);
}

TEST(RulerLayout, AnUnscaledAxisIsCaptionedWithItsUnitAlone) {
    const RulerLayout layout = layOutRuler({415, 15, 0}, -25, 25, "Degrees", sixPerCharacter);
    EXPECT_EQ(layout.caption, "Degrees*1");
    const RulerLayout plain = layOutRuler({415, 15, 0}, 2, 8, "Gear", sixPerCharacter);
    EXPECT_EQ(plain.caption, "Gear");
    EXPECT_EQ(texts(plain).front(), "2.5");  // "2.0" would start inside the margin
}

TEST(RulerLayout, ARulerTooShortForAnythingHasNoLabels) {
    const RulerLayout layout = layOutRuler({10, 15, 0}, 0, 100, "m", sixPerCharacter);
    EXPECT_TRUE(layout.labels.empty());
    // Equal ends put every tick on the start pixel: one mark, and no label clear of the margin.
    const RulerLayout equal = layOutRuler({115, 15, 0}, 3, 3, "m", sixPerCharacter);
    EXPECT_TRUE(equal.labels.empty());
    ASSERT_EQ(equal.marks.size(), 1u);
    EXPECT_EQ(equal.marks[0].at, 15);
}

}  // namespace
