// Text of the two reports, "vdw_coex.dat" (coexistence) and "clatente.dat"
// (properties), built in memory. Line breaks are CR LF on every platform so
// that the files are the same bytes wherever they are written.
#pragma once

#include <string>
#include <string_view>

#include "vdw.h"

// Appends s with every "\n" written as CR LF.
void text(std::string& out, std::string_view s);

// Appends x the way printf's "%lf" prints it: fixed, six decimals.
void number(std::string& out, double x);

void coexistence_preamble(std::string& out, double c);
void property_preamble(std::string& out, double c);

// The line of 90 "=" that closes both preambles.
void rule(std::string& out);

// Row of the coexistence report for pressure p and the current model state.
void coexistence_row(std::string& out, double p, const Properties& x);

// Row of the property report; state is "eq", "limliq" or "limgas".
void property_row(std::string& out, std::string_view state, double p, const Properties& x);
