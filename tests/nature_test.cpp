// The model against the laws real fluids follow: its own critical
// compressibility, acentric factor and critical exponent, Guggenheim's law,
// and Clapeyron's equation on every row; and the fluids' measured curves,
// checked before they are drawn beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <cmath>
#include <fstream>
#include <sstream>
#include <optional>
#include <string>
#include <vector>

#include "guide_table.h"
#include "nature.h"
#include "sweep.h"

namespace {

TEST(Nature, TheModelsZcIsThreeEighthsAndItsAcentricFactorFromTheRowAtSevenTenthsIsMinusPoint302)
{
    EXPECT_EQ(critical_compressibility(), 3.0 / 8);
    const Output out = run(1.5);
    const Coexistence& at_0_7 = out.states[299];
    ASSERT_NEAR(at_0_7.t, 0.7, 1e-12);
    EXPECT_NEAR(acentric_factor(at_0_7.p), -0.302, 5e-4);
    // Argon's vapour pressure at Tr = 0.7 is about a tenth of pc: its factor is about 0.
    EXPECT_NEAR(acentric_factor(0.1), 0, 1e-12);
}

TEST(Nature, NearTheCriticalPointTheModelsDensitiesCloseAsASquareRootAndGuggenheimsAsACubeRoot)
{
    const Output out = run(1.5);
    std::vector<double> t, model, guggenheim;
    for (size_t row = 0; row < 10; ++row) {
        const Coexistence& s = out.states[row];
        t.push_back(s.t);
        model.push_back(1 / s.vl - 1 / s.vg);
        guggenheim.push_back(guggenheim_density(s.t, true) - guggenheim_density(s.t, false));
    }
    EXPECT_NEAR(critical_exponent(t, model), 0.5, 0.01);
    EXPECT_NEAR(critical_exponent(t, guggenheim), 1.0 / 3, 1e-9);
    // Guggenheim's curve meets at the critical point, with a straight diameter.
    EXPECT_EQ(guggenheim_density(1, true), 1);
    EXPECT_EQ(guggenheim_density(1, false), 1);
    EXPECT_NEAR((guggenheim_density(0.6, true) + guggenheim_density(0.6, false)) / 2, 1.3, 1e-12);
    // At Tr = 0.6 it gives the liquid of argon nearly (2.5 times rho_c), the model a denser one.
    EXPECT_NEAR(guggenheim_density(0.6, true), 2.58, 0.01);
}

TEST(Nature, ClapeyronsSlopeFromTheLatentHeatIsTheVapourPressuresAtEveryRow)
{
    const Output out = run(2.5);
    std::vector<double> latent;
    for (const Coexistence& s : out.states)
        latent.push_back(properties(s.t, s.vl, s.vg, 2.5).latent());
    const std::vector<ClapeyronSlopes> slopes = clapeyron_slopes(out.states, latent);
    ASSERT_EQ(slopes.size(), out.states.size() - 2);
    double largest = 0;
    for (const ClapeyronSlopes& s : slopes)
        largest = std::fmax(largest, std::fabs(s.from_latent / s.from_p - 1));
    // The printed p has six decimals: over 0.002 of t its slope is known to
    // about 5e-4 of 4, a relative 1e-4.
    EXPECT_LT(largest, 1e-4);
    // A latent heat a tenth too large would show.
    latent[200] *= 1.1;
    EXPECT_GT(std::fabs(clapeyron_slopes(out.states, latent)[199].from_latent / slopes[199].from_p - 1), 0.09);
}


// What a fluid's measured curves must pass before they are drawn; each
// failure said in words, none where they pass. The checks are independent of
// the curves: the critical point, the measured point and acentric factor come
// from data/substances.tsv, with their own sources.
std::vector<std::string> failed_checks(const Substance& fluid)
{
    std::vector<std::string> failed;
    const auto check = [&](bool passed, const std::string& what) {
        if (!passed)
            failed.push_back(fluid.key + ": " + what);
    };
    const std::optional<MeasuredSaturation> critical = measured_saturation(fluid, fluid.tc);
    check(critical && std::fabs(critical->p / fluid.pc - 1) < 1e-12 && std::fabs(critical->rho_liquid / fluid.rhoc - 1) < 1e-12 &&
              std::fabs(critical->rho_vapour / fluid.rhoc - 1) < 1e-12,
          "not through the critical point");
    const std::optional<double> boiling = measured_boiling_t(fluid, fluid.ref_p);
    check(boiling && std::fabs(*boiling - fluid.ref_t) <= 0.05, "the measured point's T is missed by more than 0.05 K");
    const double density = measured_saturation(fluid, fluid.ref_t)->rho_liquid * fluid.molar_mass / 1000;
    check(std::fabs(density / fluid.ref_liquid_density - 1) <= 0.005, "the liquid density is off by more than 0.5 %");
    // CO2's Tr = 0.7 lies 3.7 K below its triple point: its acentric factor
    // is read there from its pressure curve carried on, as it is defined.
    Substance carried_on = fluid;
    carried_on.t_triple = std::min(fluid.t_triple, 0.7 * fluid.tc);
    const double p_at_0_7 = measured_saturation(carried_on, 0.7 * fluid.tc)->p / fluid.pc;
    check(std::fabs(acentric_factor(p_at_0_7) - fluid.omega) <= 0.005, "the acentric factor is off by more than 0.005");
    // A fourth, through the vapour's density: Clapeyron's latent heat from the
    // curves against the measured one, to within 2 %.
    check(std::fabs(measured_saturation(fluid, fluid.ref_t)->latent / fluid.ref_latent - 1) <= 0.02,
          "Clapeyron's latent heat is off by more than 2 %");
    // From the triple point up, the pressure rises and the liquid stays the
    // denser (water's liquid is densest at 4 °C: the gap need not shrink).
    double last_p = 0;
    for (int k = 0; k < 100; ++k) {
        const double temperature = fluid.t_triple + (fluid.tc - fluid.t_triple) * k / 100;
        const MeasuredSaturation s = *measured_saturation(fluid, temperature);
        check(s.p > last_p && s.rho_liquid > s.rho_vapour, "out of order at " + std::to_string(temperature) + " K");
        last_p = s.p;
    }
    return failed;
}

TEST(Nature, EveryFluidsMeasuredCurvesPassTheCriticalPointTheMeasuredPointAndTheAcentricFactor)
{
    for (const Substance& fluid : substances()) {
        ASSERT_TRUE(has_measured_curves(fluid)) << fluid.key;
        EXPECT_EQ(failed_checks(fluid), std::vector<std::string>{}) << fluid.key;
    }
    // A coefficient one per cent off is caught, in each curve.
    Substance wrong = *find_substance("argon");
    wrong.pressure.terms[1].first *= 1.01;
    EXPECT_FALSE(failed_checks(wrong).empty());
    wrong = *find_substance("argon");
    wrong.liquid.terms[0].first *= 1.01;
    EXPECT_FALSE(failed_checks(wrong).empty());
    wrong = *find_substance("argon");
    wrong.vapour.form = SaturationCurve::Form::exp;  // the form read wrongly
    EXPECT_FALSE(failed_checks(wrong).empty());
}

TEST(Nature, BelowTheTriplePointOrAboveTcThereIsNoMeasuredState)
{
    const Substance& argon = *find_substance("argon");
    EXPECT_FALSE(measured_saturation(argon, 83.8));
    EXPECT_TRUE(measured_saturation(argon, 83.81));
    EXPECT_FALSE(measured_saturation(argon, 150.7));
    EXPECT_FALSE(measured_boiling_t(argon, 100));  // below the triple point's 68.9 kPa
    EXPECT_FALSE(has_measured_curves(custom_fluid(300, 5e6, 2.5)));
    EXPECT_FALSE(measured_saturation(custom_fluid(300, 5e6, 2.5), 250));
}

TEST(Nature, ArgonAgainstTheModel)
{
    const AgainstNature argon = against_nature(*find_substance("argon"));
    EXPECT_NEAR(argon.zc.measured, 0.2895, 1e-4);
    EXPECT_EQ(argon.zc.model, 3.0 / 8);
    EXPECT_EQ(argon.omega.measured, -0.00219);
    EXPECT_NEAR(argon.omega.model, -0.302, 5e-4);
    // The model boils at 72.27 K, the real argon at 87.30 K.
    EXPECT_NEAR(argon.boiling_t.model * 150.687, 72.27, 0.005);
    EXPECT_NEAR(argon.boiling_t.measured, 87.302 / 150.687, 1e-12);
    // Trouton's ratio: about 8.9 for argon, and the model's from its own latent heat.
    EXPECT_NEAR(argon.trouton.measured, 6430 / (gas_constant * 87.302), 1e-12);
    EXPECT_NEAR(argon.trouton.model, argon.latent.model / (gas_constant * argon.boiling_t.model * 150.687), 1e-9);
    EXPECT_GT(argon.latent.model, 0);
}

// The guide's table of the substances against the model, row by row, as the
// program computes it, rounded as the table prints it.
TEST(Nature, TheGuidesTableOfTheSubstancesIsTheProgramsOwn)
{
    std::map<std::string, std::vector<std::string>> table;
    for (const std::vector<std::string>& cells : guide_rows(VDWCOEX_GUIDE)) {
        if (cells.size() == 8 && find_substance(cells[1]))
            table[cells[1]] = cells;
    }
    const auto fixed = [](double x, int digits) {
        std::ostringstream out;
        out.setf(std::ios::fixed);
        out.precision(digits);
        out << x;
        return out.str();
    };
    ASSERT_EQ(table.size(), substances().size());
    for (const Substance& fluid : substances()) {
        const std::vector<std::string>& row = table[fluid.key];
        const AgainstNature nature = against_nature(fluid);
        EXPECT_EQ(row[2], fixed(nature.zc.measured, 4)) << fluid.key;
        EXPECT_EQ(std::stod(row[3]), fluid.omega) << fluid.key;
        EXPECT_EQ(row[4], fixed(nature.boiling_t.measured, 3)) << fluid.key;
        EXPECT_EQ(row[5], fixed(nature.boiling_t.model, 3)) << fluid.key;
        EXPECT_EQ(row[6], fixed(nature.trouton.measured, 2)) << fluid.key;
        EXPECT_EQ(row[7], fixed(nature.trouton.model, 2)) << fluid.key;
    }
}

}  // namespace
