#include <gtest/gtest.h>

#include "model/controller.h"
#include "support/test_app.h"

namespace vildo {
namespace {

class Controller : public ::testing::Test {
protected:
    void SetUp() override {
        t.start();
        setTimer(*t, 1, false);
        t->Tick = 4;
        t->TargetDensity = 8;
    }
    void levels(double l0, double l1) {
        t->Controller[0].Level = l0;
        t->Controller[1].Level = l1;
    }
    test::TestApp t;
};

TEST_F(Controller, AtTheTargetNothingMoves) {
    t->ModelDensity = 8;
    levels(8, 1.3);
    EulerStep(*t, t->Controller);
    EXPECT_DOUBLE_EQ(t->Controller[0].Level, 8);
    EXPECT_DOUBLE_EQ(t->Controller[1].Level, 1.3);
    EXPECT_DOUBLE_EQ(t->DensityPull, 0);
}

TEST_F(Controller, GainGrowsWithTheTick) {
    t->ModelDensity = 8;
    levels(8, 1);
    const double gains[] = {1.0 / 64, 1.0, 11.390625, 64.0};
    for (int tick = 1; tick <= 4; ++tick) {
        t->Tick = tick;
        ins(*t, t->Controller);
        EXPECT_DOUBLE_EQ(t->ControllerGain, gains[tick - 1]) << tick;
    }
}

TEST_F(Controller, PullIsCappedAboveAndUnboundedBelowButLevelsStayNonNegative) {
    t->ModelDensity = 100;
    levels(100, 1);
    ins(*t, t->Controller);
    EXPECT_DOUBLE_EQ(t->DensityPull, 0.2);
    t->ModelDensity = 0.004;
    levels(0.004, 1);
    ins(*t, t->Controller);
    EXPECT_LT(t->DensityPull, -30000);
    EulerStep(*t, t->Controller);
    EXPECT_GE(t->Controller[0].Level, 0);
    EXPECT_EQ(t->Controller[1].Level, 0);
}

TEST_F(Controller, PressureHoldsAboveOneAndAHalfWhileThePullIsPositive) {
    t->ModelDensity = 9;
    levels(9, 1.6);
    ins(*t, t->Controller);
    EXPECT_EQ(t->Controller[1].input[0], 0);
    t->ModelDensity = 7;
    levels(7, 1.6);
    ins(*t, t->Controller);
    EXPECT_DOUBLE_EQ(t->Controller[1].input[0], t->DensityPull + t->DensityChange);
    EXPECT_LT(t->Controller[1].input[0], 0);

    // The bounds: at exactly 1.5 the pressure still rises, and a pull of exactly 0 does not hold it.
    struct Case {
        const char* what;
        double density, l0, l1, inflow;
    } cases[] = {
        {"level at 1.5, pull positive", 9, 9, 1.5, 0.2},
        {"level above 1.5, no pull", 8, 7, 1.6, 1.0 / 7},
    };
    for (const Case& c : cases) {
        t->ModelDensity = c.density;
        levels(c.l0, c.l1);
        ins(*t, t->Controller);
        EXPECT_DOUBLE_EQ(t->Controller[1].input[0], c.inflow) << c.what;
        EXPECT_DOUBLE_EQ(t->Controller[1].input[0], t->DensityPull + t->DensityChange) << c.what;
    }
}

TEST_F(Controller, StockZeroIsIntegratedBeforeStockOne) {
    t->ModelDensity = 10;
    levels(5, 1);
    EulerStep(*t, t->Controller);
    // Stock 0 relaxes towards the density: Heun over four quarter years of dL/dt = D - L.
    double l = 5;
    for (int i = 0; i < 4; ++i) {
        double e1 = 10 - l, e2 = 10 - (l + e1 / 4);
        l += (e1 + e2) * 0.5 / 4;
    }
    EXPECT_DOUBLE_EQ(t->Controller[0].Level, l);
    EXPECT_GT(t->Controller[1].Level, 1);
    EXPECT_DOUBLE_EQ(t->DensityChange, (10 - l) / l);  // left by the final flow update
}

TEST_F(Controller, AnEmptyLagStockIsADivisionByZero) {
    t->ModelDensity = 1;
    levels(0, 1);
    EXPECT_THROW(ins(*t, t->Controller), VildoError);
}

// A sub-step that empties the lag stock fails at its next evaluation, which leaves the flows as the last
// evaluation that succeeded left them, beside the new level and the failing evaluation's own first input.
TEST_F(Controller, ASubStepThatEmptiesTheLagStockFailsWithTheLastEvaluationsFlows) {
    t->ModelDensity = -10;
    levels(1, 1);
    EXPECT_THROW(EulerStep(*t, t->Controller), VildoError);
    EXPECT_EQ(t->Controller[0].Level, 0);
    EXPECT_EQ(t->Controller[0].input[0], -10);
    EXPECT_DOUBLE_EQ(t->DensityChange, -11);
    EXPECT_DOUBLE_EQ(t->Controller[1].input[0], t->DensityPull - 11);
    EXPECT_EQ(t->Controller[1].Level, 1);
}

}  // namespace
}  // namespace vildo
