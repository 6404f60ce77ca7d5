#include "state.h"

#include <string>

#include "bisect.h"
#include "maxwell.h"
#include "sweep.h"

State state_at(double at_t, double c)
{
    const double kept[] = {t, err, vl, vg, vlmax, plmin, vgmin, pgmax};
    t = at_t;
    err = state_tolerance;
    std::string no_trace;
    const Found f = find(no_trace, isotherm_pressure(at_t, 300));
    const TrialLine line = trial_line(at_t, f.p, f.vlmax, f.vgmin, c);
    vl = line.vl;
    vg = line.vg;
    State s{at_t, f.p, line.vl, line.vg, f.vlmax, f.plmin, f.vgmin, f.pgmax, properties(c), 0};
    s.latent = s.x.hg - s.x.hl;
    t = kept[0];
    err = kept[1];
    vl = kept[2];
    vg = kept[3];
    vlmax = kept[4];
    plmin = kept[5];
    vgmin = kept[6];
    pgmax = kept[7];
    return s;
}

double lowest_state_p()
{
    static const double p = state_at(lowest_state_t, 1.5).p;
    return p;
}

double t_at_pressure(double p)
{
    // The vapour pressure rises with t: halve [lowest_state_t, 1] on it.
    double found = lowest_state_t;
    bisect_within(1e-14, [p](double at_t) { return state_at(at_t, 1.5).p - p; }, lowest_state_t, 1.0, found,
                  [](double, double) {});
    return found;
}
