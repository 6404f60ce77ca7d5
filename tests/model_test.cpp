// The reduced relations and the coexistence residual.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "coexistence.h"
#include "maxwell.h"
#include "state.h"
#include "sweep.h"

namespace {

TEST(Isotherm, CriticalPointIsAnInflectionOfTheCriticalIsotherm)
{
    const Isotherm critical{1};
    EXPECT_EQ(critical.fun2(1), 0);
    EXPECT_EQ(critical.pressure(1), 1);
    EXPECT_EQ(critical.vdw(1, 1), 0);
}

TEST(Isotherm, LiquidLimitAtHalfTheCriticalTemperatureIsHalfTheCriticalVolume)
{
    const Isotherm half{0.5};
    EXPECT_EQ(half.fun2(0.5), 0);
    // And the gas limit is the other root of 2v^3 = (3v - 1)^2 above 1/3.
    const double gas = 2 + std::sqrt(3.0);
    EXPECT_NEAR(half.fun2(gas), 0, 1e-12);
}

TEST(Isotherm, ResidualIsNegativeBelowTheIsothermAndPositiveAbove)
{
    const Isotherm isotherm{0.9};
    for (double v : {0.5, 0.8, 1.0, 2.0, 10.0, 300.0}) {
        const double on = isotherm.pressure(v);
        EXPECT_NEAR(isotherm.vdw(on, v), 0, 1e-15);
        EXPECT_LT(isotherm.vdw(on - 1e-6, v), 0);
        EXPECT_GT(isotherm.vdw(on + 1e-6, v), 0);
    }
}

// Spinodal limits of t = 0.9, solved to far better than the searches need
// (the pressures are not read by the residual).
const Isotherm t09{0.9};
constexpr StabilityLimits t09_limits{0.71859719, 0, 1.52850496, 0};

TEST(CoexistenceResidual, ChangesSignAtTheVapourPressure)
{
    const CoexistenceResidual below = fun(t09, t09_limits, 0.6469);
    const CoexistenceResidual above = fun(t09, t09_limits, 0.6471);
    EXPECT_LT(below.residual * above.residual, 0);
    // The volumes it finds lie on the isotherm, one on each side of the dome.
    EXPECT_NEAR(t09.vdw(0.6469, below.vl), 0, 1e-6);
    EXPECT_NEAR(t09.vdw(0.6469, below.vg), 0, 1e-6);
    EXPECT_LT(below.vl, t09_limits.vlmax);
    EXPECT_GT(below.vg, t09_limits.vgmin);
}

TEST(CoexistenceResidual, IsTheGibbsEnergyDifferenceOverT)
{
    const CoexistenceResidual x = fun(t09, t09_limits, 0.55);
    for (double c : {0.0, 1.5, 40.0}) {
        const Properties props = properties(t09.t, x.vl, x.vg, c);
        EXPECT_NEAR(x.residual, (props.gl - props.gg) / t09.t, 1e-12) << c;
    }
}

TEST(CoexistenceResidual, GasSearchWithoutRootEndsAt300AndStaysFinite)
{
    const Isotherm t06{0.6};
    const StabilityLimits limits{0.53594527, 0, 2.95056537, 0};
    for (double p : {0.0, -0.5, 8 * 0.6 / 899 - 3.0 / 90000 - 1e-6}) {
        const CoexistenceResidual x = fun(t06, limits, p);
        EXPECT_LT(300 - x.vg, err) << p;
        EXPECT_TRUE(std::isfinite(x.residual)) << p;
    }
}

// Each search reads only the isotherm and limits it is given: calls on two
// isotherms taken in turns give what each gives alone, and a finer
// tolerance finds the same volumes closer.
TEST(CoexistenceResidual, DependsOnlyOnTheIsothermAndLimitsItIsGiven)
{
    const Isotherm t075{0.75};
    const StabilityLimits t075_limits{0.60506916, 0, 2.13715804, 0};
    const CoexistenceResidual alone09 = fun(t09, t09_limits, 0.6);
    const CoexistenceResidual alone075 = fun(t075, t075_limits, 0.3);
    for (int turn = 0; turn < 2; ++turn) {
        const CoexistenceResidual a = fun(t075, t075_limits, 0.3);
        const CoexistenceResidual b = fun(t09, t09_limits, 0.6);
        EXPECT_EQ(a.vl, alone075.vl);
        EXPECT_EQ(a.vg, alone075.vg);
        EXPECT_EQ(b.residual, alone09.residual);
    }
    EXPECT_NE(alone09.residual, alone075.residual);
    const CoexistenceResidual fine = fun(Isotherm{0.9, 1e-13}, t09_limits, 0.6);
    EXPECT_NE(fine.vl, alone09.vl);
    EXPECT_NEAR(fine.vl, alone09.vl, err);
    EXPECT_NEAR(t09.vdw(0.6, fine.vl), 0, 1e-9);
}


// Heating at a row's vapour pressure: below its t the liquid's volume, above
// it the gas's, up past the critical point, each on its isotherm and each
// growing with t; at the row's t both are the tie line's ends.
TEST(Isobar, EachPhaseVolumeLiesOnItsIsothermAndMeetsTheTieLineAtTheBoilingPoint)
{
    const Coexistence boiling = state_at(0.8);
    const double p = boiling.p;
    double last_liquid = 0, last_gas = 0;
    for (const double at_t : {0.70, 0.75, 0.80, 0.85, 0.95, 1.0, 1.1, 1.2}) {
        SCOPED_TRACE(at_t);
        const bool liquid = at_t <= 0.8;
        const StabilityLimits limits = at_t < 1 ? state_at(at_t).limits : StabilityLimits{};
        const double v = phase_volume(at_t, p, liquid, limits.vlmax, limits.vgmin);
        EXPECT_NEAR(isotherm_pressure(at_t, v), p, 1e-9);
        double& last = liquid ? last_liquid : last_gas;
        EXPECT_GT(v, last);
        last = v;
        if (at_t < 1) {
            EXPECT_TRUE(liquid ? v <= limits.vlmax : v >= limits.vgmin);
        }
    }
    const LineEnds ends = line_ends(0.8, p, boiling.limits.vlmax, boiling.limits.vgmin);
    EXPECT_EQ(phase_volume(0.8, p, true, boiling.limits.vlmax, boiling.limits.vgmin), ends.vl);
    EXPECT_EQ(phase_volume(0.8, p, false, boiling.limits.vlmax, boiling.limits.vgmin), ends.vg);
    EXPECT_NEAR(ends.vl, boiling.vl, 1e-9);
}

}  // namespace

// The equal-area rule, from the model's own integral of p dv: at the vapour
// pressure of every row the two areas agree, and a pressure off it tips them.
TEST(MaxwellConstruction, AreasAreEqualAtEveryVapourPressureOnly)
{
    const Output out = run(1.5);
    ASSERT_EQ(out.states.size(), 499u);
    for (const Coexistence& s : out.states) {
        SCOPED_TRACE(s.t);
        const StabilityLimits& l = s.limits;
        const MaxwellAreas a = maxwell_areas(s.t, s.p, s.vl, s.vg, l.vlmax, l.vgmin);
        EXPECT_GT(a.v_middle, l.vlmax);
        EXPECT_LT(a.v_middle, l.vgmin);
        EXPECT_GT(a.liquid_area, 0);
        EXPECT_NEAR(a.liquid_area, a.gas_area, 1e-6);
        const MaxwellAreas higher = maxwell_areas(s.t, s.p + 1e-3, s.vl, s.vg, l.vlmax, l.vgmin);
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
    const Output out = run(1.5);
    for (const size_t row : {0u, 149u, 349u, 498u}) {
        const Coexistence& row_state = out.states[row];
        const double t_row = row_state.t, p_row = row_state.p, vl = row_state.vl, vg = row_state.vg;
        const StabilityLimits& s = row_state.limits;
        SCOPED_TRACE(t_row);
        const double low = std::max(s.plmin, 0.0);
        for (const double share : {0.0, 0.02, 0.3, 0.7, 1.0}) {
            const double p = share == 0.0 ? std::max(low, s.pgmax * 1e-3) : low + (s.pgmax - low) * share;
            SCOPED_TRACE(p);
            const TrialLine x = trial_line(t_row, p, s.vlmax, s.vgmin, 2.5);
            for (const double v : {x.vl, x.areas.v_middle, x.vg})
                EXPECT_NEAR(isotherm_pressure(t_row, v), p, 1e-9) << v;
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
        const TrialLine at_p = trial_line(t_row, p_row, s.vlmax, s.vgmin, 2.5);
        EXPECT_NEAR(at_p.vl, vl, 1e-6);
        EXPECT_NEAR(at_p.vg, vg, 1e-6 * vg);
        EXPECT_NEAR(isotherm_pressure(t_row, at_p.areas.v_middle), p_row, 1e-9);
        EXPECT_NEAR(at_p.gl - at_p.gg, 0, 1e-6);
        EXPECT_NEAR(at_p.areas.liquid_area, at_p.areas.gas_area, 1e-6);
        // The construction shown from the row's own volumes crosses there too.
        const MaxwellAreas a = maxwell_areas(t_row, p_row, vl, vg, s.vlmax, s.vgmin);
        EXPECT_NEAR(isotherm_pressure(t_row, a.v_middle), p_row, 1e-6);
    }
}

namespace {

// g on a branch drawn as straight segments between its points, at pressure
// q; NaN where the branch does not reach q.
double drawn_g(const std::vector<GibbsPoint>& branch, double q)
{
    for (size_t k = 1; k < branch.size(); ++k)
        if (branch[k - 1].p <= q && q <= branch[k].p)
            return branch[k - 1].g + (branch[k].g - branch[k - 1].g) * (q - branch[k - 1].p) /
                                         (branch[k].p - branch[k - 1].p);
    return std::nan("");
}

}  // namespace

// The swallowtail as a chart draws it, at t from the lowest the model solves
// to 0.999, over the pressures from below the liquid limit's to above the gas
// limit's: every branch has at least 30 points in view, each on its
// isotherm and in its stretch of volume, and the lowest g drawn is the
// liquid's above the vapour pressure and the gas's below it. Sampled in
// volume, the liquid's points all fell outside the chart but its end.
TEST(GibbsBranches, EveryBranchIsDrawnAndTheStableOnesAreTheLowest)
{
    for (const double at_t : {lowest_state_t, 0.5, 0.7, 0.85, 0.95, 0.99, 0.999}) {
        SCOPED_TRACE(at_t);
        const Coexistence s = state_at(at_t);
        const StabilityLimits& l = s.limits;
        const double margin = (l.pgmax - l.plmin) * 0.04, p_low = l.plmin - margin, p_high = l.pgmax + margin;
        const GibbsBranches b = gibbs_branches(at_t, s.p, s.vl, s.vg, l.vlmax, l.plmin, l.vgmin, l.pgmax, p_low,
                                               p_high, 60, 1.5);
        const std::vector<GibbsPoint>* all[] = {&b.liquid, &b.metastable_liquid, &b.unstable, &b.metastable_gas,
                                                &b.gas};
        const std::pair<double, double> volumes[] = {
            {1.0 / 3, s.vl}, {s.vl, l.vlmax}, {l.vlmax, l.vgmin}, {l.vgmin, s.vg}, {s.vg, 1e300}};
        for (size_t i = 0; i < 5; ++i) {
            const std::vector<GibbsPoint>& branch = *all[i];
            SCOPED_TRACE(i);
            EXPECT_GE(branch.size(), 30u);
            for (size_t k = 0; k < branch.size(); ++k) {
                const GibbsPoint& q = branch[k];
                EXPECT_GE(q.p, p_low);
                EXPECT_LE(q.p, p_high);
                EXPECT_NEAR(isotherm_pressure(at_t, q.v), q.p, 1e-9 * (1 + std::fabs(q.p)));
                EXPECT_GE(q.v, volumes[i].first * (1 - 1e-9));
                EXPECT_LE(q.v, volumes[i].second * (1 + 1e-9));
                EXPECT_EQ(q.g, gibbs_energy(at_t, q.v, 1.5));
                if (k > 0) {
                    EXPECT_GT(q.p, branch[k - 1].p);
                }
            }
        }
        const double gas_bottom = std::max(p_low, s.p * 1e-3);
        for (int k = 1; k <= 5; ++k) {
            const double above = s.p + (p_high - s.p) * k / 6, below = s.p - (s.p - gas_bottom) * k / 6;
            SCOPED_TRACE(k);
            for (size_t i = 1; i < 5; ++i) {
                const double other_above = drawn_g(*all[i], above), other_below = drawn_g(*all[4 - i], below);
                EXPECT_FALSE(other_above <= drawn_g(b.liquid, above)) << "above p, branch " << i;
                EXPECT_FALSE(other_below <= drawn_g(b.gas, below)) << "below p, branch " << 4 - i;
            }
            EXPECT_FALSE(std::isnan(drawn_g(b.liquid, above)));
            EXPECT_FALSE(std::isnan(drawn_g(b.gas, below)));
        }
    }
}

namespace {

// f's slope at v, by central differences small against v - 1/3,
// extrapolated to a step of zero (Richardson).
double f_slope(double at_t, double v, double c)
{
    const auto slope = [&](double h) {
        return (helmholtz_energy(at_t, v + h, c) - helmholtz_energy(at_t, v - h, c)) / (2 * h);
    };
    const double h = (v - 1.0 / 3) * 1e-3;
    return (slope(h / 2) * 4 - slope(h)) / 3;
}

}  // namespace

// The construction on f against v: at every row's vapour pressure the line of
// slope -p touches f at the row's own vl and vg, and lies under f between and
// beyond them (the convex envelope); a trial pressure's line touches at the
// stable phase's end only and misses the other by the areas' difference.
TEST(FreeEnergy, CommonTangentTouchesAtTheRowsVolumesAndATrialTangentAtOneEnd)
{
    const Output out = run(1.5);
    for (const size_t row : {0u, 149u, 349u, 498u}) {
        const Coexistence& s = out.states[row];
        const StabilityLimits& l = s.limits;
        SCOPED_TRACE(s.t);
        for (const double c : {1.5, 2.5}) {
            const FreeEnergyTangent x = helmholtz_tangent(s.t, s.p, s.vl, s.vg, c);
            EXPECT_NEAR(x.line_l, x.fl, 1e-7 * (1 + std::fabs(x.fl)));
            EXPECT_NEAR(x.line_g, x.fg, 1e-7 * (1 + std::fabs(x.fg)));
            // f's slope is -p at both: to 1e-5 at the liquid's, where the
            // isotherm is steep and the row's vl found to err.
            EXPECT_NEAR(f_slope(s.t, s.vl, c), -s.p, 1e-5);
            EXPECT_NEAR(f_slope(s.t, s.vg, c), -s.p, 1e-8);
            EXPECT_NEAR(f_slope(s.t, s.vl, c), -isotherm_pressure(s.t, s.vl), 1e-8);
            EXPECT_NEAR((x.line_g - x.line_l) / (s.vg - s.vl), -s.p, 1e-12);
            for (const double share : {0.1, 0.3, 0.5, 0.7, 0.9, 1.5}) {
                const double v = s.vl + (s.vg - s.vl) * share;
                EXPECT_LT(x.f_touch - s.p * (v - x.v_touch), helmholtz_energy(s.t, v, c) + 1e-9) << v;
            }
            const double denser = (s.vl + 1.0 / 3) / 2;
            EXPECT_LT(x.f_touch - s.p * (denser - x.v_touch), helmholtz_energy(s.t, denser, c));
        }
        for (const double dp : {-0.3, 0.3}) {
            const double low = std::max(l.plmin, 0.0), q = s.p + (dp < 0 ? s.p - low : l.pgmax - s.p) * dp;
            SCOPED_TRACE(q);
            const TrialLine line = trial_line(s.t, q, l.vlmax, l.vgmin, 1.5);
            const FreeEnergyTangent x = helmholtz_tangent(s.t, q, line.vl, line.vg, 1.5);
            // Above the vapour pressure the liquid is stable, below it the gas.
            EXPECT_EQ(x.v_touch, dp > 0 ? line.vl : line.vg);
            EXPECT_NEAR(f_slope(s.t, x.v_touch, 1.5), -q, 1e-6);
            const double gap = dp > 0 ? x.fg - x.line_g : x.fl - x.line_l;
            EXPECT_GT(gap, 0);
            EXPECT_NEAR(gap, std::fabs(line.areas.gas_area - line.areas.liquid_area), 1e-9 * (1 + gap));
        }
    }
}

