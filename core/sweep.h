// The temperature sweep: one pass per reduced temperature from 0.999 down to
// 0.501 in steps of 0.001, each writing its rows to the two reports.
#pragma once

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

// One pass at the current temperature t: spinodal limits, coexistence
// pressure and volumes, and the rows of both reports.
void pass(double c, Output& out);

// Both preambles with their rule lines, then every pass of the sweep; leaves
// t just below 0.5.
void run(double c, Output& out);
