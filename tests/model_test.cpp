// The reduced relations and the coexistence residual.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "coexistence.h"
#include "maxwell.h"
#include "sweep.h"
#include "vdw.h"

namespace {

// Sets the temperature and both spinodal limits the way a sweep pass does.
class AtTemperature : public ::testing::Test {
protected:
    void SetUp() override { saved_ = t; }
    void TearDown() override { t = saved_; }

    void at(double temperature, double liquid_limit, double gas_limit)
    {
        t = temperature;
        vlmax = liquid_limit;
        vgmin = gas_limit;
    }

private:
    double saved_ = 0;
};

TEST_F(AtTemperature, CriticalPointIsAnInflectionOfTheCriticalIsotherm)
{
    t = 1;
    EXPECT_EQ(fun2(1), 0);
    EXPECT_EQ(pressure(1), 1);
    EXPECT_EQ(vdw(1, 1), 0);
}

TEST_F(AtTemperature, LiquidLimitAtHalfTheCriticalTemperatureIsHalfTheCriticalVolume)
{
    t = 0.5;
    EXPECT_EQ(fun2(0.5), 0);
    // And the gas limit is the other root of 2v^3 = (3v - 1)^2 above 1/3.
    const double gas = 2 + std::sqrt(3.0);
    EXPECT_NEAR(fun2(gas), 0, 1e-12);
}

TEST_F(AtTemperature, ResidualIsNegativeBelowTheIsothermAndPositiveAbove)
{
    t = 0.9;
    for (double v : {0.5, 0.8, 1.0, 2.0, 10.0, 300.0}) {
        const double on = pressure(v);
        EXPECT_NEAR(vdw(on, v), 0, 1e-15);
        EXPECT_LT(vdw(on - 1e-6, v), 0);
        EXPECT_GT(vdw(on + 1e-6, v), 0);
    }
}

// Spinodal limits of t = 0.9, solved to far better than the searches need.
constexpr double t09_liquid_limit = 0.71859719;
constexpr double t09_gas_limit = 1.52850496;

TEST_F(AtTemperature, ResidualChangesSignAtTheVapourPressure)
{
    at(0.9, t09_liquid_limit, t09_gas_limit);
    const Coexistence below = fun(0.6469);
    const Coexistence above = fun(0.6471);
    EXPECT_LT(below.residual * above.residual, 0);
    // The volumes it finds lie on the isotherm, one on each side of the dome.
    EXPECT_NEAR(vdw(0.6469, below.vl), 0, 1e-6);
    EXPECT_NEAR(vdw(0.6469, below.vg), 0, 1e-6);
    EXPECT_LT(below.vl, t09_liquid_limit);
    EXPECT_GT(below.vg, t09_gas_limit);
}

TEST_F(AtTemperature, ResidualIsTheGibbsEnergyDifferenceOverT)
{
    at(0.9, t09_liquid_limit, t09_gas_limit);
    const Coexistence x = fun(0.55);
    vl = x.vl;
    vg = x.vg;
    for (double c : {0.0, 1.5, 40.0}) {
        const Properties props = properties(c);
        EXPECT_NEAR(x.residual, (props.gl - props.gg) / t, 1e-12) << c;
    }
}

TEST_F(AtTemperature, GasSearchWithoutRootEndsAt300AndStaysFinite)
{
    at(0.6, 0.53594527, 2.95056537);
    for (double p : {0.0, -0.5, 8 * 0.6 / 899 - 3.0 / 90000 - 1e-6}) {
        const Coexistence x = fun(p);
        EXPECT_LT(300 - x.vg, err) << p;
        EXPECT_TRUE(std::isfinite(x.residual)) << p;
    }
}

TEST_F(AtTemperature, SameCallGivesSameBits)
{
    at(0.75, 0.60506916, 2.13715804);
    const Coexistence a = fun(0.3);
    const Coexistence b = fun(0.3);
    EXPECT_EQ(a.residual, b.residual);
    EXPECT_EQ(a.vl, b.vl);
    EXPECT_EQ(a.vg, b.vg);
}

}  // namespace

// The equal-area rule, from the model's own integral of p dv: at the vapour
// pressure of every row the two areas agree, and a pressure off it tips them.
TEST(MaxwellConstruction, AreasAreEqualAtEveryVapourPressureOnly)
{
    Output out;
    run(1.5, out);
    ASSERT_EQ(out.states.size(), 499u);
    for (const Coexisting& s : out.states) {
        SCOPED_TRACE(s.t);
        const MaxwellAreas a = maxwell_areas(s.t, s.p, s.vl, s.vg, s.vlmax, s.vgmin);
        EXPECT_GT(a.v_middle, s.vlmax);
        EXPECT_LT(a.v_middle, s.vgmin);
        EXPECT_GT(a.liquid_area, 0);
        EXPECT_NEAR(a.liquid_area, a.gas_area, 1e-6);
        const MaxwellAreas higher = maxwell_areas(s.t, s.p + 1e-3, s.vl, s.vg, s.vlmax, s.vgmin);
        EXPECT_GT(higher.liquid_area - higher.gas_area, 1e-3 * (s.vg - s.vl) / 2);
    }
    EXPECT_DOUBLE_EQ(gas_fraction(2, 1, 5), 0.25);
}

// A line at a trial pressure: its three crossings lie on the isotherm, one in
// each stretch between the limits; its areas and Gibbs energies disagree by
// the same amount (gl - gg = 3/8 of the areas' difference) and both agree at
// the row's vapour pressure, where the crossings are the row's volumes.
TEST(MaxwellConstruction, TrialLineCutsTheIsothermThriceAndTipsAreasAndGibbsEnergiesAlike)
{
    Output out;
    run(1.5, out);
    for (const size_t row : {0u, 149u, 349u, 498u}) {
        const Coexisting& s = out.states[row];
        SCOPED_TRACE(s.t);
        const double low = std::max(s.plmin, 0.0);
        for (const double share : {0.0, 0.02, 0.3, 0.7, 1.0}) {
            const double p = share == 0.0 ? std::max(low, s.pgmax * 1e-3) : low + (s.pgmax - low) * share;
            SCOPED_TRACE(p);
            const TrialLine x = trial_line(s.t, p, s.vlmax, s.vgmin, 2.5);
            for (const double v : {x.vl, x.areas.v_middle, x.vg})
                EXPECT_NEAR(isotherm_pressure(s.t, v), p, 1e-9) << v;
            EXPECT_GT(x.vl, 1.0 / 3);
            EXPECT_LE(x.vl, s.vlmax);
            EXPECT_GE(x.areas.v_middle, s.vlmax);
            EXPECT_LE(x.areas.v_middle, s.vgmin);
            EXPECT_GE(x.vg, s.vgmin);
            EXPECT_NEAR(x.gl - x.gg, (x.areas.gas_area - x.areas.liquid_area) * 3 / 8,
                        1e-9 * (1 + std::fabs(x.gl)));
            if (share == 0.3) {
                EXPECT_GT(std::fabs(x.gl - x.gg), 1e-12);
            }
        }
        const TrialLine at_p = trial_line(s.t, s.p, s.vlmax, s.vgmin, 2.5);
        EXPECT_NEAR(at_p.vl, s.vl, 1e-6);
        EXPECT_NEAR(at_p.vg, s.vg, 1e-6 * s.vg);
        EXPECT_NEAR(isotherm_pressure(s.t, at_p.areas.v_middle), s.p, 1e-9);
        EXPECT_NEAR(at_p.gl - at_p.gg, 0, 1e-6);
        EXPECT_NEAR(at_p.areas.liquid_area, at_p.areas.gas_area, 1e-6);
        // The construction shown from the row's own volumes crosses there too.
        const MaxwellAreas a = maxwell_areas(s.t, s.p, s.vl, s.vg, s.vlmax, s.vgmin);
        EXPECT_NEAR(isotherm_pressure(s.t, a.v_middle), s.p, 1e-6);
    }
}
