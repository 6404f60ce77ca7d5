// The temperature sweep: one pass per reduced temperature from 0.999 down to
// 0.501 in steps of 0.001, each writing its rows to the two reports.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "coexistence.h"

// The largest c for which the latent heat keeps every digit it has at small
// c: hg - hl is the difference of two numbers of the size of c t, so it
// loses digits as c grows. Every row kept its six decimals for every c
// tried up to 8e6; one row differed at 9e6, four at 1e8, all at 1e12.
constexpr double largest_exact_c = 1e6;

// What a c means for a run's results: a plain one; one whose entropies and
// energies are not physical (c not positive); one whose properties are not
// numbers (c NaN, or infinite); or one whose latent heat may lose its last
// digit (c above largest_exact_c). The pressures and volumes hold in all.
enum class CKind { plain, not_positive, not_a_number, infinite, too_large };
CKind kind_of_c(double c);

// The sweep's first temperature and its step. t is lowered by subtraction,
// never recomputed from a count: this gives exactly 499 passes, one of them
// at t == 0.95 exactly, and ends with t just below 0.5.
constexpr double first_t = 0.999;
constexpr double dt = 0.001;

// The searches of one pass on the isotherm. At t = 0.95 every midpoint of
// the liquid limit's search is appended to `trace`. The coexistence pressure
// is searched from the liquid limit's pressure, or from lowest_p where that
// is higher. The volumes are those of the residual at the lower pressure end
// of the search's last pass.
Coexistence find(const Isotherm& isotherm, std::string& trace, double lowest_p = -HUGE_VAL);

// The searches of a whole sweep, with the console trace they print.
struct SweepSearch {
    std::vector<Coexistence> passes;
    std::string console;
};
SweepSearch find_all();

// What one run writes: the two report files and the console trace, and the
// states behind the rows of the coexistence report.
struct Output {
    std::string coexistence;  // "vdw_coex.dat"
    std::string properties;   // "clatente.dat"
    std::string console;      // the search trace at t = 0.95
    std::vector<Coexistence> states;
};

// The rows of one pass, with Cv = cR; the pass itself is not kept.
void write(double c, const Coexistence& found, Output& out);

// The run for c written from a sweep's searches: both preambles with their
// rule lines, then the rows of every pass (the searches do not depend on c,
// so the page keeps one sweep for every c).
Output write_all(double c, const SweepSearch& sweep);

// A whole run for c: the sweep's searches, then its reports.
Output run(double c);
