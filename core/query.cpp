#include "query.h"

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
