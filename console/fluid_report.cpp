#include "fluid_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "equations.h"
#include "nature.h"
#include "query.h"
#include "state.h"

std::optional<Substance> fluid_asked(const Messages& say, const std::optional<std::string>& name,
                                     std::optional<double> tc, std::optional<double> pc, double c,
                                     const std::string& tc_typed, const std::string& pc_typed, std::string& why)
{
    if (name) {
        const Substance* found = find_substance(*name);
        if (tc || pc)
            why = say.fluid_twice();
        else if (!found)
            why = say.unknown_substance(*name);
        return why.empty() ? std::optional<Substance>(*found) : std::nullopt;
    }
    if (!tc && !pc)
        return std::nullopt;
    if (!tc || !pc) {
        why = say.tc_pc_together();
        return std::nullopt;
    }
    if (!(*tc > 0 && std::isfinite(*tc)))
        why = say.not_positive(say.given("--tc", "Tc"), tc_typed);
    else if (!(*pc > 0 && std::isfinite(*pc)))
        why = say.not_positive(say.given("--pc", "pc"), pc_typed);
    return why.empty() ? std::optional<Substance>(custom_fluid(*tc, *pc, c)) : std::nullopt;
}

std::optional<double> coexistence_t(const Messages& say, double given, bool temperature, const Substance* fluid,
                                    const std::string& typed, std::string& why)
{
    if (temperature) {
        const double at_t = fluid ? given / fluid->tc : given;
        if (at_t >= lowest_state_t && at_t < 1)
            return at_t;
        why = fluid ? say.temperature_range(typed, *fluid) : say.reduced_temperature_range(typed);
        return std::nullopt;
    }
    const double p = fluid ? given / fluid->pc : given, lowest = lowest_state_p();
    if (p >= lowest && p < 1)
        return t_at_pressure(p);
    why = fluid ? say.pressure_range(typed, *fluid, lowest) : say.reduced_pressure_range(typed, lowest);
    return std::nullopt;
}

std::optional<EquationState> equation_state_for(const Messages& say, const Substance& fluid, Eos eos, double given,
                                                bool temperature, const std::string& typed, std::string& why)
{
    if (temperature) {
        const double tr = given / fluid.tc;
        if (tr >= lowest_cubic_tr && tr < 1)
            return equation_state_at(fluid, eos, given);
        why = say.temperature_range(typed, fluid, lowest_cubic_tr);
        return std::nullopt;
    }
    const double lowest = lowest_equation_pressure(fluid, eos);
    if (given >= lowest && given < fluid.pc)
        return equation_state_at_pressure(fluid, eos, given);
    why = say.pressure_range(typed, fluid, lowest / fluid.pc);
    return std::nullopt;
}

std::string substance_list(const Messages& say)
{
    std::string out = pick(say.language,
        say.es("sustancia        fórmula  Tc (K)     pc (Pa)     M (g/mol)  c    Zc      omega     Tb modelo (K)  punto medido: T (K), p (Pa), calor latente (J/mol)\n"),
        "substance        formula  Tc (K)     pc (Pa)     M (g/mol)  c    Zc      omega     model Tb (K)   measured point: T (K), p (Pa), latent heat (J/mol)\n");
    const auto column = [](std::string text, size_t width) {
        text.resize(std::max(width, text.size() + 1), ' ');
        return text;
    };
    std::string sources;
    for (const Substance& s : substances()) {
        const AgainstNature row = against_nature(s);
        out += column(s.key, 17) + column(s.formula, 9) + column(si_number(s.tc), 11) + column(si_number(s.pc), 12) +
               column(si_number(s.molar_mass), 11) + column(significant(s.c), 5) + column(with_decimals(row.zc.measured, 4), 8) +
               column(significant(s.omega), 10) + column(with_decimals(row.boiling_t.model * s.tc, 2), 15) +
               si_number(s.ref_t) + ", " + si_number(s.ref_p) + ", " + si_number(s.ref_latent) + "\n";
        sources += "  " + s.key + ": " + say.source_of(s) + "\n";
    }
    return say.es(out) + pick(say.language, "Fuentes:\n", "Sources:\n") + sources;
}

namespace {

// One number measured beside the model's, in the comparison's columns.
std::string compared_line(std::string what, const Compared& pair, int digits, const std::string& after = "")
{
    what.resize(std::max<size_t>(40, what.size() + 1), ' ');
    std::string measured = significant(pair.measured, digits);
    measured.resize(std::max<size_t>(12, measured.size() + 1), ' ');
    return "  " + what + measured + significant(pair.model, digits) + after + "\n";
}

// The boiling point at the measured point's pressure, the latent heat there
// and Trouton's ratio, measured beside the model's.
std::string boiling_lines(Language l, const Substance& fluid, const AgainstNature& row)
{
    const Compared latent{row.latent.measured / 1000, row.latent.model / 1000};
    const std::string tb = " (" + si_number(fluid.ref_t) + " K, " + with_decimals(row.boiling_t.model * fluid.tc, 2) + " K)";
    return compared_line("Tb/Tc", row.boiling_t, 4, tb) +
           compared_line(pick(l, "calor latente en Tb (kJ/mol)", "latent heat at Tb (kJ/mol)"), latent, 4) +
           compared_line(pick(l, "cociente de Trouton L/(R Tb)", "Trouton's ratio L/(R Tb)"), row.trouton, 4);
}

}  // namespace

std::string nature_report(const Messages& say, const Substance& fluid)
{
    const AgainstNature row = against_nature(fluid);
    const Language l = say.language;
    std::string out = say.name_of(fluid) + pick(l, " frente al fluido de van der Waals a ", " against the van der Waals fluid at ") +
                      si_number(fluid.ref_p) + " Pa:\n" +
                      pick(l, "                                          medido      modelo\n",
                           "                                          measured    model\n") +
                      compared_line("Zc = pc/(rhoc R Tc)", row.zc, 4) +
                      compared_line(pick(l, "factor acéntrico omega", "acentric factor omega"), row.omega, 4) +
                      boiling_lines(l, fluid, row);
    out += pick(l,
        "Zc: el modelo es un campo medio con a y b constantes; las moléculas reales, blandas y agrupadas\n"
        "  cerca del punto crítico, llegan a él más densas (unos 0.29 en los fluidos simples).\n"
        "omega, Tb: la atracción a del modelo no cambia con T, y su presión de vapor cae demasiado despacio\n"
        "  bajo Tc (a T/Tc = 0.7 es 0.20 pc, la del argón unos 0.1): a cada presión hierve demasiado frío.\n"
        "  Soave, y Peng y Robinson, hacen depender a de T, ajustada a omega.\n"
        "Trouton: el calor latente del modelo es la cohesión a/vl - a/vg de un campo medio de atracciones\n"
        "  entre pares; los puentes de hidrógeno (agua, amoníaco) añaden más de lo que ningún par explica.\n",
        "Zc: the model is a mean field with constant a and b; real molecules, soft and clustering near\n"
        "  the critical point, reach it denser (about 0.29 for the simple fluids).\n"
        "omega, Tb: the model's attraction a does not change with T, so its vapour pressure falls too slowly\n"
        "  below Tc (at T/Tc = 0.7 it is 0.20 pc, argon's about 0.1): at any pressure it boils too cold.\n"
        "  Soave's and Peng and Robinson's equations let a depend on T, fitted to omega.\n"
        "Trouton: the model's latent heat is the cohesion a/vl - a/vg of a mean field of pair attractions;\n"
        "  hydrogen bonds (water, ammonia) add more than any pair accounts for.\n");
    return say.es(out);
}

namespace {

// What a state's report shows, whichever equation found it: t and p
// reduced, the SI state, the volumes reduced by the equation's own Vc, Vc
// (m3/mol), and the words that name the equation and its Vc.
struct ShownState {
    double t, p;
    SiState x;
    double vl, vg, vc;
    std::string fluid_es, fluid_en;  // "fluido de van der Waals", "van der Waals fluid"
    std::string vc_formula;          // "3RTc/8pc"
    std::string vc_after;            // after Vc's value: ", Zc = 0.3074"
    std::string omega;               // ", omega = 0.3443" where the equation uses it
};

std::string shown_state_report(const Messages& say, const Substance& fluid, const ShownState& shown, bool by_pressure)
{
    const SiState& x = shown.x;
    // One format for each quantity, the model's and the measured alike:
    // kelvins to nine decimals, pascals to ten digits, never with an
    // exponent, densities to six digits with their trailing zeros.
    const auto kelvins = [](double k) { return with_decimals(k, 9) + " K (" + with_decimals(k - 273.15, 3) + " °C)"; };
    const auto pascals = [](double pa) { return significant(pa, 10) + " Pa"; };
    const auto density = [](double rho) {
        char text[48];
        std::snprintf(text, sizeof text, "%#.6g", rho);
        return std::string(text) + " kg/m³";
    };
    const double temperature = x.temperature, pressure = x.pressure;
    const double vc = shown.vc;
    // A fluid given by its critical constants alone is named by them.
    const bool given = fluid.key == "custom";
    std::string out = pick(say.language,
        say.es((given ? "un " + shown.fluid_es + " de constantes críticas dadas"
                      : say.name_of(fluid) + ", " + shown.fluid_es) +
               " (Tc = " + si_number(fluid.tc) + " K, pc = " + si_number(fluid.pc) + " Pa" + shown.omega + "), en coexistencia:\n"),
        (given ? "a " + shown.fluid_en + " of given critical constants"
               : say.name_of(fluid) + ", a " + shown.fluid_en) +
            " (Tc = " + si_number(fluid.tc) + " K, pc = " + si_number(fluid.pc) + " Pa" + shown.omega + "), at coexistence:\n");
    out += "  T  = " + kelvins(temperature) + ", t = T/Tc = " + significant(shown.t, 12) + "\n";
    out += "  p  = " + pascals(pressure) + " (" + significant(pressure / 1e5) + " bar), p/pc = " + significant(shown.p, 12) + "\n";
    out += pick(say.language, "  volumen molar: líquido ", "  molar volume: liquid ") + significant(x.v_liquid * 1e6) +
           " cm³/mol, gas " + significant(x.v_gas * 1e6) + " cm³/mol (v = " + significant(shown.vl) +
           ", " + significant(shown.vg) + " Vc, Vc = " + shown.vc_formula + " = " + significant(vc * 1e6) + " cm³/mol" +
           shown.vc_after + ")\n";
    if (fluid.molar_mass > 0)
        out += pick(say.language, "  densidad: líquido ", "  density: liquid ") + density(x.rho_liquid) +
               ", gas " + density(x.rho_gas) + "\n";
    out += pick(say.language, "  calor latente ", "  latent heat ") + significant(x.latent / 1000) + " kJ/mol\n";
    // The measured point, where it is the state asked for (at its T or its
    // p); elsewhere, said to be another point, not the answer.
    const auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-6 * std::fabs(b); };
    const bool here = near(temperature, fluid.ref_t) || near(pressure, fluid.ref_p);
    if (fluid.ref_t > 0)
        out += (here ? pick(say.language, "  medido: ", "  measured: ")
                     : pick(say.language, "  medido en otro punto, no en este: ", "  measured at another point, not this one: ")) +
               si_number(fluid.ref_t) + " K, " + si_number(fluid.ref_p) +
               pick(say.language, " Pa, calor latente ", " Pa, latent heat ") + significant(fluid.ref_latent / 1000) + " kJ/mol (" +
               say.source_of(fluid) + ")\n";
    // The real fluid at this p or this T, from its measured curves.
    const MeasuredBeside m = by_pressure ? measured_at_pressure(fluid, pressure) : measured_at_temperature(fluid, temperature);
    const auto densities = [&]() {
        return (fluid.molar_mass > 0 ? pick(say.language, ", densidad: líquido ", ", density: liquid ") +
                                           density(m.rho_liquid) + ", gas " + density(m.rho_vapour)
                                     : std::string()) +
               pick(say.language, ", calor latente ", ", latent heat ") + significant(m.saturation->latent / 1000) +
               " kJ/mol\n";
    };
    if (m.saturation && by_pressure)
        out += pick(say.language, "  medido a esta p: hierve a T = ", "  measured at this p: it boils at T = ") +
               kelvins(m.temperature) + densities();
    else if (m.saturation)
        out += pick(say.language, "  medido a esta T: p = ", "  measured at this T: p = ") +
               pascals(m.saturation->p) + densities();
    else if (m.solid)
        out += by_pressure
                   ? pick(say.language, "  bajo la presión del punto triple (" + si_number(fluid.t_triple) + " K): el fluido real es sólido a esta p\n",
                          "  below the triple point's pressure (" + si_number(fluid.t_triple) + " K): the real fluid is solid at this p\n")
                   : pick(say.language, "  bajo el punto triple (" + si_number(fluid.t_triple) + " K): el fluido real es sólido aquí\n",
                          "  below the triple point (" + si_number(fluid.t_triple) + " K): the real fluid is solid here\n");
    return say.es(out);
}

}  // namespace

std::string state_report(const Messages& say, const Substance& fluid, const Coexistence& s, double c, bool by_pressure)
{
    ShownState shown{};
    shown.t = s.t;
    shown.p = s.p;
    shown.x = si_state(fluid, s, c);
    shown.vl = s.vl;
    shown.vg = s.vg;
    shown.vc = critical_volume(fluid);
    shown.fluid_es = "fluido de van der Waals";
    shown.fluid_en = "van der Waals fluid";
    shown.vc_formula = "3RTc/8pc";
    return shown_state_report(say, fluid, shown, by_pressure);
}

bool omega_placed(Eos eos, bool substance_named, bool own_constants)
{
    return needs_omega(eos) && !substance_named && own_constants;
}

std::string equation_fluid(const Messages& say, Eos eos, std::optional<Substance>& fluid, bool own_constants,
                           const std::optional<double>& omega, const std::string& omega_typed, bool tables_only)
{
    const std::string key = eos_key(eos);
    if (tables_only && !fluid && !needs_omega(eos))
        return "";
    if (needs_omega(eos) && (!fluid || (own_constants && !omega)))
        return say.eos_needs_omega(key);
    if (!fluid)
        return say.eos_needs_fluid(key);
    if (omega) {
        if (!omega_accepted(*omega))
            return say.omega_range(omega_typed);
        fluid->omega = *omega;
    }
    return "";
}

std::string equation_state_report(const Messages& say, const Substance& fluid, Eos eos, const EquationState& s,
                                  bool by_pressure)
{
    ShownState shown{};
    shown.t = s.reduced.tr;
    shown.p = s.reduced.pr;
    shown.x = s.si;
    shown.vl = s.si.v_liquid / s.critical_volume;
    shown.vg = s.si.v_gas / s.critical_volume;
    shown.vc = s.critical_volume;
    shown.fluid_es = "fluido de " + equation_name(eos);
    shown.fluid_en = equation_name(eos) + " fluid";
    shown.vc_formula = "Zc RTc/pc";
    shown.vc_after = ", Zc = " + significant(cubic_for(fluid, eos).zc(), 4);
    shown.omega = needs_omega(eos) ? ", omega = " + significant(fluid.omega) : "";
    return shown_state_report(say, fluid, shown, by_pressure);
}

std::string equations_nature_report(const Messages& say, const Substance& fluid, Eos eos)
{
    const Language l = say.language;
    const auto cell = [](std::string text, size_t width) {
        text.resize(std::max(width, text.size() + 1), ' ');
        return text;
    };
    const std::vector<EquationConstants> all = equation_constants(fluid);
    const double zc = measured_zc(fluid);
    std::string head = cell("", 42) + cell(pick(l, "medido", "measured"), 12);
    std::string zc_line = "  " + cell("Zc = pc/(rhoc R Tc)", 40) + cell(significant(zc, 4), 12);
    std::string omega_line = "  " + cell(pick(l, "factor acéntrico omega", "acentric factor omega"), 40) +
                             cell(significant(fluid.omega, 4), 12);
    for (const EquationConstants& e : all) {
        head += cell(eos_key(e.eos), 12);
        zc_line += cell(significant(e.zc, 3), 12);
        omega_line += cell(significant(e.omega, 3), 12);
    }
    const auto trimmed = [](std::string line) {
        line.erase(line.find_last_not_of(' ') + 1);
        return line + "\n";
    };
    std::string out = say.name_of(fluid) + pick(l, " frente a las ecuaciones cúbicas:\n", " against the cubic equations:\n") +
                      trimmed(head) + trimmed(zc_line) + trimmed(omega_line);
    // The chosen equation at the measured point's pressure, as nature_report
    // sets the van der Waals fluid.
    const AgainstNature row = against_nature(fluid, eos);
    out += pick(l, "Ecuación de " + equation_name(eos) + " a " + si_number(fluid.ref_p) + " Pa:\n",
                "The " + equation_name(eos) + " equation at " + si_number(fluid.ref_p) + " Pa:\n") +
           pick(l, "                                          medido      " + std::string(eos_key(eos)) + "\n",
                "                                          measured    " + std::string(eos_key(eos)) + "\n") +
           boiling_lines(l, fluid, row);
    out += pick(l,
        "rk: la atracción cae con T (a/sqrt(T)): bajo Tc es mayor, y la presión de vapor menor que la de van der Waals.\n"
        "srk: esa caída ajustada a omega de cada fluido: su propia omega es la medida.\n"
        "pr: el término repulsivo de Peng y Robinson acerca el volumen del líquido (y Zc) a los medidos.\n",
        "rk: the attraction falls with T (a/sqrt(T)): below Tc it is stronger, and the vapour pressure lower than van der Waals'.\n"
        "srk: that fall fitted to each fluid's omega: its own omega is the measured one.\n"
        "pr: Peng and Robinson's repulsive term brings the liquid's volume (and Zc) closer to the measured.\n");
    return say.es(out);
}
