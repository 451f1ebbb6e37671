#include <gtest/gtest.h>

#include "app/pages.h"
#include "app/parameter_handlers.h"
#include "model/parameters.h"
#include "support/test_app.h"

namespace vildo {
namespace {

TEST(Pages, APageShowsItsMessageUntilItsFlagIsCleared) {
    test::TestApp t;
    t.start();
    t.prompts.infoTicks = {true};
    PageControl1Change(*t, C::TabSheet2);
    ASSERT_EQ(t.prompts.infos.size(), 1u);
    EXPECT_EQ(t.prompts.infos[0].text.rfind("I Vildo används landskapets markanvändning", 0), 0u);
    EXPECT_EQ(t->InfoFlags[10], 0);
    PageControl1Change(*t, C::TabSheet1);
    PageControl1Change(*t, C::TabSheet2);
    EXPECT_EQ(t.prompts.infos.size(), 1u);
}

TEST(Pages, OtherMortalityTalksOnlyWithAnArea) {
    test::TestApp t;
    t.start();
    PageControl1Change(*t, C::TabSheet5);
    EXPECT_TRUE(t.prompts.infos.empty());
    PageControl1Change(*t, C::TabSheet1);
    t->AreaLoaded = true;
    PageControl1Change(*t, C::TabSheet5);
    ASSERT_EQ(t.prompts.infos.size(), 1u);
    EXPECT_EQ(t.prompts.infos[0].text.rfind("Statistiken för annan dödlighet", 0), 0u);
}

TEST(Pages, LeavingAChangedParameterPageRemindsOnceAndClearsTheChange) {
    test::TestApp t;
    t.start();
    t->InfoFlags[11] = 0;  // the page's own message is not the point here
    PageControl1Change(*t, C::TabSheet3);
    t->SettingsChanged = true;
    PageControl1Change(*t, C::TabSheet1);
    ASSERT_EQ(t.prompts.infos.size(), 1u);
    EXPECT_EQ(t.prompts.infos[0].text.rfind("Älgstammen behöver räknas om när reproduktionen ändras", 0), 0u);
    EXPECT_FALSE(t->SettingsChanged);
    t->InfoFlags[9] = 0;
    t->InfoFlags[13] = 0;
    PageControl1Change(*t, C::TabSheet5);
    t->SettingsChanged = true;
    PageControl1Change(*t, C::TabSheet1);
    EXPECT_EQ(t.prompts.infos.size(), 1u);  // its flag is off: no message, but the change is cleared
    EXPECT_FALSE(t->SettingsChanged);
}

// Leaving advanced mode, by the menu or by "Återställ Vildo", hides the page the user stands on: the set
// shows its start page, and neither the leaving reminder nor any page message appears.
TEST(Pages, HidingTheActivePageShowsTheStartPageSilently) {
    struct Case {
        C page;
        bool left;
        bool byReset;
    };
    const Case cases[] = {
        {C::TabSheet2, false, false}, {C::TabSheet3, false, false}, {C::TabSheet4, false, true},
        {C::TabSheet5, false, true},  {C::TabSheet6, true, false},  {C::TabSheet6, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.page));
        test::TestApp t;
        t.start();
        t->AreaLoaded = true;  // every page has its message
        click(*t, C::Advanced);
        if (c.left)
            PageControl2Change(*t, c.page);
        else
            PageControl1Change(*t, c.page);
        t->SettingsChanged = true;  // leaving the page by choice would remind
        const size_t shown = t.prompts.infos.size();
        if (c.byReset)
            ResetClick(*t);
        else
            click(*t, C::Advanced);
        EXPECT_EQ(t.prompts.infos.size(), shown);
        EXPECT_EQ(t->activeLeftPage, C::TabSheet8);
        EXPECT_EQ(t->activeRightPage, C::TabSheet1);
    }
}

TEST(Pages, AVisibleActivePageStaysThroughAModeChange) {
    test::TestApp t;
    t.start();
    click(*t, C::Advanced);
    PageControl1Change(*t, C::Rovdjur);
    PageControl2Change(*t, C::TabSheet9);
    click(*t, C::Advanced);
    EXPECT_EQ(t->activeRightPage, C::Rovdjur);
    EXPECT_EQ(t->activeLeftPage, C::TabSheet9);
}

}  // namespace
}  // namespace vildo
