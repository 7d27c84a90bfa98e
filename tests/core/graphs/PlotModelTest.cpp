#include "graphs/PlotModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

struct NoticeLog final : PlotListener {
    void plotNotice(const PlotNotice& notice) override { notices.push_back(notice); }
    std::vector<PlotNotice> notices;
};

TEST(PlotModel, HoldsThirtyTwoCurvesAndRefusesAThirtyThird) {
    PlotModel model;
    for (int i = 0; i < PlotModel::kSlots; ++i)
        EXPECT_EQ(model.addGraph(0xFF0000, "New graph - " + std::to_string(i)), i);
    EXPECT_EQ(model.addGraph(0x00FF00, "one too many"), std::nullopt);
    EXPECT_EQ(model.curveCount(), 32);
    EXPECT_TRUE(model.removeGraph(7, false));
    EXPECT_EQ(model.addGraph(0x0000FF, "again"), 7);  // the first free slot
    EXPECT_EQ(std::tuple(model.curve(7)->name, model.curve(7)->colour), std::tuple("again", 0x0000FFu));
}

TEST(PlotModel, OperationsOnASlotOutsideTheRangeOrEmptyChangeNothing) {
    PlotModel model;
    NoticeLog log;
    model.setListener(&log);
    model.addGraph(0, "only");
    log.notices.clear();
    for (const int slot : {-1, 1, 31, 32, 1 << 30}) {
        EXPECT_FALSE(model.removeGraph(slot, true));
        EXPECT_EQ(model.addPoint(slot, 1, 2), std::nullopt);
        EXPECT_FALSE(model.clearGraph(slot, true));
        model.graphChanged(slot, true);
        EXPECT_EQ(model.curve(slot), nullptr);
    }
    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(model.curveCount(), 1);
}

TEST(PlotModel, TellsItsListenerOfEveryChange) {
    PlotModel model;
    NoticeLog log;
    model.setListener(&log);
    const int slot = model.addGraph(0x123456, "speed").value();
    EXPECT_EQ(model.addPoint(slot, 20, 1), 0);
    EXPECT_EQ(model.addPoint(slot, 10, 2), 0);
    EXPECT_EQ(model.addPoint(slot, std::nan(""), 2), std::nullopt);
    model.graphChanged(slot, true);
    EXPECT_TRUE(model.clearGraph(slot, false));
    model.setAxis("Meter", "m", 0, true, true);
    EXPECT_TRUE(model.removeGraph(slot, true));

    using Code = PlotNoticeCode;
    const std::vector<Code> expected = {Code::CurveAdded,   Code::PointAdded,   Code::PointAdded,
                                        Code::CurveChanged, Code::CurveCleared, Code::AxisChanged,
                                        Code::CurveRemoved};
    ASSERT_EQ(log.notices.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(log.notices[i].code, expected[i]) << i;
    EXPECT_EQ(log.notices[2].pointIndex, 0);  // x 10 went before x 20
    EXPECT_EQ(log.notices[3].slot, slot);
    EXPECT_EQ(log.notices[5].slot, std::nullopt);
    EXPECT_FALSE(log.notices[4].redraw);
    EXPECT_TRUE(log.notices[5].isX);
    EXPECT_EQ(model.formatValue(1234.56, true, 2), "Meter: 1235 m");
}

TEST(PlotModel, EachNoticeHasItsReaction) {
    using Code = PlotNoticeCode;
    EXPECT_EQ(reactionTo(Code::PointAdded), PlotReaction::None);
    EXPECT_EQ(reactionTo(Code::CurveAdded), PlotReaction::None);
    EXPECT_EQ(reactionTo(Code::CurveRemoved), PlotReaction::None);
    EXPECT_EQ(reactionTo(Code::CurveCleared), PlotReaction::Redraw);
    EXPECT_EQ(reactionTo(Code::CurveChanged), PlotReaction::Redraw);
    EXPECT_EQ(reactionTo(Code::ViewSet), PlotReaction::SetView);
    EXPECT_EQ(reactionTo(Code::AxisChanged), PlotReaction::UpdateRuler);
}

TEST(PlotModel, TheDataBoundsSpanTheCurvesWithPoints) {
    PlotModel model;
    EXPECT_FALSE(model.dataBounds());
    const int a = model.addGraph(0, "a").value(), b = model.addGraph(0, "b").value();
    model.addGraph(0, "empty");
    model.addPoint(a, 5, -1);
    model.addPoint(a, 9, 4);
    model.addPoint(b, -3, 2);
    const DataBounds bounds = *model.dataBounds();
    EXPECT_EQ(std::tuple(bounds.minX, bounds.maxX, bounds.minY, bounds.maxY), std::tuple(-3, 9, -1, 4));
    model.clearGraph(a, false);
    model.clearGraph(b, false);
    EXPECT_FALSE(model.dataBounds());
}

}  // namespace
