// Text of the two reports, "vdw_coex.dat" (coexistence) and "clatente.dat"
// (properties), built in memory. Line breaks are CR LF on every platform so
// that the files are the same bytes wherever they are written.
#pragma once

#include <string>
#include <string_view>

#include "coexistence.h"
#include "vdw.h"

// Appends s with every "\n" written as CR LF.
void text(std::string& out, std::string_view s);

// Appends x the way printf's "%lf" prints it: fixed, six decimals.
void number(std::string& out, double x);
// x as number() prints it, on its own: a number shown off the reports' rows
// reads as a row's would (JavaScript's toFixed rounds a tie the other way:
// 0.5078125 to 0.507813, the reports to 0.507812).
std::string fixed_number(double x);

void coexistence_preamble(std::string& out, double c);
void property_preamble(std::string& out, double c);

// The line of 90 "=" that closes both preambles.
void rule(std::string& out);

// Row of the coexistence report for one pass, with its latent heat.
void coexistence_row(std::string& out, const Coexistence& s, double latent);

// A liquid and a gas at one pressure, as a row of the property report shows them.
struct PhasePair {
    double p, vl, vg;
};

// Row of the property report at temperature t; state is "eq", "limliq" or
// "limgas", x the pair's properties.
void property_row(std::string& out, double t, std::string_view state, const PhasePair& pair, const Properties& x);
