// Any equation's isotherm in the page's variables (v = V/Vc with its own
// Vc), and each equation's curves and errors against a fluid's measured ones.
#include "isotherms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "equations.h"
#include "maxwell.h"
#include "state.h"
#include "substances.h"
#include "vdw.h"

namespace {

const Eos every_eos[] = {Eos::vdw, Eos::rk, Eos::srk, Eos::pr};

// Van der Waals's own Vc is the page's volume unit already: the equation's
// pictures in it are the model's, point by point.
TEST(Isotherms, VanDerWaalsIsTheModelsOwn)
{
    const Cubic vdw(Eos::vdw);
    for (double t : {0.6, 0.85, 0.97}) {
        SCOPED_TRACE(t);
        const ScaledSaturation x = scaled_saturation(vdw, t, 1.5);
        const StateWithProperties m = state_with_properties(t, 1.5);
        EXPECT_NEAR(x.state.p, m.state.p, 1e-9 * m.state.p);
        EXPECT_NEAR(x.state.vl, m.state.vl, 1e-9);
        EXPECT_NEAR(x.state.vg, m.state.vg, 1e-9 * m.state.vg);
        EXPECT_NEAR(x.areas.liquid_area, m.areas.liquid_area, 1e-7);
        EXPECT_NEAR(x.latent, m.latent, 1e-8);
        // The family's entropy and g have their own zero: their differences agree.
        EXPECT_NEAR(x.properties.sg - x.properties.sl, m.properties.sg - m.properties.sl, 1e-8);
        EXPECT_NEAR(scaled_pressure(vdw, t, 2.5), isotherm_pressure(t, 2.5), 1e-12);
        EXPECT_NEAR(scaled_gibbs(vdw, t, 2.5, 1.5) - scaled_gibbs(vdw, t, 0.6, 1.5),
                    gibbs_energy(t, 2.5, 1.5) - gibbs_energy(t, 0.6, 1.5), 1e-10);
        const double q = (x.state.p + x.state.pgmax) / 2;
        const TrialLine a = scaled_trial_line(vdw, x.state, q, 1.5);
        const TrialLine b = trial_line(t, q, m.state.limits.vlmax, m.state.limits.vgmin, 1.5);
        EXPECT_NEAR(a.vl, b.vl, 1e-9);
        EXPECT_NEAR(a.areas.gas_area, b.areas.gas_area, 1e-8);
        EXPECT_NEAR(a.gl - a.gg, b.gl - b.gg, 1e-9);
    }
}

// Every equation's critical point at v = p = 1, its construction with equal
// areas at the vapour pressure, gl - gg = Zc (gas - liquid area) off it, and
// the swallowtail's branches meeting at the vapour pressure.
TEST(Isotherms, EveryEquationInItsOwnCriticalVolume)
{
    for (Eos eos : every_eos) {
        SCOPED_TRACE(eos_key(eos));
        const Cubic cubic(eos, 0.2);
        EXPECT_NEAR(scaled_pressure(cubic, 1, 1), 1, 1e-9);
        EXPECT_GT(scaled_pressure(cubic, 0.8, scaled_covolume(cubic) * (1 + 1e-9)), 1e6);
        const ScaledSaturation x = scaled_saturation(cubic, 0.8, 2.5);
        const ScaledState& s = x.state;
        EXPECT_LT(s.vlmax, 1);
        EXPECT_GT(s.vgmin, 1);
        EXPECT_NEAR(scaled_pressure(cubic, 0.8, s.vl), s.p, 1e-9);
        EXPECT_NEAR(x.areas.liquid_area, x.areas.gas_area, 1e-8 * x.areas.gas_area);
        const double q = (s.p + s.pgmax) / 2;
        const TrialLine line = scaled_trial_line(cubic, s, q, 2.5);
        EXPECT_NEAR(line.gl - line.gg, cubic.zc() * (line.areas.gas_area - line.areas.liquid_area), 1e-9);
        EXPECT_NEAR(scaled_pressure(cubic, 0.8, line.areas.v_middle), q, 1e-9);
        const GibbsBranches b = scaled_gibbs_branches(cubic, s, s.plmin, s.pgmax, 20, 2.5);
        ASSERT_EQ(b.liquid.size(), 21u);
        ASSERT_EQ(b.unstable.size(), 21u);
        EXPECT_EQ(b.liquid.front().p, s.p);
        EXPECT_NEAR(b.liquid.front().g, b.gas.back().g, 1e-8);
        for (const GibbsPoint& g : b.unstable)
            EXPECT_NEAR(scaled_pressure(cubic, 0.8, g.v), g.p, 1e-8);
        // f in the equation's own Pc Vc: its common tangent, of slope -p,
        // touches at both volumes; a trial tangent at the stable end misses
        // the other by the areas' difference (in the same unit).
        const FreeEnergyTangent common = scaled_helmholtz_tangent(cubic, 0.8, s.p, s.vl, s.vg, 2.5);
        EXPECT_NEAR(common.line_g, common.fg, 1e-7 * (1 + std::fabs(common.fg)));
        const double h = 1e-6 * s.vg;
        EXPECT_NEAR((scaled_helmholtz(cubic, 0.8, s.vg + h, 2.5) - scaled_helmholtz(cubic, 0.8, s.vg - h, 2.5)) / (2 * h),
                    -s.p, 1e-6);
        const FreeEnergyTangent above = scaled_helmholtz_tangent(cubic, 0.8, q, line.vl, line.vg, 2.5);
        EXPECT_EQ(above.v_touch, line.vl);
        EXPECT_NEAR(above.fg - above.line_g, std::fabs(line.areas.gas_area - line.areas.liquid_area), 1e-8);
        const FreeEnergyBranches f = scaled_helmholtz_branches(cubic, s, s.vl / 2 + scaled_covolume(cubic) / 2,
                                                               2 * s.vg, 20, 2.5);
        EXPECT_EQ(f.unstable.front().v, s.vlmax);
        EXPECT_EQ(f.gas.back().v, 2 * s.vg);
    }
}

// Heating at the vapour pressure: every point on the isobar, the liquid's
// volumes and entropies rising up to the boiling point, where t (sg - sl) is
// the latent heat; van der Waals's as the model's own isobar, and the
// mixture's share by the lever rule.
TEST(Isotherms, HeatingAndTheMixture)
{
    for (Eos eos : every_eos) {
        SCOPED_TRACE(eos_key(eos));
        const Cubic cubic(eos, 0.1);
        const ScaledState s = scaled_saturation(cubic, 0.8, 1.5).state;
        const Isobar x = scaled_isobar(cubic, s, 0.7, 0.9, 10, 1.5);
        ASSERT_EQ(x.liquid.size(), 11u);
        for (const IsobarPoint& q : x.liquid)
            EXPECT_NEAR(scaled_pressure(cubic, q.t, q.v), s.p, 1e-9);
        for (const IsobarPoint& q : x.gas)
            EXPECT_NEAR(scaled_pressure(cubic, q.t, q.v), s.p, 1e-9);
        for (size_t k = 1; k < x.liquid.size(); ++k)
            EXPECT_GT(x.liquid[k].s, x.liquid[k - 1].s);
        EXPECT_NEAR(x.liquid.back().v, s.vl, 1e-9);
        EXPECT_NEAR(x.boiling_heat, x.latent, 1e-8);
        const Mixture half = scaled_two_phase(cubic, s, (s.vl + s.vg) / 2, 1.5);
        EXPECT_DOUBLE_EQ(half.gas, 0.5);
        EXPECT_NEAR(half.h, (x.liquid.back().h + x.gas.front().h) / 2, 1e-10);
        if (eos == Eos::vdw) {
            const Isobar m = isobar(s.t, s.p, s.vl, s.vg, 0.7, 0.9, 10, 1.5);
            EXPECT_NEAR(x.gas.back().v, m.gas.back().v, 1e-8);
            EXPECT_NEAR(x.gas.back().s - x.liquid.front().s, m.gas.back().s - m.liquid.front().s, 1e-8);
        }
    }
}

// A reduced volume in the equation's own Vc is the SI volume the console's
// state gives, and only volumes and areas change unit with the equation.
TEST(Isotherms, SiUnitsOfTheEquationsOwnVc)
{
    const Substance& argon = *find_substance("argon");
    for (Eos eos : every_eos) {
        SCOPED_TRACE(eos_key(eos));
        const Cubic cubic = cubic_for(argon, eos);
        const EquationState si = equation_state_at(argon, eos, 120);
        const ScaledSaturation x = scaled_saturation(cubic, 120 / argon.tc, argon.c);
        EXPECT_NEAR(x.state.vl * scaled_si_unit(argon, cubic, Quantity::volume), si.si.v_liquid, 1e-12 * si.si.v_liquid);
        EXPECT_EQ(scaled_si_unit(argon, cubic, Quantity::energy), si_unit(argon, Quantity::energy));
    }
    EXPECT_EQ(scaled_si_unit(argon, Cubic(Eos::vdw), Quantity::volume), si_unit(argon, Quantity::volume));
    EXPECT_NEAR(scaled_covolume(Cubic(Eos::vdw)), 1.0 / 3, 1e-12);
}

// The equations' errors against argon's measured curves: van der Waals's
// liquid far too light and its pressure too high, Peng and Robinson's
// pressure within a few percent; each error is the state's over the
// measured one. Carbon dioxide is solid at T/Tc = 0.6 and 0.7.
TEST(EquationErrors, AgainstMeasuredCurves)
{
    const Substance& argon = *find_substance("argon");
    const std::vector<EquationError> errors = equation_errors(argon);
    ASSERT_EQ(errors.size(), 16u);
    for (const EquationError& e : errors) {
        SCOPED_TRACE(std::string(eos_key(e.eos)) + " " + std::to_string(e.t));
        const MeasuredSaturation m = *measured_saturation(argon, e.temperature);
        const EquationState x = equation_state_at(argon, e.eos, e.temperature);
        EXPECT_DOUBLE_EQ(e.p, x.si.pressure / m.p - 1);
        EXPECT_NEAR(e.latent, x.si.latent / m.latent - 1, 1e-12);
        if (e.eos == Eos::vdw) {
            EXPECT_LT(e.liquid, -0.2);
            EXPECT_GT(e.p, 0.15);
        }
        if (e.eos == Eos::pr && e.t <= 0.8) {
            EXPECT_LT(std::abs(e.p), 0.03);
        }
    }
    const std::vector<EquationError> co2 = equation_errors(*find_substance("carbon-dioxide"));
    ASSERT_EQ(co2.size(), 8u);
    EXPECT_EQ(co2.front().t, 0.8);
}

// Each equation's curve from near Tc down to the triple point, on its states.
TEST(EquationErrors, CurvesDownToTheTriplePoint)
{
    const Substance& argon = *find_substance("argon");
    for (Eos eos : every_eos) {
        const std::vector<ShownSaturation> curve = equation_curve(argon, eos);
        ASSERT_GT(curve.size(), 40u);
        EXPECT_NEAR(curve.front().temperature, 0.999 * argon.tc, 1e-9);
        EXPECT_GE(curve.back().temperature, argon.t_triple);
        EXPECT_LT(curve.back().temperature, argon.t_triple + 0.01 * argon.tc);
        for (size_t i = 1; i < curve.size(); ++i)
            EXPECT_LT(curve[i].p, curve[i - 1].p);
        const EquationState x = equation_state_at(argon, eos, curve[5].temperature);
        EXPECT_NEAR(curve[5].p, x.si.pressure, 1e-9 * x.si.pressure);
        EXPECT_NEAR(curve[5].liquid, x.si.rho_liquid, 1e-9 * x.si.rho_liquid);
    }
}

// The piston on any equation's isotherm: van der Waals's as the model's
// own; for the others, the whole tie line gives off the latent heat for a
// work Zc p (vg - vl), and on one branch the work is -∫p dv (Simpson).
TEST(Isotherms, CompressionOnEveryEquation)
{
    const ScaledState v = scaled_saturation(Cubic(Eos::vdw), 0.8, 1.5).state;
    for (Kept kept : {Kept::none, Kept::gas, Kept::liquid}) {
        const Compression a = scaled_compression(Cubic(Eos::vdw), v, 1.3 * v.vg, 0.9 * v.vl, kept);
        const Compression b = compression(v.t, v.p, v.vl, v.vg, 1.3 * v.vg, 0.9 * v.vl, kept);
        EXPECT_NEAR(a.work, b.work, 1e-9);
        EXPECT_NEAR(a.heat, b.heat, 1e-9);
    }
    for (Eos eos : every_eos) {
        SCOPED_TRACE(eos_key(eos));
        const Cubic cubic(eos, 0.2);
        const ScaledSaturation x = scaled_saturation(cubic, 0.7, 2.5);
        const ScaledState& s = x.state;
        const Compression tie = scaled_compression(cubic, s, s.vg, s.vl, Kept::none);
        EXPECT_NEAR(tie.heat, x.latent, 1e-9 * x.latent);
        EXPECT_NEAR(tie.work, cubic.zc() * s.p * (s.vg - s.vl), 1e-12);
        const double from = 3 * s.vg, to = 1.5 * s.vg;
        double integral = 0;
        const int n = 2000;
        for (int k = 0; k <= n; ++k) {
            const double w = k == 0 || k == n ? 1 : k % 2 ? 4 : 2;
            integral += w * scaled_pressure(cubic, 0.7, from + (to - from) * k / n);
        }
        integral *= (to - from) / n / 3;
        const Compression gas = scaled_compression(cubic, s, from, to, Kept::gas);
        EXPECT_NEAR(gas.work, -cubic.zc() * integral, 1e-9);
    }
}

}  // namespace
