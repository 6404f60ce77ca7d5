// The whole sweep, run in memory: rows, structure and the relations between
// the two reports.
#include "sweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "report_rows.h"
#include "reports.h"

namespace {

Output run_with(double c)
{
    return run(c);
}

class Sweep : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        out_ = new Output(run_with(1.5));
    }
    static void TearDownTestSuite() { delete out_; }

    static const Output& out() { return *out_; }
    static std::vector<std::string> coexistence_rows() { return rows_of(out_->coexistence); }
    static std::vector<std::string> property_rows() { return rows_of(out_->properties); }

    static inline Output* out_ = nullptr;
};

TEST_F(Sweep, Runs499PassesFrom0999To0501WithTLoweredBySubtraction)
{
    const auto rows = coexistence_rows();
    ASSERT_EQ(rows.size(), 499u);
    EXPECT_EQ(fields_of(rows.front())[0], "0.999000");
    EXPECT_EQ(fields_of(rows.back())[0], "0.501000");
    // The 50th pass at 0.95 exactly; the next t after the last is the first
    // at or below 0.5.
    EXPECT_EQ(out().states[49].t, 0.95);
    EXPECT_EQ(out().states.back().t - dt, 0.49999999999999956);
}

TEST_F(Sweep, CoexistenceRowsMatchKnownValues)
{
    const auto rows = coexistence_rows();
    EXPECT_EQ(rows[0], " 0.999000 0.996005 0.940178 1.067042  0.964562 0.995851 1.037663 0.996143 0.189650");
    EXPECT_EQ(rows[49], " 0.950000 0.811879 0.684122 1.727071  0.786967 0.740490 1.330036 0.845837 1.310582");
    EXPECT_EQ(rows[498], " 0.501000 0.028167 0.406981 45.438087  0.500334 -3.984016 3.722783 0.177700 3.215143");
}

TEST_F(Sweep, PropertyRowsMatchKnownValues)
{
    const auto rows = property_rows();
    ASSERT_EQ(rows.size(), 3u * 499);
    EXPECT_EQ(rows[0], " 0.999000 eq 0.996005 0.940178 1.067042 0.597629 0.787469 0.653076 0.842726 0.056045 0.056045 0.301918 0.444184");
    EXPECT_EQ(rows[1], " 0.999000 limliq 0.995851 0.964562 1.079309 0.637024 0.804049 0.692377 0.859228 0.055990 0.055983 0.332167 0.456166");
    EXPECT_EQ(rows[2], " 0.999000 limgas 0.996143 0.932321 1.037663 0.584597 0.746603 0.640106 0.801956 0.056093 0.056100 0.291834 0.414333");
    EXPECT_EQ(rows[1494], " 0.501000 eq 0.028167 0.406981 45.438087 -2.546576 3.870876 -2.008459 1.206685 -0.732624 -0.732624 -2.012758 0.726741");
    EXPECT_EQ(rows[1495], " 0.501000 limliq -3.984016 0.500334 300.000000 -1.727872 5.764559 -2.244501 1.245557 -1.378838 -1.642487 -1.497000 0.747750");
    EXPECT_EQ(rows[1496], " 0.501000 limgas 0.177700 0.406047 3.722783 -2.559334 1.282556 -1.992056 0.697384 -0.709829 0.054823 -2.019113 0.449307");
}

TEST_F(Sweep, ReportsHaveTheirKnownSizesAndOnlyCrLfLineBreaks)
{
    EXPECT_EQ(out().coexistence.size(), 43027u);
    EXPECT_EQ(out().properties.size(), 182351u);
    for (const std::string* s : {&out().coexistence, &out().properties}) {
        for (size_t i = 0; i < s->size(); ++i) {
            if ((*s)[i] == '\n') {
                ASSERT_TRUE(i > 0 && (*s)[i - 1] == '\r') << "bare LF at byte " << i;
            }
        }
    }
}

TEST_F(Sweep, EachReportHasOneRuleOfNinetyEqualsSigns)
{
    // The preambles use "=" only singly, in formulas.
    for (const std::string* s : {&out().coexistence, &out().properties}) {
        std::vector<size_t> runs;
        for (size_t i = 0; i < s->size(); ++i) {
            if ((*s)[i] != '=')
                continue;
            const size_t end = s->find_first_not_of('=', i);
            if (end - i > 1)
                runs.push_back(end - i);
            i = end;
        }
        EXPECT_EQ(runs, std::vector<size_t>{90});
        EXPECT_NE(s->find("\r\n" + std::string(90, '=') + "\r\n"), std::string::npos);
    }
}

TEST_F(Sweep, CoexistenceReportEndsWithoutALineBreakAndPropertyReportWithOne)
{
    EXPECT_EQ(out().coexistence.substr(out().coexistence.size() - 9), " 3.215143");
    EXPECT_EQ(out().properties.substr(out().properties.size() - 11), " 0.449307\r\n");
    // Each pass of the property report starts with one empty line.
    const auto lines = lines_of(out().properties);
    size_t empty_after_rule = 0;
    bool after_rule = false;
    for (const auto& line : lines) {
        if (after_rule && line.empty())
            ++empty_after_rule;
        after_rule = after_rule || line == std::string(90, '=');
    }
    EXPECT_EQ(empty_after_rule, 499u + 1 /* after the final line break */);
}

TEST_F(Sweep, TracesTheLiquidLimitSearchOnceAtT095)
{
    std::istringstream in(out().console);
    std::vector<std::string> console;
    for (std::string line; std::getline(in, line);)
        console.push_back(line);
    ASSERT_EQ(console.size(), 2u + 1 + 27);
    EXPECT_EQ(console[0], "");
    EXPECT_EQ(console[1], " proceso para t = 0.95");
    EXPECT_EQ(console[2], "");
    EXPECT_EQ(console[3], " v: 0.689602");
    EXPECT_EQ(console.back(), " v: 0.786967");
    EXPECT_EQ(out().console.back(), '7') << "no line break after the last value";
}

TEST_F(Sweep, PropertyRowsRepeatTheCoexistenceRowsAndTheLimits)
{
    const auto coexistence = coexistence_rows();
    const auto properties = property_rows();
    for (size_t i = 0; i < coexistence.size(); ++i) {
        const auto c = fields_of(coexistence[i]);
        const auto eq = fields_of(properties[3 * i]);
        const auto limliq = fields_of(properties[3 * i + 1]);
        const auto limgas = fields_of(properties[3 * i + 2]);
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(eq[1], "eq");
        EXPECT_EQ(limliq[1], "limliq");
        EXPECT_EQ(limgas[1], "limgas");
        for (const auto* row : {&eq, &limliq, &limgas})
            EXPECT_EQ((*row)[0], c[0]);
        // eq: p, vl, vg.  limliq: plmin, vlmax.  limgas: pgmax, vgmin.
        EXPECT_EQ(eq[2], c[1]);
        EXPECT_EQ(eq[3], c[2]);
        EXPECT_EQ(eq[4], c[3]);
        EXPECT_EQ(limliq[2], c[5]);
        EXPECT_EQ(limliq[3], c[4]);
        EXPECT_EQ(limgas[2], c[7]);
        EXPECT_EQ(limgas[4], c[6]);
    }
}

TEST_F(Sweep, LimitGasVolumeHas300WhereNoRootExists)
{
    const auto properties = property_rows();
    std::map<std::string, std::string> limliq_vg;
    for (size_t i = 1; i < properties.size(); i += 3) {
        const auto f = fields_of(properties[i]);
        limliq_vg[f[0]] = f[4];
    }
    EXPECT_EQ(limliq_vg["0.845000"], "224.665675");
    for (const auto& [temperature, vg] : limliq_vg) {
        if (std::atof(temperature.c_str()) < 0.8445) {
            EXPECT_EQ(vg, "300.000000") << temperature;
        }
    }
}

TEST_F(Sweep, LiquidLimitPressureTurnsNegativeBelow0844)
{
    const auto rows = coexistence_rows();
    EXPECT_EQ(fields_of(rows[155])[5], "0.001999");
    EXPECT_EQ(fields_of(rows[156])[5], "-0.006005");
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(fields_of(rows[i])[5][0] == '-', i >= 156) << i;
}

TEST_F(Sweep, CoexistingGibbsEnergiesPrintEqualButInNineRows)
{
    const auto properties = property_rows();
    int differ = 0;
    for (size_t i = 0; i < properties.size(); i += 3) {
        const auto f = fields_of(properties[i]);
        differ += f[9] != f[10];
    }
    EXPECT_EQ(differ, 9);
}

// The unrounded states the page draws from are those of the printed rows.
TEST_F(Sweep, KeepsTheUnroundedStateBehindEachCoexistenceRow)
{
    const auto rows = coexistence_rows();
    ASSERT_EQ(out().states.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const Coexistence& s = out().states[i];
        std::string printed;
        for (double x : {s.t, s.p, s.vl, s.vg}) {
            printed += ' ';
            number(printed, x);
        }
        EXPECT_EQ(rows[i].substr(0, printed.size()), printed) << i;
    }
}

TEST_F(Sweep, HeatCapacityChangesOnlyThePropertyColumns)
{
    for (double c : {2.5, 0.0, 1e6}) {
        SCOPED_TRACE(c);
        const Output other = run_with(c);
        const auto a = rows_of(out().coexistence);
        const auto b = rows_of(other.coexistence);
        EXPECT_EQ(a, b);
        const auto pa = rows_of(out().properties);
        const auto pb = rows_of(other.properties);
        ASSERT_EQ(pa.size(), pb.size());
        for (size_t i = 0; i < pa.size(); ++i) {
            const auto fa = fields_of(pa[i]);
            const auto fb = fields_of(pb[i]);
            EXPECT_EQ(std::vector<std::string>(fa.begin(), fa.begin() + 5),
                      std::vector<std::string>(fb.begin(), fb.begin() + 5));
        }
    }
}

}  // namespace

// The model is values: runs for two values of c on two threads at once give
// the bytes of one run after the other (run under ThreadSanitizer in CI).
TEST(Runs, OnTwoThreadsGiveTheSameBytesAsOneAfterTheOther)
{
    const double cs[] = {1.5, 2.5};
    Output alone[2], together[2];
    for (int i = 0; i < 2; ++i)
        alone[i] = run(cs[i]);
    std::thread other([&] { together[1] = run(cs[1]); });
    together[0] = run(cs[0]);
    other.join();
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(cs[i]);
        EXPECT_EQ(together[i].coexistence, alone[i].coexistence);
        EXPECT_EQ(together[i].properties, alone[i].properties);
        EXPECT_EQ(together[i].console, alone[i].console);
    }
    EXPECT_NE(alone[0].properties, alone[1].properties);
}
