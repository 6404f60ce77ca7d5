// The substances' table, a fluid's SI units, and the reduced tables turned
// into SI tables, on small reports made by hand.
#include "substances.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>

namespace {

const std::string rule = "\r\n" + std::string(90, '=') + "\r\n";

TEST(Substances, TheTableHoldsEightWithTheirConstantsCAndSource)
{
    std::set<std::string> keys;
    for (const Substance& s : substances()) {
        keys.insert(s.key);
        EXPECT_GT(s.tc, 0) << s.key;
        EXPECT_GT(s.pc, 0) << s.key;
        EXPECT_GT(s.molar_mass, 0) << s.key;
        EXPECT_TRUE(s.c == 1.5 || s.c == 2.5 || s.c == 3) << s.key << " c = " << s.c;
        // The measured point lies below the critical point.
        EXPECT_LT(s.ref_t, s.tc) << s.key;
        EXPECT_LT(s.ref_p, s.pc) << s.key;
        EXPECT_GT(s.ref_latent, 0) << s.key;
        EXPECT_FALSE(s.source.empty()) << s.key;
        EXPECT_FALSE(s.name_es.empty()) << s.key;
    }
    EXPECT_EQ(keys, (std::set<std::string>{"argon", "neon", "nitrogen", "oxygen", "methane", "carbon-dioxide",
                                            "water", "ammonia"}));
    // Monatomic, linear and non-linear molecules.
    EXPECT_EQ(find_substance("argon")->c, 1.5);
    EXPECT_EQ(find_substance("CO2")->c, 2.5);
    EXPECT_EQ(find_substance("water")->c, 3);
}

// Each substance's molar mass from its formula and the standard atomic
// weights, and its c from the shape of its molecule: 3/2 for one atom, 5/2
// for a linear molecule (two atoms, or CO2), 3 for any other.
TEST(Substances, MolarMassAndCFollowFromTheFormula)
{
    const std::map<std::string, double> weight = {{"H", 1.008},   {"C", 12.011},  {"N", 14.007},
                                                  {"O", 15.999},  {"Ne", 20.180}, {"Ar", 39.948}};
    for (const Substance& s : substances()) {
        double mass = 0;
        int atoms = 0;
        // Each element: a capital, perhaps a small letter, perhaps a count.
        const std::string& f = s.formula;
        for (size_t at = 0; at < f.size();) {
            size_t end = at + 1;
            if (end < f.size() && std::islower(static_cast<unsigned char>(f[end])))
                ++end;
            const std::string element = f.substr(at, end - at);
            size_t digits = end;
            while (digits < f.size() && std::isdigit(static_cast<unsigned char>(f[digits])))
                ++digits;
            const int count = digits > end ? std::stoi(f.substr(end, digits - end)) : 1;
            ASSERT_EQ(weight.count(element), 1u) << s.formula;
            mass += weight.at(element) * count;
            atoms += count;
            at = digits;
        }
        EXPECT_NEAR(s.molar_mass, mass, 0.01) << s.key;
        const bool linear = atoms == 2 || s.formula == "CO2";
        EXPECT_EQ(s.c, atoms == 1 ? 1.5 : linear ? 2.5 : 3) << s.key;
    }
}

TEST(Substances, FoundByKeyFormulaOrNameInAnyCase)
{
    const Substance* argon = find_substance("argon");
    ASSERT_NE(argon, nullptr);
    for (const char* name : {"ARGON", "Ar", "ar", "argón", "Argon"})
        EXPECT_EQ(find_substance(name), argon) << name;
    EXPECT_EQ(find_substance("carbon dioxide"), find_substance("co2"));
    EXPECT_EQ(find_substance("xenon"), nullptr);
    EXPECT_EQ(find_substance(""), nullptr);
}

TEST(Substances, UnitsAreTheCriticalConstantsRAndTheVanDerWaalsVolume)
{
    const Substance fluid = custom_fluid(150.687, 4863000, 1.5);
    EXPECT_EQ(si_unit(fluid, Quantity::temperature), 150.687);
    EXPECT_EQ(si_unit(fluid, Quantity::pressure), 4863000);
    EXPECT_EQ(si_unit(fluid, Quantity::entropy), gas_constant);
    EXPECT_EQ(si_unit(fluid, Quantity::energy), gas_constant * 150.687);
    // 3RTc/8pc: 96.6 cm3/mol for argon, not its measured 75 cm3/mol.
    EXPECT_NEAR(critical_volume(fluid) * 1e6, 96.6133, 1e-4);
    EXPECT_EQ(si_unit(fluid, Quantity::volume), critical_volume(fluid));
    // An area p·v of the Maxwell construction: pc·Vc = 3/8 R·Tc.
    EXPECT_NEAR(si_unit(fluid, Quantity::work), 0.375 * si_unit(fluid, Quantity::energy), 1e-12 * gas_constant * 150.687);
}

TEST(Substances, AnSiTableIsTheReportsDigitsTimesTheirUnits)
{
    const Substance fluid = custom_fluid(100, 1e6, 1.5);
    const std::string report = "preamble" + rule + " 0.900000 eq 0.500000 0.600000 300.000000 -1.000000 2.000000"
                               " 0.250000 0.500000 0.100000 0.100000 -0.200000 0.300000\r\n"
                               " 0.900000 limliq 0.400000 0.700000 300.000000 nan 2.000000"
                               " 0.250000 0.500000 0.100000 0.100000 -0.200000 0.300000\r\n";
    const OwnedTable si = si_table(property_table(report), fluid);
    EXPECT_EQ(si.names[0], "T_K");
    EXPECT_EQ(si.names[2], "p_Pa");
    EXPECT_EQ(si.names[3], "v_liquid_m3_per_mol");
    EXPECT_EQ(si.names[5], "s_liquid_J_per_mol_K");
    EXPECT_EQ(si.names[7], "h_liquid_J_per_mol");
    EXPECT_EQ(si.units[0], "K");
    EXPECT_EQ(si.units[1], "");
    ASSERT_EQ(si.rows.size(), 2u);
    const auto& first = si.rows[0];
    EXPECT_EQ(first[0], "90");
    EXPECT_EQ(first[1], "coexistence");
    EXPECT_EQ(first[2], "500000");
    EXPECT_EQ(first[3], si_number(0.6 * critical_volume(fluid)));
    EXPECT_EQ(first[5], si_number(-1 * gas_constant));
    EXPECT_EQ(first[7], si_number(0.25 * gas_constant * 100));
    // The placeholder's cells stay empty, a nan stays as it is printed.
    const auto& limit = si.rows[1];
    EXPECT_EQ(limit[1], "liquid_limit");
    EXPECT_EQ(limit[4], "");
    EXPECT_EQ(limit[5], "nan");
}

TEST(Substances, TheSiCsvStatesTheFluidItsConstantsAndTheirSource)
{
    const Substance& argon = *find_substance("argon");
    const std::string csv = si_csv(si_table(coexistence_table("x" + rule + " 0.999000 0.996005\r\n"), argon),
                                   si_header(argon, 1.5, "9.9"));
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "# vdwcoex 9.9: argon (Ar) as a van der Waals fluid with Cv = c R, c = 1.5");
    EXPECT_NE(csv.find("Tc = 150.687 K, pc = 4863000 Pa"), std::string::npos);
    EXPECT_NE(csv.find("R = 8.314462618 J/(mol K)"), std::string::npos);
    EXPECT_NE(csv.find("# constants from NIST"), std::string::npos);
    EXPECT_NE(csv.find("\r\nT_K,p_Pa,v_liquid_m3_per_mol"), std::string::npos);
    EXPECT_NE(csv.find("\r\n150.536313,4843572.32\r\n"), std::string::npos);
}

}  // namespace
