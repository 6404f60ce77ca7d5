// The coexistence state at any temperature or pressure, against the exact
// solution and the tables' rows.
#include "state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "exact_solution.h"
#include "report_rows.h"
#include "substances.h"
#include "sweep.h"

using namespace exact;


namespace {

// The exact t at which the vapour pressure is p, by halving y.
real exact_t_at_pressure(real p)
{
    real lo = 1e-3L, hi = 30;  // p falls as y grows
    for (int i = 0; i < 200 && hi - lo > 1e-18L; ++i) {
        const real mid = (lo + hi) / 2;
        (lekner(mid).p > p ? lo : hi) = mid;
    }
    return lekner_t((lo + hi) / 2);
}

}  // namespace

TEST(State, AtAnyTemperatureInReachIsTheExactCoexistence)
{
    for (const double at_t : {lowest_state_t, 0.40, 0.42, 0.45, 0.479, 0.6, 0.85, 0.999, 0.99999}) {
        const Coexistence s = state_at(at_t);
        const double latent = properties(at_t, s.vl, s.vg, 1.5).latent();
        const ExactCoexistence x = exact_coexistence(at_t);
        // p to the searches' tolerance; the volumes to 1e-8, which near the
        // critical point, where they move fastest with p, is what it gives.
        EXPECT_NEAR(s.p, double(x.p), 2 * state_tolerance) << at_t;
        EXPECT_NEAR(s.vl, double(x.vl), 1e-8 * double(x.vl)) << at_t;
        EXPECT_NEAR(s.vg, double(x.vg), 1e-8 * double(x.vg)) << at_t;
        // The entropy jump is the latent heat over T: (hg - hl)/t in R, with
        // h in units of 8a/27b = R Tc.
        EXPECT_NEAR(latent / at_t, double(x.entropy_jump), 1e-8) << at_t;
    }
}

TEST(State, AtATableTemperatureIsItsRowToTheRowsPrecision)
{
    const Output out = run(1.5);
    const std::vector<std::string> rows = rows_of(out.coexistence);
    for (const size_t k : {size_t(0), size_t(149), size_t(349), size_t(498)}) {
        const std::vector<double> printed = numbers_of(rows[k]);
        const Coexistence s = state_at(out.states[k].t);
        const double shown[] = {s.p, s.vl, s.vg, properties(s.t, s.vl, s.vg, 1.5).latent()};
        const size_t columns[] = {1, 2, 3, 8};
        for (size_t i = 0; i < 4; ++i) {
            // Six decimals, and the rows' own search tolerance (1e-8 in p,
            // more in a gas volume that moves fast with p).
            EXPECT_NEAR(shown[i], printed[columns[i]], 5.1e-7 + 2e-6 * std::fabs(printed[columns[i]]))
                << rows[k] << " column " << columns[i];
        }
    }
}

TEST(State, AtPressureInvertsAtTemperature)
{
    EXPECT_NEAR(lowest_state_p(), state_at(lowest_state_t).p, 0);
    for (const double p : {lowest_state_p(), 0.0046, 0.0208, 0.3, 0.9, 0.999}) {
        const double at_t = t_at_pressure(p);
        EXPECT_NEAR(state_at(at_t).p, p, 1e-9 * p) << p;
    }
}

TEST(State, ArgonBoilsAtOneAtmosphereWhereTheExactSolutionSays)
{
    const Substance* argon = find_substance("Ar");
    ASSERT_NE(argon, nullptr);
    const double p = 101325 / argon->pc;
    const double temperature = t_at_pressure(p) * argon->tc;
    EXPECT_NEAR(temperature, double(exact_t_at_pressure(p)) * argon->tc, 1e-7);
    // About 72.27 K: the model's boiling point, 15 K below the measured 87.3 K.
    EXPECT_NEAR(temperature, 72.2654, 1e-4);
}

// Heating one mole at the vapour pressure: the liquid's and the gas's
// branches of the isobar end on the coexisting phases, the heat taken in
// while boiling is the latent heat, and in between the lever rule mixes the
// two phases.
TEST(State, HeatingAtTheVapourPressureBoilsAtTheCoexistence)
{
    const Coexistence s = state_at(0.85);
    const Isobar path = isobar(s.t, s.p, s.vl, s.vg, 0.75, 0.95, 20, 1.5);
    ASSERT_EQ(path.liquid.size(), 21u);
    EXPECT_EQ(path.liquid.back().t, s.t);
    EXPECT_EQ(path.gas.front().t, s.t);
    EXPECT_NEAR(path.liquid.back().v, s.vl, 1e-9);
    EXPECT_NEAR(path.gas.front().v, s.vg, 1e-7);
    EXPECT_NEAR(path.boiling_heat, path.latent, 1e-9);
    EXPECT_LT(path.liquid.front().h, path.liquid.back().h);
    EXPECT_LT(path.gas.front().h, path.gas.back().h);
    const Properties phases = properties(s.t, s.vl, s.vg, 1.5);
    const Mixture half = two_phase(s.t, s.vl, s.vg, (s.vl + s.vg) / 2, 1.5);
    EXPECT_DOUBLE_EQ(half.gas, 0.5);
    EXPECT_DOUBLE_EQ(half.s, (phases.sl + phases.sg) / 2);
    EXPECT_DOUBLE_EQ(two_phase(s.t, s.vl, s.vg, s.vg, 1.5).h, phases.hg);
}

// The piston's work and heat: from vg to vl at a row's t, the heat given off
// is the row's latent heat and the work its p (vg - vl), in Pcr·Vcr = 3/8 of
// the latent heat's unit; on one branch the work is -∫p dv, here summed
// numerically, and the heat given off is the work less the rise of u.
TEST(State, CompressionOnTheTieLineGivesOffTheRowsLatentHeat)
{
    const Output out = run(1.5);
    const std::vector<std::string> rows = rows_of(out.coexistence);
    for (const size_t k : {size_t(0), size_t(149), size_t(349), size_t(498)}) {
        const Coexistence& s = out.states[k];
        const std::vector<double> printed = numbers_of(rows[k]);
        const Compression x = compression(s.t, s.p, s.vl, s.vg, s.vg, s.vl, Kept::none);
        EXPECT_NEAR(x.heat, printed[8], 5.1e-7) << rows[k];
        EXPECT_NEAR(x.work, printed[1] * (printed[3] - printed[2]) * 0.375, 2e-6 * printed[3]) << rows[k];
        EXPECT_EQ(x.tie_heat, x.heat);
        // Half-way, half of it; expanded back, all of it returned.
        const Compression half = compression(s.t, s.p, s.vl, s.vg, s.vg, (s.vl + s.vg) / 2, Kept::none);
        EXPECT_NEAR(half.heat, x.heat / 2, 1e-12);
        EXPECT_NEAR(compression(s.t, s.p, s.vl, s.vg, s.vl, s.vg, Kept::none).work, -x.work, 1e-12);
    }
}

TEST(State, CompressionOnOneBranchIsMinusTheIntegralOfP)
{
    const Coexistence s = state_at(0.9);
    // -∫p dv from a to b by Simpson's rule on the isotherm.
    const auto minus_integral = [&](double a, double b) {
        const int n = 20000;
        const double h = (b - a) / n;
        double sum = isotherm_pressure(s.t, a) + isotherm_pressure(s.t, b);
        for (int i = 1; i < n; ++i)
            sum += isotherm_pressure(s.t, a + h * i) * (i % 2 ? 4 : 2);
        return -sum * h / 3 * 0.375;
    };
    const double start = 1.3 * s.vg;
    struct Case {
        double from, to;
        Kept kept;
        double expected;
    };
    const Case cases[] = {
        // The gas compressed down to vg.
        {start, s.vg, Kept::none, minus_integral(start, s.vg)},
        // Without nucleation, the gas past vg down to its limit.
        {start, s.limits.vgmin, Kept::gas, minus_integral(start, s.limits.vgmin)},
        // The whole way from the gas to the liquid: the tie line in between.
        {start, 0.9 * s.vl, Kept::none,
         minus_integral(start, s.vg) + s.p * (s.vg - s.vl) * 0.375 + minus_integral(s.vl, 0.9 * s.vl)},
        // A liquid expanded past vl on its branch, after the stable path down to vl.
        {start, s.limits.vlmax, Kept::liquid,
         minus_integral(start, s.vg) + s.p * (s.vg - s.vl) * 0.375 + minus_integral(s.vl, s.limits.vlmax)},
    };
    for (const Case& c : cases) {
        const Compression x = compression(s.t, s.p, s.vl, s.vg, c.from, c.to, c.kept);
        EXPECT_NEAR(x.work, c.expected, 1e-9) << c.from << " to " << c.to;
        // The first law: the heat given off is the work done less the rise of u.
        const double rise = internal_energy(s.t, c.to, 1.5) - internal_energy(s.t, c.from, 1.5);
        EXPECT_NEAR(x.heat, x.work - rise, 1e-9) << c.from << " to " << c.to;
    }
}
