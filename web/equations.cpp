// The cubic equations in the browser: any equation's isotherm and Maxwell
// construction in v = V/Vc with its own Vc (isotherms.h), its states at the
// sweep's temperatures, and each equation's curves and errors against a
// substance's measured ones (equations.h), offered to the page through
// Embind. Marshalling only, as main.cpp: every number is worked out in
// model/ and core/, and program.js is the only code that calls them.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "cubic.h"
#include "equations.h"
#include "isotherms.h"
#include "marshal.h"
#include "maxwell.h"
#include "substances.h"

using emscripten::val;
using namespace marshal;

namespace {

// Any equation's isotherm in v = V/Vc with its own Vc (isotherms.h), as the
// van der Waals functions of main.cpp give it; the equation's curves and errors
// against substance i's measured ones (equations.h).
val equation_trial(const Cubic& e, const ScaledState& s, double p, double c)
{
    return trial_line_reaches(p, s.plmin, s.pgmax) ? val(scaled_trial_line(e, s, p, c)) : val::null();
}
val equation_chart(const Cubic& e, const ScaledState& s, double p_low, double p_high, int count, double c)
{
    return branches_of(scaled_gibbs_branches(e, s, p_low, p_high, count, c));
}
val equation_helmholtz_chart(const Cubic& e, const ScaledState& s, double v_low, double v_high, int count, double c)
{
    return branches_of(scaled_helmholtz_branches(e, s, v_low, v_high, count, c));
}
Compression equation_compression(const Cubic& e, const ScaledState& s, double v_from, double v_to, Kept kept)
{
    return scaled_compression(e, s, v_from, v_to, kept);
}
double equation_to_si(const Cubic& e, int i, Quantity q, double x) { return x * scaled_si_unit(substance(i), e, q); }
double equation_from_si(const Cubic& e, int i, Quantity q, double x) { return x / scaled_si_unit(substance(i), e, q); }
val equation_isobar(const Cubic& e, const ScaledState& s, double t_low, double t_high, int count, double c)
{
    const Isobar x = scaled_isobar(e, s, t_low, t_high, count, c);
    return object_of({{"liquid", array_of(x.liquid)}, {"gas", array_of(x.gas)}, {"boilingHeat", val(x.boiling_heat)},
                      {"latent", val(x.latent)}});
}
val equation_rows_of(const Cubic& e, double c) { return array_of(scaled_rows(e, c)); }
val equation_curve_of(int i, Eos e) { return array_of(equation_curve(substance(i), e)); }
val equation_errors_of(int i) { return array_of(equation_errors(substance(i))); }

}  // namespace

EMSCRIPTEN_BINDINGS(vdwcoex_equations)
{
    using namespace emscripten;
    constant("lowestEquationT", lowest_cubic_tr);
    enum_<Eos>("Eos").value("vdw", Eos::vdw).value("rk", Eos::rk).value("srk", Eos::srk).value("pr", Eos::pr);
    value_object<ScaledState>("ScaledState").field("t", &ScaledState::t).field("p", &ScaledState::p)
        .field("vl", &ScaledState::vl).field("vg", &ScaledState::vg).field("vlmax", &ScaledState::vlmax)
        .field("plmin", &ScaledState::plmin).field("vgmin", &ScaledState::vgmin).field("pgmax", &ScaledState::pgmax);
    value_object<CubicProperties>("CubicProperties").field("sl", &CubicProperties::sl).field("sg", &CubicProperties::sg)
        .field("hl", &CubicProperties::hl).field("hg", &CubicProperties::hg).field("gl", &CubicProperties::gl)
        .field("gg", &CubicProperties::gg).field("ul", &CubicProperties::ul).field("ug", &CubicProperties::ug);
    value_object<ScaledSaturation>("ScaledSaturation").field("state", &ScaledSaturation::state)
        .field("areas", &ScaledSaturation::areas).field("properties", &ScaledSaturation::properties)
        .field("latent", &ScaledSaturation::latent);
    value_object<EquationError>("EquationError").field("t", &EquationError::t).field("eos", &EquationError::eos)
        .field("temperature", &EquationError::temperature).field("p", &EquationError::p)
        .field("liquid", &EquationError::liquid).field("latent", &EquationError::latent);
    class_<Cubic>("Equation").constructor<Eos, double>().function("zc", &Cubic::zc)
        .function("covolume", &scaled_covolume)
        .function("state", &scaled_saturation).function("pressure", &scaled_pressure).function("gibbs", &scaled_gibbs)
        .function("trial", &equation_trial).function("gibbsChart", &equation_chart).function("toSi", &equation_to_si)
        .function("fromSi", &equation_from_si).function("rows", &equation_rows_of)
        .function("entropy", &scaled_entropy).function("enthalpy", &scaled_enthalpy)
        .function("twoPhase", &scaled_two_phase).function("isobar", &equation_isobar)
        .function("helmholtzChart", &equation_helmholtz_chart).function("helmholtzTangent", &scaled_helmholtz_tangent)
        .function("compression", &equation_compression);
    function("omegaAccepted", &omega_accepted);
    function("equationCurve", &equation_curve_of); function("equationErrors", &equation_errors_of);
}
