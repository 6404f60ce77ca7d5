// vdwcoex in the browser: the console program's reply reader, sweep and
// reports, called from the page (app.js) through WebAssembly.
#include <emscripten/emscripten.h>

#include <string>
#include <string_view>

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

}  // namespace

extern "C" {

// Runs the program for the reply, read as the console program reads it, and
// returns c. Its texts are then read with vdw_text and vdw_text_size.
EMSCRIPTEN_KEEPALIVE double vdw_run(const char* reply)
{
    double c = 1.5;
    if (const auto number = read_number(std::string_view(reply)))
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

// Pressure on the isotherm at temperature at_t and volume v, for the diagram.
EMSCRIPTEN_KEEPALIVE double vdw_isotherm_pressure(double at_t, double v)
{
    t = at_t;
    return pressure(v);
}

}  // extern "C"
