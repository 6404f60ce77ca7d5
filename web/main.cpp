// vdwcoex in the browser: the console program's reply reader, sweep and
// reports, and the model's isotherm and Maxwell construction, called from
// the page (app.js) through WebAssembly.
#include <emscripten/emscripten.h>

#include <string>
#include <string_view>

#include "maxwell.h"
#include "reply.h"
#include "sweep.h"
#include "tables_csv.h"
#include "vdw.h"

namespace {

Output out;
std::string coexistence_table, property_table;  // the reports as CSV

const std::string& text_of(int which)
{
    switch (which) {
    case 0: return out.coexistence;
    case 1: return out.properties;
    case 3: return coexistence_table;
    case 4: return property_table;
    default: return out.console;
    }
}

// The Maxwell construction at one row of the last run, kept for reading.
MaxwellAreas areas{};

}  // namespace

extern "C" {

// Runs the program for the reply (`size` bytes at `reply`, which the page
// puts on the module's heap), read as the console program reads it, and
// returns c. Its texts are then read with vdw_text and vdw_text_size.
EMSCRIPTEN_KEEPALIVE double vdw_run(const char* reply, int size)
{
    double c = 1.5;
    if (const auto number = read_number(std::string_view(reply, static_cast<size_t>(size))))
        c = *number;
    out = Output{};
    run(c, out);
    coexistence_table = coexistence_csv(out.coexistence);
    property_table = property_csv(out.properties);
    return c;
}

// The bytes of "vdw_coex.dat" (0), "clatente.dat" (1), the console trace (2),
// "vdw_coex.csv" (3) or "clatente.csv" (4).
EMSCRIPTEN_KEEPALIVE const char* vdw_text(int which) { return text_of(which).data(); }
EMSCRIPTEN_KEEPALIVE int vdw_text_size(int which) { return static_cast<int>(text_of(which).size()); }

// Pressure on the isotherm at temperature at_t and volume v.
EMSCRIPTEN_KEEPALIVE double vdw_isotherm_pressure(double at_t, double v)
{
    return isotherm_pressure(at_t, v);
}

// The Maxwell construction at row `row` (0 for t = 0.999) of the last run,
// from its unrounded state; its parts are then read with vdw_maxwell_part:
// 0 the middle crossing, 1 the liquid-side area, 2 the gas-side area.
EMSCRIPTEN_KEEPALIVE void vdw_maxwell(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= out.states.size())
        return;
    const Coexisting& s = out.states[static_cast<size_t>(row)];
    areas = maxwell_areas(s.t, s.p, s.vl, s.vg, s.vlmax, s.vgmin);
}
EMSCRIPTEN_KEEPALIVE double vdw_maxwell_part(int which)
{
    return which == 0 ? areas.v_middle : which == 1 ? areas.liquid_area : areas.gas_area;
}

// Lever rule on the tie line from vl to vg: the gas share at volume v.
EMSCRIPTEN_KEEPALIVE double vdw_gas_fraction(double v, double vl, double vg)
{
    return gas_fraction(v, vl, vg);
}

}  // extern "C"
