#include <gtest/gtest.h>

#include "support/test_app.h"
#include "ui/pages.h"

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

}  // namespace
}  // namespace vildo
