// What the console says of the substances: their table, and the
// coexistence state of one at a temperature or pressure, in SI units.
#pragma once

#include <optional>
#include <string>

#include "coexistence.h"
#include "cubic.h"
#include "equations.h"
#include "messages.h"
#include "substances.h"

// The fluid asked for: the substance `name` names (its key, formula or
// name), or one of the critical constants tc (K) and pc (Pa) with Cv = cR;
// none where neither is given. Where they make no fluid, none, with the
// usage error's line in `why`; tc and pc are said as typed.
std::optional<Substance> fluid_asked(const Messages& say, const std::optional<std::string>& name,
                                     std::optional<double> tc, std::optional<double> pc, double c,
                                     const std::string& tc_typed, const std::string& pc_typed, std::string& why);

// The reduced t of the coexistence state at a temperature or a vapour
// pressure `given` (K or Pa of `fluid`, reduced where it is null), found by
// the model's searches; none out of their reach, with the usage error's line
// in `why`, `given` said as typed.
std::optional<double> coexistence_t(const Messages& say, double given, bool temperature, const Substance* fluid,
                                    const std::string& typed, std::string& why);

// The same by an equation other than van der Waals': the saturation state of
// `fluid` by `eos` at a temperature (K) or a vapour pressure (Pa) `given`;
// none out of the equation's reach, with the usage error's line in `why`.
std::optional<EquationState> equation_state_for(const Messages& say, const Substance& fluid, Eos eos, double given,
                                                bool temperature, const std::string& typed, std::string& why);

// The table of substances with their constants and sources.
std::string substance_list(const Messages& say);

// The substance against the model: its measured Zc, acentric factor, Tb/Tc,
// latent heat at Tb and Trouton's ratio beside the model's, each with the
// assumption of the model the difference comes from.
std::string nature_report(const Messages& say, const Substance& fluid);

// The coexistence state `s` of `fluid`, with Cv = cR: T, p, the volumes,
// densities and latent heat, the fluid's measured point, and its measured
// saturation state at that T (or that the real fluid is solid there), or,
// asked `by_pressure`, at that p.
std::string state_report(const Messages& say, const Substance& fluid, const Coexistence& s, double c,
                         bool by_pressure = false);

// The fluid an equation other than van der Waals' answers for: `fluid`,
// given its own constants (`own_constants`) or a substance's, with the
// acentric factor `omega` where one is given (typed as `omega_typed`).
// Where it cannot answer, the usage error's line: srk and pr need a
// substance or omega, every equation a fluid (but rk's reduced tables, asked
// `tables_only`, none), and omega lies in [-1, 2].
// Where an omega may be given: to Soave's or Peng and Robinson's equation
// (`eos`) for a fluid of one's own constants, not a named substance's.
bool omega_placed(Eos eos, bool substance_named, bool own_constants);

std::string equation_fluid(const Messages& say, Eos eos, std::optional<Substance>& fluid, bool own_constants,
                           const std::optional<double>& omega, const std::string& omega_typed,
                           bool tables_only = false);

// The saturation state `s` of `fluid` by `eos`, as state_report shows the
// van der Waals fluid's, named by its equation (with omega for srk and pr),
// the volumes reduced by the equation's own Vc = Zc R Tc/pc.
std::string equation_state_report(const Messages& say, const Substance& fluid, Eos eos, const EquationState& s,
                                  bool by_pressure = false);

// The substance against the cubic equations: the measured Zc and acentric
// factor beside each equation's (its omega read from its own curve), then
// `eos`'s boiling point, latent heat and Trouton's ratio at the measured
// point's pressure beside the measured, and what each equation mends.
std::string equations_nature_report(const Messages& say, const Substance& fluid, Eos eos);
