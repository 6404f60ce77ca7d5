#include "query.h"

#include "state.h"
#include "vdw.h"

double mass_density(const Substance& fluid, double molar_density) { return molar_density * fluid.molar_mass / 1000; }

SiState si_state(const Substance& fluid, const Coexistence& s, double c)
{
    const auto si = [&](Quantity quantity, double x) { return x * si_unit(fluid, quantity); };
    SiState out{};
    out.temperature = si(Quantity::temperature, s.t);
    out.pressure = si(Quantity::pressure, s.p);
    out.v_liquid = si(Quantity::volume, s.vl);
    out.v_gas = si(Quantity::volume, s.vg);
    out.rho_liquid = fluid.molar_mass / 1000 / out.v_liquid;
    out.rho_gas = fluid.molar_mass / 1000 / out.v_gas;
    out.latent = si(Quantity::energy, properties(s.t, s.vl, s.vg, c).latent());
    return out;
}

SiState si_state(const Substance& fluid, const Cubic& eos, const Saturation& s, double c)
{
    const double volume = gas_constant * fluid.tc / fluid.pc;
    SiState out{};
    out.temperature = s.tr * fluid.tc;
    out.pressure = s.pr * fluid.pc;
    out.v_liquid = s.wl * volume;
    out.v_gas = s.wg * volume;
    out.rho_liquid = fluid.molar_mass / 1000 / out.v_liquid;
    out.rho_gas = fluid.molar_mass / 1000 / out.v_gas;
    out.latent = properties(eos, s, c).latent() * gas_constant * fluid.tc;
    return out;
}

std::vector<NamedNumber> si_numbers(const Substance& fluid, const SiState& s)
{
    std::vector<NamedNumber> all = {{"T_K", "temperature", s.temperature},
                                    {"p_Pa", "pressure", s.pressure},
                                    {"v_liquid_m3_per_mol", "vl", s.v_liquid},
                                    {"v_gas_m3_per_mol", "vg", s.v_gas}};
    if (fluid.molar_mass > 0)
        all.insert(all.end(), {{"density_liquid_kg_per_m3", "liquid", s.rho_liquid},
                               {"density_gas_kg_per_m3", "gas", s.rho_gas}});
    all.push_back({"latent_heat_J_per_mol", "latent", s.latent});
    return all;
}

std::vector<NamedNumber> state_row(const Coexistence& s, double c, const Substance* fluid)
{
    std::vector<NamedNumber> all = {{"c", "c", c}};
    for (const NamedNumber& x : state_numbers(s, c))
        all.push_back(x);
    const MaxwellAreas areas = maxwell_areas(s.t, s.p, s.vl, s.vg, s.limits.vlmax, s.limits.vgmin);
    all.insert(all.end(), {{"v_middle", "vMiddle", areas.v_middle},
                           {"liquid_area", "liquidArea", areas.liquid_area},
                           {"gas_area", "gasArea", areas.gas_area}});
    if (fluid)
        for (const NamedNumber& x : si_numbers(*fluid, si_state(*fluid, s, c)))
            all.push_back(x);
    return all;
}

namespace {

void in_kilograms(const Substance& fluid, MeasuredBeside& m)
{
    if (m.saturation) {
        m.rho_liquid = mass_density(fluid, m.saturation->rho_liquid);
        m.rho_vapour = mass_density(fluid, m.saturation->rho_vapour);
    }
}

}  // namespace

MeasuredBeside measured_at_temperature(const Substance& fluid, double temperature)
{
    MeasuredBeside out;
    out.temperature = temperature;
    out.saturation = measured_saturation(fluid, temperature);
    in_kilograms(fluid, out);
    out.solid = !out.saturation && has_measured_curves(fluid) && temperature < fluid.t_triple;
    return out;
}

MeasuredBeside measured_at_pressure(const Substance& fluid, double pressure)
{
    MeasuredBeside out;
    const std::optional<double> boils = measured_boiling_t(fluid, pressure);
    if (boils) {
        out.temperature = *boils;
        out.saturation = measured_saturation(fluid, *boils);
        in_kilograms(fluid, out);
    }
    out.solid = !boils && has_measured_curves(fluid) && pressure < fluid.pc;
    return out;
}

ShownSaturation shown_saturation(const Substance& fluid, double temperature, const MeasuredSaturation& m)
{
    return {temperature, m.p, mass_density(fluid, m.rho_liquid), mass_density(fluid, m.rho_vapour), m.latent};
}

ShownSaturation shown_saturation(const MeasuredBeside& m)
{
    return {m.temperature, m.saturation->p, m.rho_liquid, m.rho_vapour, m.saturation->latent};
}

NatureCurves nature_curves(const Substance& fluid, const std::vector<Coexistence>& states, double c)
{
    NatureCurves out;
    for (const NaturePoint& n : nature_points(fluid, states, c)) {
        out.model.push_back(
            shown_saturation(fluid, n.temperature, MeasuredSaturation{n.p, n.rho_liquid, n.rho_vapour, n.latent}));
        if (n.measured)
            out.measured.push_back(shown_saturation(fluid, n.temperature, *n.measured));
    }
    for (const double temperature : temperatures_below_the_rows(fluid))
        if (const std::optional<MeasuredSaturation> m = measured_saturation(fluid, temperature))
            out.measured.push_back(shown_saturation(fluid, temperature, *m));
    return out;
}

std::optional<BoilingPoint> boiling_at(const Substance& fluid, double pressure, double c)
{
    const double p = pressure / si_unit(fluid, Quantity::pressure);
    if (!(p >= lowest_state_p() && p < 1))
        return std::nullopt;
    const Coexistence s = state_at(t_at_pressure(p));
    return BoilingPoint{si_state(fluid, s, c), s.t, measured_at_pressure(fluid, pressure)};
}

PressureRange boiling_range(const Substance& fluid)
{
    return {lowest_state_p() * si_unit(fluid, Quantity::pressure), 1.0 * si_unit(fluid, Quantity::pressure)};
}
