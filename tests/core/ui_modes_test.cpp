#include <gtest/gtest.h>

#include <vector>

#include "app/modes.h"
#include "app/parameter_handlers.h"
#include "model/parameters.h"
#include "support/test_app.h"

namespace vildo {
namespace {

std::vector<bool> visibility(const Vildo& app) {
    std::vector<bool> v;
    for (const Control& c : app.controls) v.push_back(c.visible);
    return v;
}

TEST(Modes, AdvancedTwiceRestoresEveryVisibilityAndDisablesExpertAgain) {
    test::TestApp t;
    t.start();
    auto before = visibility(*t);
    click(*t, C::Advanced);
    EXPECT_TRUE(t->ctl(C::TabSheet6).visible);
    EXPECT_TRUE(t->ctl(C::TabSheet3).visible);
    EXPECT_TRUE(t->ctl(C::chk_stats).visible);
    EXPECT_TRUE(t->ctl(C::Expertmode1).enabled);
    click(*t, C::Advanced);
    EXPECT_EQ(visibility(*t), before);
    EXPECT_FALSE(t->ctl(C::Expertmode1).enabled);
}

TEST(Modes, AdvancedOffUnchecksTheSaveBoxesAndChecksQuotaEvenInExpertMode) {
    test::TestApp t;
    t.start();
    click(*t, C::Advanced);
    click(*t, C::Expertmode1);
    setChecked(*t, C::chk_save, true);
    setChecked(*t, C::chk_biodata, true);
    setChecked(*t, C::chk_kvotering, false);
    click(*t, C::Advanced);
    EXPECT_FALSE(t->checked(C::chk_save));
    EXPECT_FALSE(t->checked(C::chk_biodata));
    EXPECT_TRUE(t->checked(C::chk_kvotering));
    EXPECT_TRUE(t->checked(C::Expertmode1));  // expert mode stays, its pages are hidden
    EXPECT_TRUE(t->ctl(C::Panel7).visible);
    EXPECT_FALSE(t->ctl(C::TabSheet2).visible);
}

TEST(Modes, ExpertModeShowsItsControlsAndEnablesBarEditing) {
    test::TestApp t;
    t.start();
    EXPECT_FALSE(t->charts[6].enabled || t->charts[4].enabled);
    click(*t, C::Expertmode1);  // disabled outside advanced mode
    EXPECT_FALSE(t->checked(C::Expertmode1));
    click(*t, C::Advanced);
    click(*t, C::Expertmode1);
    for (C id : {C::trk_sexratio, C::trk_korisk, C::GroupBox5, C::chk_biodata, C::chk_kvotering, C::Panel2})
        EXPECT_TRUE(t->ctl(id).visible);
    EXPECT_TRUE(t->charts[6].enabled && t->charts[4].enabled && t->charts[6].titleVisible);
    EXPECT_TRUE(t->charts[3].footerVisible);
}

TEST(Modes, LargeTextSetsTheFontSizes) {
    test::TestApp t;
    click(*t, C::Stortext1);
    EXPECT_EQ(t->fonts.windowPx, 15);
    EXPECT_EQ(t->fonts.chart5AxisPx, 17);
    EXPECT_EQ(t->fonts.chart5LegendPx, 16);
    EXPECT_EQ(t->fonts.chart8LegendPx, 14);
    click(*t, C::Stortext1);
    EXPECT_EQ(t->fonts.windowPx, 13);
    EXPECT_EQ(t->fonts.chart8AxisPx, 13);
}

TEST(Modes, ResetSwitchesBothModesOff) {
    test::TestApp t;
    t.start();
    click(*t, C::Advanced);
    click(*t, C::Expertmode1);
    ResetClick(*t);
    EXPECT_FALSE(t->checked(C::Advanced));
    EXPECT_FALSE(t->checked(C::Expertmode1));
    EXPECT_FALSE(t->ctl(C::Panel7).visible);
}

TEST(Modes, TheLeftChartPanelKeepsItsMinimumWidth) {
    EXPECT_EQ(leftChartPanelWidth(1000), 533);
    EXPECT_EQ(leftChartPanelWidth(1065), 533);
    EXPECT_EQ(leftChartPanelWidth(1400), 700);
    // Narrower, the main chart beside the panel keeps a readable width and the two share the window.
    EXPECT_EQ(leftChartPanelWidth(885), 533);
    EXPECT_EQ(leftChartPanelWidth(800), 448);
}

}  // namespace
}  // namespace vildo
