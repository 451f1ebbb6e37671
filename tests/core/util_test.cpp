#include <gtest/gtest.h>

#include <cmath>

#include "model/records.h"
#include "util/cp1252.h"
#include "util/format.h"
#include "util/parse.h"
#include "util/random.h"
#include "util/round.h"

namespace vildo {
namespace {

TEST(Round, HalvesGoToEvenAndTruncGoesTowardsZero) {
    struct Case {
        double x;
        int64_t round, trunc;
    };
    for (Case c : {Case{0.5, 0, 0}, {1.5, 2, 1}, {2.5, 2, 2}, {-0.5, 0, 0}, {-1.5, -2, -1}, {3.4999, 3, 3},
                   {-2.7, -3, -2}, {192.98, 193, 192}}) {
        EXPECT_EQ(Round(c.x), c.round) << c.x;
        EXPECT_EQ(Trunc(c.x), c.trunc) << c.x;
    }
    EXPECT_THROW(Round(std::nan("")), VildoError);
    EXPECT_THROW(Trunc(INFINITY), VildoError);
}

TEST(Fix, DecimalCommaExactDecimalsAndExponentBeyondThePrecision) {
    struct Case {
        double v;
        int p, d;
        const char* text;
    };
    for (Case c : {Case{8.0, 4, 1, "8,0"}, {0.645, 4, 2, "0,65"}, {-3.25, 4, 1, "-3,2"}, {-0.01, 4, 1, "0,0"},
                   {9999.4, 4, 0, "9999"}, {10000, 4, 0, "1,000E+4"}, {12345.6, 4, 1, "1,235E+4"},
                   {-25000, 4, 0, "-2,500E+4"}, {123456, 6, 0, "123456"}, {0.5, 6, 0, "0"}, {1.5, 6, 0, "2"},
                   {2.0, 4, 3, "2,000"}, {1e20, 30, 0, "100000000000000000000"}, {5e-324, 4, 3, "0,000"},
                   {0.1, 30, 20, "0,10000000000000000555"}})
        EXPECT_EQ(fix(c.v, c.p, c.d), c.text) << c.v << " fix(" << c.p << "," << c.d << ")";
}

TEST(Fix, GroupedPutsASpaceBetweenThousands) {
    EXPECT_EQ(grouped(1234567.891, 1), "1 234 567,9");
    EXPECT_EQ(grouped(-2500, 0), "-2 500");
    EXPECT_EQ(grouped(999, 0), "999");
}

TEST(Parse, SwedishRealsAndIntegersFailOnAnythingElse) {
    EXPECT_DOUBLE_EQ(*parseReal("0,75"), 0.75);
    EXPECT_DOUBLE_EQ(*parseReal(" 4.5 "), 4.5);
    EXPECT_DOUBLE_EQ(*parseReal("-12"), -12);
    EXPECT_DOUBLE_EQ(*parseReal("1,5E3"), 1500);
    for (const char* bad : {"", " ", "abc", "1,2,3", "1 000", "12kg", ",", "-", "1e", "nan", "inf"})
        EXPECT_FALSE(parseReal(bad).has_value()) << bad;
    EXPECT_EQ(*parseInt("120"), 120);
    EXPECT_EQ(*parseInt(" -7 "), -7);
    for (const char* bad : {"", "1,5", "12a", "+", "99999999999999999999"})
        EXPECT_FALSE(parseInt(bad).has_value()) << bad;
    EXPECT_THROW(strToFloat("x"), VildoError);
    EXPECT_THROW(strToInt("1.0"), VildoError);
}

TEST(Cp1252, SwedishLettersRoundTripAndOthersBecomeQuestionMarks) {
    std::string s = "Älgförvaltning Åre €";
    std::string b = toCp1252(s);
    EXPECT_EQ(b.size(), 20u);
    EXPECT_EQ(static_cast<unsigned char>(b[0]), 0xC4);
    EXPECT_EQ(static_cast<unsigned char>(b[19]), 0x80);
    EXPECT_EQ(fromCp1252(b), s);
    EXPECT_EQ(toCp1252("漢"), "?");
}

TEST(ShortString, CutsToItsLengthAndKeepsTheBytesAfterTheText) {
    ShortString<10> cell{};
    setShort(cell, "Tjurkalvarna");
    EXPECT_EQ(cell.length, 10);
    EXPECT_EQ(getShort(cell), "Tjurkalvar");
    setShort(cell, "Ko");
    EXPECT_EQ(getShort(cell), "Ko");
    EXPECT_EQ(cell.chars[2], 'u');  // an earlier, longer text stays behind the length
}

TEST(Grid2Cells, CellOfColumnAndRowLiesAtItsByteOffset) {
    TGrid2Cells g{};
    auto base = reinterpret_cast<const char*>(&g);
    for (int c = 1; c <= 7; ++c)
        for (int r = 0; r <= 12; ++r)
            EXPECT_EQ(reinterpret_cast<const char*>(&g.Cells[c - 1][r]) - base, (c - 1) * 143 + r * 11);
}

TEST(Lcg, FollowsTheLinearCongruentialSequence) {
    Lcg g{0};
    EXPECT_EQ(g.R(100), 0u);  // seed 1: (1 * 100) >> 32
    EXPECT_EQ(g.seed, 1u);
    EXPECT_DOUBLE_EQ(g.U(), 134775814.0 / 4294967296.0);
    Lcg h{0xFFFFFFFFu};
    h.advance();
    EXPECT_EQ(h.seed, static_cast<uint32_t>(0xFFFFFFFFull * 134775813ull + 1));
    Lcg r{7};
    for (int i = 0; i < 1000; ++i) EXPECT_LT(r.R(6), 6u);
}

TEST(Lcg, NormalDrawsHaveTheRequestedMeanAndSpread) {
    Lcg g{42};
    double sum = 0, sq = 0;
    const int n = 20000;
    for (int i = 0; i < n; ++i) {
        double x = g.G(10, 2);
        ASSERT_TRUE(std::isfinite(x));
        sum += x;
        sq += x * x;
    }
    double mean = sum / n, sd = std::sqrt(sq / n - mean * mean);
    EXPECT_NEAR(mean, 10, 0.05);
    EXPECT_NEAR(sd, 2, 0.05);
}

}  // namespace
}  // namespace vildo
