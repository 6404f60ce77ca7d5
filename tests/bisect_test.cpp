// The halving rule: bracket kept each pass, which end moves, what is left behind.
#include "bisect.h"
#include "vdw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace {

struct Pass {
    double lo, hi;
};

// Runs the search and records the bracket after every pass.
std::vector<Pass> passes_of(const std::function<double(double)>& f, double lo, double hi, double& r)
{
    std::vector<Pass> seen;
    bisect(err, f, lo, hi, r, [&](double l, double h) { seen.push_back({l, h}); });
    return seen;
}

struct RootCase {
    const char* name;
    double (*f)(double);
    double lo, hi, root;
};

double square_minus_two(double x) { return x * x - 2; }
double cubic(double x) { return (x - 0.25) * (x * x + 1); }
double falling(double x) { return std::exp(-x) - 0.5; }

TEST(Bisect, KeepsTheRootInsideAHalvingBracketEveryPass)
{
    const RootCase cases[] = {
        {"x^2 - 2", square_minus_two, 0, 2, std::sqrt(2.0)},
        {"(x - 1/4)(x^2 + 1)", cubic, -3, 1, 0.25},
        {"exp(-x) - 1/2", falling, 0, 5, std::log(2.0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        double r = 0;
        const auto seen = passes_of(c.f, c.lo, c.hi, r);
        double width = c.hi - c.lo;
        for (const auto& pass : seen) {
            EXPECT_LE(pass.lo, c.root);
            EXPECT_GE(pass.hi, c.root);
            EXPECT_EQ(pass.hi - pass.lo, width / 2);
            width = pass.hi - pass.lo;
        }
        ASSERT_FALSE(seen.empty());
        EXPECT_LE(seen.back().hi - seen.back().lo, err);
        EXPECT_GT(seen[seen.size() - 2].hi - seen[seen.size() - 2].lo, err);
        EXPECT_NEAR(r, c.root, 2 * err);
    }
}

TEST(Bisect, LeavesTheLastMidpointNotTheMiddleOfTheFinalBracket)
{
    double r = 0;
    const auto seen = passes_of(square_minus_two, 0, 2, r);
    const Pass before_last = seen[seen.size() - 2];
    EXPECT_EQ(r, (before_last.lo + before_last.hi) / 2);
    EXPECT_TRUE(r == seen.back().lo || r == seen.back().hi);
}

TEST(Bisect, ExactZeroAtTheMidpointMovesTheUpperEnd)
{
    double r = 0;
    const auto seen = passes_of([](double x) { return x - 1; }, 0, 2, r);
    EXPECT_EQ(seen.front().lo, 0);
    EXPECT_EQ(seen.front().hi, 1);
    EXPECT_LT(r, 1);
    EXPECT_GT(r, 1 - err);
}

TEST(Bisect, NaNProductMovesTheUpperEnd)
{
    double r = 0;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto seen = passes_of([nan](double) { return nan; }, 0, 1, r);
    for (const auto& pass : seen)
        EXPECT_EQ(pass.lo, 0);
    EXPECT_LT(r, 2 * err);
}

TEST(Bisect, OneSignEverywhereEndsWithinErrOfTheUpperEnd)
{
    for (double sign : {1.0, -1.0}) {
        double r = 0;
        const auto seen = passes_of([sign](double x) { return sign * (1 + x * x); }, 0.5, 300, r);
        for (const auto& pass : seen)
            EXPECT_EQ(pass.hi, 300);
        EXPECT_LT(300 - r, err);
    }
}

TEST(Bisect, SignTestUsesTheProductNotTheSigns)
{
    // 1e-200 * 1e-200 underflows to 0, which is not > 0: the upper end moves.
    double r = 0;
    const auto seen = passes_of([](double) { return 1e-200; }, 0, 1, r);
    EXPECT_EQ(seen.front().lo, 0);
    EXPECT_EQ(seen.front().hi, 0.5);
}

// A value that remembers where it was computed, like the coexistence residual
// remembers its volumes.
struct Probe {
    double value;
    double x;
};
double value_of(const Probe& p) { return p.value; }

TEST(Bisect, ReturnsWhatFGaveAtTheLowerEndOfTheLastPass)
{
    const auto f = [](double x) { return Probe{x - 0.3, x}; };
    const Pass brackets[] = {{0, 1}, {0.25, 0.75}, {0.3, 0.3 + 1.5e-8} /* a single pass */};
    for (const Pass b : brackets) {
        SCOPED_TRACE(b.hi);
        double r = 0;
        std::vector<Pass> seen;
        const Probe at_lo = bisect(err, f, b.lo, b.hi, r, [&](double l, double h) { seen.push_back({l, h}); });
        const double lo_of_last_pass = seen.size() > 1 ? seen[seen.size() - 2].lo : b.lo;
        EXPECT_EQ(at_lo.x, lo_of_last_pass);
        EXPECT_EQ(at_lo.value, lo_of_last_pass - 0.3);
    }
}

TEST(Bisect, EvaluatesTheMidpointBeforeTheLowerEndAndNeverTheUpperEnd)
{
    std::vector<double> calls;
    double r = 0;
    bisect(err, [&](double x) { calls.push_back(x); return x - 0.7; }, 0, 1, r);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], 0.5);
    EXPECT_EQ(calls[1], 0.0);
    for (double x : calls)
        EXPECT_NE(x, 1.0);
}

}  // namespace
