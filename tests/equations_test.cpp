// A real fluid by each cubic equation: its SI states, the equations against
// its measured constants, and the guide's table of them.
#include "equations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "guide_table.h"
#include "nature.h"
#include "substances.h"
#include "sweep.h"

namespace {

const Eos every_eos[] = {Eos::vdw, Eos::rk, Eos::srk, Eos::pr};

}  // namespace

TEST(Equations, AStateAtAPressureIsTheStateAtTheTemperatureWhereItBoils)
{
    for (Eos eos : every_eos)
        for (const char* name : {"argon", "water"}) {
            SCOPED_TRACE(std::string(eos_key(eos)) + " " + name);
            const Substance& fluid = *find_substance(name);
            const EquationState at_t = equation_state_at(fluid, eos, fluid.tc * 0.75);
            const EquationState at_p = equation_state_at_pressure(fluid, eos, at_t.si.pressure);
            EXPECT_NEAR(at_p.si.temperature, fluid.tc * 0.75, 1e-9);
            EXPECT_NEAR(at_p.si.rho_liquid, at_t.si.rho_liquid, 1e-9 * at_t.si.rho_liquid);
            // SI: p V / (R T) is the reduced pr w / tr, and rho = M / V.
            EXPECT_NEAR(at_t.si.pressure * at_t.si.v_gas / (gas_constant * at_t.si.temperature),
                        at_t.reduced.pr * at_t.reduced.wg / at_t.reduced.tr, 1e-12);
            EXPECT_DOUBLE_EQ(at_t.si.rho_gas * at_t.si.v_gas, fluid.molar_mass / 1000);
            EXPECT_NEAR(at_t.critical_volume * fluid.pc / (gas_constant * fluid.tc), cubic_for(fluid, eos).zc(), 1e-15);
            EXPECT_LT(lowest_equation_pressure(fluid, eos), at_t.si.pressure);
        }
}

TEST(Equations, EachEquationAgainstAFluidBoilsAtTheMeasuredPointsPressure)
{
    for (Eos eos : every_eos)
        for (const Substance& fluid : substances()) {
            SCOPED_TRACE(std::string(eos_key(eos)) + " " + fluid.key);
            const AgainstNature row = against_nature(fluid, eos);
            ASSERT_TRUE(std::isfinite(row.boiling_t.model));
            const Saturation s = saturation(cubic_for(fluid, eos), row.boiling_t.model);
            EXPECT_NEAR(s.pr * fluid.pc, fluid.ref_p, 1e-9 * fluid.ref_p);
            EXPECT_EQ(row.zc.measured, measured_zc(fluid));
            EXPECT_NEAR(row.trouton.model * gas_constant * row.boiling_t.model * fluid.tc, row.latent.model,
                        1e-9 * row.latent.model);
            // Soave's and Peng and Robinson's curves give back the fluid's omega.
            if (needs_omega(eos)) {
                EXPECT_NEAR(row.omega.model, fluid.omega, 0.005);
            }
        }
    // The van der Waals member against a fluid is the reports' model against it.
    const Substance& argon = *find_substance("argon");
    const AgainstNature by_cubic = against_nature(argon, Eos::vdw), by_sweep = against_nature(argon);
    EXPECT_NEAR(by_cubic.boiling_t.model, by_sweep.boiling_t.model, 1e-10);
    EXPECT_NEAR(by_cubic.latent.model, by_sweep.latent.model, 1e-6);
    EXPECT_NEAR(by_cubic.omega.model, by_sweep.omega.model, 1e-9);
}

TEST(Equations, TheGuidesTableOfTheEquationsIsTheProgramsOwn)
{
    std::map<std::string, std::vector<std::string>> table;
    for (const std::vector<std::string>& cells : guide_rows(VDWCOEX_GUIDE)) {
        Eos eos{};
        if (cells.size() == 13 && eos_from_key(cells[1], eos))
            table[cells[1]] = cells;
    }
    ASSERT_EQ(table.size(), 4u);
    const auto fixed = [](double x, int digits, bool sign = false) {
        char text[32];
        std::snprintf(text, sizeof text, sign ? "%+.*f" : "%.*f", digits, x);
        return std::string(text);
    };
    const Substance &argon = *find_substance("argon"), &water = *find_substance("water");
    // The measured values the guide names.
    const MeasuredSaturation argon_measured = *measured_saturation(argon, 120);
    const MeasuredSaturation water_measured = *measured_saturation(water, water.ref_t);
    const double argon_liquid = argon_measured.rho_liquid * argon.molar_mass / 1000;
    const double water_liquid = water_measured.rho_liquid * water.molar_mass / 1000;
    EXPECT_EQ(fixed(argon_measured.p / 1e6, 4), "1.2130");
    EXPECT_EQ(fixed(argon_liquid, 1), "1162.8");
    EXPECT_EQ(fixed(water_liquid, 1), "958.4");
    const auto error = [&](double model, double measured) { return fixed((model / measured - 1) * 100, 1, true); };
    for (Eos eos : every_eos) {
        const std::vector<std::string>& row = table[eos_key(eos)];
        SCOPED_TRACE(eos_key(eos));
        const Cubic cubic = cubic_for(argon, eos);
        const EquationState a = equation_state_at(argon, eos, 120), w = equation_state_at(water, eos, water.ref_t);
        EXPECT_EQ(row[3], fixed(cubic.zc(), 3));
        EXPECT_EQ(row[4], fixed(own_acentric_factor(cubic), 3));
        EXPECT_EQ(row[5], fixed(a.si.pressure / 1e6, 4));
        EXPECT_EQ(row[6], error(a.si.pressure, 1.2130e6));
        EXPECT_EQ(row[7], fixed(a.si.rho_liquid, 1));
        EXPECT_EQ(row[8], error(a.si.rho_liquid, 1162.8));
        EXPECT_EQ(row[9], fixed(w.si.pressure / 1e3, 1));
        EXPECT_EQ(row[10], error(w.si.pressure, water.ref_p));
        EXPECT_EQ(row[11], fixed(w.si.rho_liquid, 1));
        EXPECT_EQ(row[12], error(w.si.rho_liquid, 958.4));
    }
}

TEST(Equations, EachEquationsRowsFollowTheSweepAndVanDerWaalsGivesTheSweepsOwn)
{
    const SweepSearch sweep = find_all();
    const std::vector<EquationRow> vdw = equation_rows(Cubic(Eos::vdw), 1.5);
    ASSERT_EQ(vdw.size(), sweep.passes.size());
    for (std::size_t i = 0; i < vdw.size(); ++i) {
        const Coexistence& found = sweep.passes[i];
        const EquationRow& row = vdw[i];
        ASSERT_EQ(row.state.tr, found.t);
        // w = Zc v for van der Waals, Zc = 3/8; the sweep halves to 1e-8.
        EXPECT_NEAR(row.state.pr, found.p, 1e-7) << found.t;
        EXPECT_NEAR(row.state.wl, 0.375 * found.vl, 1e-5 * found.vl) << found.t;
        EXPECT_NEAR(row.state.wg, 0.375 * found.vg, 1e-5 * found.vg) << found.t;
    }
    for (Eos eos : every_eos) {
        const std::vector<EquationRow> rows = equation_rows(Cubic(eos, 0.1), 2.5);
        ASSERT_EQ(rows.size(), sweep.passes.size()) << eos_key(eos);
        for (std::size_t i = 1; i < rows.size(); ++i) {
            EXPECT_LT(rows[i].state.pr, rows[i - 1].state.pr) << eos_key(eos);
            EXPECT_GT(rows[i].properties.latent(), rows[i - 1].properties.latent()) << eos_key(eos);
        }
    }
}
