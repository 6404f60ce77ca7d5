// The temperature sweep: one pass per reduced temperature from 0.999 down to
// 0.501 in steps of 0.001, each writing its rows to the two reports.
#pragma once

#include <cmath>
#include <string>
#include <vector>

// The coexistence of one pass as computed, before the reports round it.
struct Coexisting {
    double t, p, vl, vg, vlmax, plmin, vgmin, pgmax;
};

// What one run writes: the two report files and the console trace, and the
// unrounded states behind the rows of the coexistence report.
struct Output {
    std::string coexistence;  // "vdw_coex.dat"
    std::string properties;   // "clatente.dat"
    std::string console;      // the search trace at t = 0.95
    std::vector<Coexisting> states;
};

// The largest c for which the latent heat keeps every digit it has at small
// c: hg - hl is the difference of two numbers of the size of c t, so it
// loses digits as c grows. Every row kept its six decimals for every c
// tried up to 8e6; one row differed at 9e6, four at 1e8, all at 1e12.
constexpr double largest_exact_c = 1e6;

// What one pass finds before it writes a row: the stability limits, the
// coexistence pressure and volumes, and the other phase's volume beside each
// limit. None of it depends on c.
struct Found {
    double t, vgmin, pgmax, vlmax, plmin, p, vl, vg;
    double vg_beside_liquid_limit;  // the gas at the liquid limit's pressure
    double vl_beside_gas_limit;     // the liquid at the gas limit's pressure
};

// The searches of one pass at the current temperature t; at t = 0.95 every
// midpoint of the liquid limit's search is appended to `console`. The
// coexistence pressure is searched from the liquid limit's pressure, or from
// lowest_p where that is higher.
Found find(std::string& console, double lowest_p = -HUGE_VAL);

// The rows of one pass from what it found, with Cv = cR.
void write(double c, const Found& found, Output& out);

// One pass at the current temperature t: its searches, then its rows.
void pass(double c, Output& out);

// Both preambles with their rule lines, then every pass of the sweep; leaves
// t just below 0.5.
void run(double c, Output& out);

// The searches of a whole sweep, with the console trace they print.
struct SweepSearch {
    std::vector<Found> passes;
    std::string console;
};
SweepSearch find_all();

// The run for c written from a sweep's searches: the same bytes as run(c),
// without searching again (the page keeps one sweep for every c).
void write_all(double c, const SweepSearch& sweep, Output& out);
