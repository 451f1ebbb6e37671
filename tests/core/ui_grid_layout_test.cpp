#include <gtest/gtest.h>

#include "ui/grid_layout.h"
#include "util/grid.h"

namespace vildo {
namespace {

TEST(GridLayout, NumbersAreTheTablesNumberTexts) {
    const std::pair<const char*, bool> cases[] = {
        {"24321", true}, {"24 321", true}, {"-0,8", true},    {"0.75", true},
        {"40 %", true},  {" 2012 ", true}, {"+3", true},      {"", false},
        {"   ", false},  {"--", false},    {"Nuläge", false}, {"8,0 kHa", false},
        {"48:52", true}, {":", false},     {"%", false},      {"Ungskog: 12", false},
    };
    for (auto [text, number] : cases) EXPECT_EQ(isNumberText(text), number) << '"' << text << '"';
}

TEST(GridLayout, ANumberColumnHoldsOnlyNumbersBelowItsHeader) {
    Grid g(6, 3);
    g.fixedRows = 1;
    g.cell(0, 0) = "Mål";
    g.cell(0, 1) = "Kalvar per ko";
    g.cell(0, 2) = "Tjurandel";
    g.cell(1, 0) = "Nuläge";  // a header over numbers
    g.cell(1, 1) = "0,8";
    g.cell(1, 2) = "40";
    g.cell(2, 1) = "12";  // a number above a text
    g.cell(2, 2) = "saknas";
    // Column 3 is empty.
    g.cell(4, 0) = "2027";  // a year still to come: its numbers are on their way
    g.cell(5, 0) = "Tjur";  // a text over nothing yet
    EXPECT_EQ(numberColumns(g), (std::vector<bool>{false, true, false, false, true, false}));
}

TEST(GridLayout, NumbersAreNeverCutAndTextsGiveWay) {
    struct Case {
        const char* what;
        std::vector<ColumnNeed> columns;
        int available;
        std::vector<int> widths;
    };
    const Case cases[] = {
        {"everything fits", {{100, 80, false}, {50, 40, true}}, 150, {100, 50}},
        {"a number widens into the text's spare room", {{100, 60, false}, {30, 70, true}}, 130, {60, 70}},
        {"a text gives back what it does not need first", {{100, 90, false}, {30, 70, true}}, 165, {95, 70}},
        {"then down to its least width", {{100, 90, false, 40}, {30, 70, true}}, 130, {60, 70}},
        {"what is left scrolls", {{100, 90, false, 40}, {30, 70, true}, {30, 50, true}}, 100, {40, 70, 50}},
        {"a short text keeps its own width", {{100, 20, false, 40}, {30, 120, true}}, 100, {20, 120}},
        {"a cut text takes room to spare", {{60, 120, false}, {30, 20, true}}, 140, {110, 30}},
        {"a cut text keeps its width without room", {{60, 120, false}, {40, 20, true}}, 100, {60, 40}},
        {"a cut text borrows what another text does not use",
         {{100, 130, false}, {20, 0, false}, {100, 60, false}},
         220,
         {130, 20, 70}},
        {"and two thirds of an empty spacing column",
         {{100, 150, false}, {30, 0, false}, {100, 100, false}},
         230,
         {120, 10, 100}},
        {"and no more than it lacks", {{100, 110, false}, {100, 60, false}}, 200, {110, 90}},
        {"the last text gives first", {{100, 50, false}, {100, 50, false}, {20, 60, true}}, 200, {90, 50, 60}},
        {"cutting texts, the last first",
         {{100, 90, false, 30}, {100, 90, false, 30}, {20, 60, true}},
         150,
         {60, 30, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(fitColumns(c.columns, c.available), c.widths);
    }
}

}  // namespace
}  // namespace vildo
