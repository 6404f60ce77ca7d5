#include "nature.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "bisect.h"
#include "cubic.h"
#include "state.h"
#include "vdw.h"

double guggenheim_density(double tr, bool liquid)
{
    const double below = 1 - tr;
    const double width = 7.0 / 4 * std::cbrt(below);
    return 1 + 3.0 / 4 * below + (liquid ? width : -width);
}

double critical_compressibility()
{
    const double t = 1, v = 1;
    return isotherm_pressure(t, v) * v / (8.0 / 3 * t);
}

double acentric_factor(double p_at_0_7) { return pitzer_acentric_factor(p_at_0_7); }

double critical_exponent(const std::vector<double>& t, const std::vector<double>& width)
{
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    const double n = static_cast<double>(t.size());
    for (size_t k = 0; k < t.size(); ++k) {
        const double x = std::log(1 - t[k]), y = std::log(width[k]);
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

std::vector<ClapeyronSlopes> clapeyron_slopes(const std::vector<Coexistence>& states, const std::vector<double>& latent)
{
    std::vector<ClapeyronSlopes> slopes;
    for (size_t k = 1; k + 1 < states.size(); ++k) {
        const Coexistence& s = states[k];
        const double from_p = (states[k - 1].p - states[k + 1].p) / (states[k - 1].t - states[k + 1].t);
        slopes.push_back({s.t, from_p, latent[k] * 8 / (3 * s.t * (s.vg - s.vl))});
    }
    return slopes;
}

namespace {

// A curve's x at T, and its slope dx/dT.
struct OnCurve {
    double x, slope;
};

OnCurve on_curve(const SaturationCurve& curve, double tc, double temperature)
{
    const double theta = 1 - temperature / tc;
    double sum = 0, d_sum = 0;  // S and dS/dtheta
    for (const auto& [n, e] : curve.terms) {
        sum += n * std::pow(theta, e);
        d_sum += n * e * std::pow(theta, e - 1);
    }
    switch (curve.form) {
    case SaturationCurve::Form::exp_tc: {
        const double x = std::exp(tc / temperature * sum);
        return {x, x * (-tc * sum / (temperature * temperature) - d_sum / temperature)};
    }
    case SaturationCurve::Form::exp: {
        const double x = std::exp(sum);
        return {x, -x * d_sum / tc};
    }
    case SaturationCurve::Form::plus:
        break;
    }
    return {1 + sum, -d_sum / tc};
}

}  // namespace

bool has_measured_curves(const Substance& fluid)
{
    return fluid.rhoc > 0 && fluid.t_triple > 0 && !fluid.pressure.terms.empty() && !fluid.liquid.terms.empty() &&
           !fluid.vapour.terms.empty();
}

std::optional<MeasuredSaturation> measured_saturation(const Substance& fluid, double temperature)
{
    if (!has_measured_curves(fluid) || !(temperature >= fluid.t_triple && temperature <= fluid.tc))
        return std::nullopt;
    const OnCurve p = on_curve(fluid.pressure, fluid.tc, temperature);
    const double liquid = fluid.rhoc * on_curve(fluid.liquid, fluid.tc, temperature).x;
    const double vapour = fluid.rhoc * on_curve(fluid.vapour, fluid.tc, temperature).x;
    const double latent = temperature < fluid.tc ? temperature * (1 / vapour - 1 / liquid) * fluid.pc * p.slope : 0;
    return MeasuredSaturation{fluid.pc * p.x, liquid, vapour, latent};
}

std::optional<double> measured_boiling_t(const Substance& fluid, double p)
{
    const std::optional<MeasuredSaturation> triple = measured_saturation(fluid, fluid.t_triple);
    if (!triple || !(p >= triple->p && p <= fluid.pc))
        return std::nullopt;
    double found = fluid.t_triple;
    bisect(1e-9 * fluid.tc, [&](double temperature) { return measured_saturation(fluid, temperature)->p - p; },
           fluid.t_triple, fluid.tc, found);
    return found;
}

double measured_zc(const Substance& fluid)
{
    return fluid.rhoc > 0 ? fluid.pc / (fluid.rhoc * gas_constant * fluid.tc) : 0;
}

AgainstNature against_nature(const Substance& fluid)
{
    AgainstNature row{};
    row.zc = {measured_zc(fluid), critical_compressibility()};
    // The model's own, the same for every substance: found once.
    static const double model_omega = model_acentric_factor();
    row.omega = {fluid.omega, model_omega};
    // The model's boiling point where its searches reach the measured
    // point's pressure (they do for every substance of the table); NaN where not.
    const double p_ref = fluid.ref_p / fluid.pc;
    const bool reached = p_ref >= lowest_state_p() && p_ref < 1;
    const double tb_model = reached ? t_at_pressure(p_ref) : std::nan("");
    double latent_model = std::nan("");
    if (reached) {
        const Coexistence at_tb = state_at(tb_model);
        // The latent heat hg - hl does not depend on c.
        latent_model = properties(at_tb.t, at_tb.vl, at_tb.vg, fluid.c).latent() * gas_constant * fluid.tc;
    }
    row.boiling_t = {fluid.ref_t / fluid.tc, tb_model};
    row.latent = {fluid.ref_latent, latent_model};
    row.trouton = {fluid.ref_latent / (gas_constant * fluid.ref_t), latent_model / (gas_constant * tb_model * fluid.tc)};
    return row;
}

std::vector<NaturePoint> nature_points(const Substance& fluid, const std::vector<Coexistence>& states, double c)
{
    std::vector<NaturePoint> points;
    const double vc = critical_volume(fluid);
    for (const Coexistence& s : states) {
        const double temperature = s.t * fluid.tc;
        points.push_back({temperature, s.t, s.p * fluid.pc, 1 / (s.vl * vc), 1 / (s.vg * vc),
                          properties(s.t, s.vl, s.vg, c).latent() * gas_constant * fluid.tc,
                          measured_saturation(fluid, temperature)});
    }
    return points;
}

OwnedTable nature_table(const Substance& fluid, const std::vector<NaturePoint>& points, double vc)
{
    OwnedTable table;
    table.names = {"T_K", "t", "p_model_Pa", "p_measured_Pa", "rho_liquid_model_kg_per_m3", "rho_liquid_measured_kg_per_m3",
                   "rho_vapour_model_kg_per_m3", "rho_vapour_measured_kg_per_m3", "rho_liquid_model_per_rhoc",
                   "rho_liquid_measured_per_rhoc", "rho_vapour_model_per_rhoc", "rho_vapour_measured_per_rhoc",
                   "latent_heat_model_J_per_mol", "latent_heat_measured_J_per_mol"};
    table.units = {"K", "T/Tc", "Pa", "Pa", "kg/m3", "kg/m3", "kg/m3", "kg/m3", "", "", "", "", "J/mol", "J/mol"};
    const double kg = fluid.molar_mass / 1000;
    for (const NaturePoint& n : points) {
        const auto shown = [&](auto of) { return n.measured ? si_number(of(*n.measured)) : std::string(); };
        table.rows.push_back({si_number(n.temperature), si_number(n.t), si_number(n.p),
                              shown([](const MeasuredSaturation& m) { return m.p; }), si_number(n.rho_liquid * kg),
                              shown([&](const MeasuredSaturation& m) { return m.rho_liquid * kg; }),
                              si_number(n.rho_vapour * kg),
                              shown([&](const MeasuredSaturation& m) { return m.rho_vapour * kg; }),
                              si_number(n.rho_liquid * vc),
                              shown([&](const MeasuredSaturation& m) { return m.rho_liquid / fluid.rhoc; }),
                              si_number(n.rho_vapour * vc),
                              shown([&](const MeasuredSaturation& m) { return m.rho_vapour / fluid.rhoc; }),
                              si_number(n.latent), shown([](const MeasuredSaturation& m) { return m.latent; })});
    }
    return table;
}

OwnedTable nature_table(const Substance& fluid, const std::vector<Coexistence>& states, double c)
{
    return nature_table(fluid, nature_points(fluid, states, c), critical_volume(fluid));
}

std::vector<std::string> nature_header(const Substance& fluid, const std::string& version, const std::string& model)
{
    const std::string name = fluid.name_en + (fluid.formula.empty() ? "" : " (" + fluid.formula + ")");
    return {"vdwcoex " + version + ": " + name + ", " + model + " beside the measured saturation curves",
            "Tc = " + si_number(fluid.tc) + " K, pc = " + si_number(fluid.pc) + " Pa, rhoc = " + si_number(fluid.rhoc) +
                " mol/m3, triple point " + si_number(fluid.t_triple) + " K (measured cells empty below it)",
            "constants from " + fluid.source, "measured curves from " + fluid.pressure.source,
            "measured latent heat by Clapeyron's equation from the measured curves"};
}

double model_acentric_factor() { return acentric_factor(state_at(0.7).p); }

double largest_clapeyron_deviation(const std::vector<ClapeyronSlopes>& slopes)
{
    double largest = 0;
    for (const ClapeyronSlopes& slope : slopes)
        largest = std::max(largest, std::fabs(slope.from_latent / slope.from_p - 1));
    return largest;
}

ModelAgainstNature model_against_nature(const std::vector<Coexistence>& states)
{
    ModelAgainstNature out{};
    std::vector<double> near_t, near_model, near_guggenheim, latent;
    for (const Coexistence& s : states) {
        const double liquid = 1 / s.vl, gas = 1 / s.vg;
        const double gl = guggenheim_density(s.t, true), gg = guggenheim_density(s.t, false);
        out.rows.push_back({s.t, liquid, gas, (liquid + gas) / 2, gl, gg, (gl + gg) / 2, liquid - gas, gl - gg, s.p,
                            1 / s.t});
        if (near_critical(s.t)) {
            near_t.push_back(s.t);
            near_model.push_back(liquid - gas);
            near_guggenheim.push_back(gl - gg);
        }
        latent.push_back(properties(s.t, s.vl, s.vg, 1.5).latent());
    }
    out.clapeyron = clapeyron_slopes(states, latent);
    out.near_critical_count = static_cast<int>(near_t.size());
    out.exponent = critical_exponent(near_t, near_model);
    out.guggenheim_exponent = critical_exponent(near_t, near_guggenheim);
    out.zc = critical_compressibility();
    out.acentric = model_acentric_factor();
    out.clapeyron_largest = largest_clapeyron_deviation(out.clapeyron);
    return out;
}

std::vector<double> temperatures_below_the_rows(const Substance& fluid)
{
    std::vector<double> temperatures;
    for (int k = 50; k > 0; --k)
        temperatures.push_back(k / 100.0 * fluid.tc);
    temperatures.push_back(fluid.t_triple);
    return temperatures;
}

MeasuredCurves measured_curves(const Substance& fluid, const std::vector<Coexistence>& states)
{
    MeasuredCurves out{};
    const auto add = [&](double temperature) {
        if (const std::optional<MeasuredSaturation> m = measured_saturation(fluid, temperature))
            out.points.push_back({temperature / fluid.tc, fluid.tc / temperature, m->p / fluid.pc,
                                  m->rho_liquid / fluid.rhoc, m->rho_vapour / fluid.rhoc});
    };
    add(fluid.tc);
    for (const Coexistence& s : states)
        add(s.t * fluid.tc);
    for (const double temperature : temperatures_below_the_rows(fluid))
        add(temperature);
    std::vector<double> near_t, near_width;
    for (const Coexistence& s : states)
        if (near_critical(s.t))
            if (const std::optional<MeasuredSaturation> m = measured_saturation(fluid, s.t * fluid.tc)) {
                near_t.push_back(s.t);
                near_width.push_back((m->rho_liquid - m->rho_vapour) / fluid.rhoc);
                out.near.push_back({s.t, near_width.back()});
            }
    out.exponent = critical_exponent(near_t, near_width);
    out.triple_t = fluid.t_triple / fluid.tc;
    out.compared = against_nature(fluid);
    return out;
}
