// The one halving rule by which every root of the program is found.
#pragma once

// A search function returns either a plain double or a value that carries
// more than its sign (see Coexistence); the sign test reads value_of().
inline double value_of(double f) { return f; }

// Bisection of f over [lo, hi] into r.
//
// Each pass sets r to the midpoint, evaluates f there and then at the current
// lower end, and moves the lower end to r when the product of the two is
// strictly positive, the upper end otherwise (zero or NaN included). It stops
// once hi - lo is no longer greater than the tolerance. No
// sign change over the bracket is required: if f keeps one sign, r ends
// within the tolerance of the initial upper end.
//
// r is left at the last midpoint evaluated. The return value is what f gave at
// the lower end as it stood at the start of the last pass.
//
// f must be deterministic: its value at the lower end is computed once, in the
// first pass, and afterwards carried over from the pass that moved the end,
// which gives the same bits as evaluating it again.
//
// each_pass(lo, hi) runs after the end has moved, before the stop test.
//
// The sweep stops at err (vdw.h); a search to finer precision gives its own
// tolerance, which must be above the spacing of doubles near the root or the
// search would never stop.
template <class F, class EachPass>
auto bisect(double tolerance, F&& f, double lo, double hi, double& r, EachPass&& each_pass)
{
    using Value = decltype(f(lo));
    Value f_lo{};
    Value f_lo_this_pass{};
    bool first = true;
    do {
        r = (lo + hi) / 2;
        const Value f_r = f(r);
        if (first) {
            f_lo = f(lo);
            first = false;
        }
        f_lo_this_pass = f_lo;
        if (value_of(f_r) * value_of(f_lo) > 0) {
            lo = r;
            f_lo = f_r;
        } else {
            hi = r;
        }
        each_pass(lo, hi);
    } while (hi - lo > tolerance);
    return f_lo_this_pass;
}

template <class F>
auto bisect(double tolerance, F&& f, double lo, double hi, double& r)
{
    return bisect(tolerance, f, lo, hi, r, [](double, double) {});
}
