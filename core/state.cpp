#include "state.h"

#include <string>

#include "bisect.h"
#include "maxwell.h"
#include "sweep.h"

Coexistence state_at(double at_t)
{
    const Isotherm isotherm{at_t, state_tolerance};
    std::string no_trace;
    Coexistence s = find(isotherm, no_trace, isotherm.pressure(gas_ceiling));
    const LineEnds ends = line_ends(at_t, s.p, s.limits.vlmax, s.limits.vgmin);
    s.vl = ends.vl;
    s.vg = ends.vg;
    return s;
}

double lowest_state_p()
{
    static const double p = state_at(lowest_state_t).p;
    return p;
}

double t_at_pressure(double p)
{
    // The vapour pressure rises with t: halve [lowest_state_t, 1] on it.
    double found = lowest_state_t;
    bisect(1e-14, [p](double at_t) { return state_at(at_t).p - p; }, lowest_state_t, 1.0, found);
    return found;
}
