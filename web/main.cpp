// vdwcoex in the browser: the console program's reply reader, sweep and
// reports, and the model's isotherm and Maxwell construction, offered to the
// page by name through Embind. The page's adapter (program.js) is the only
// code that calls them.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "maxwell.h"
#include "nature.h"
#include "query.h"
#include "reply.h"
#include "reports.h"
#include "state.h"
#include "substances.h"
#include "sweep.h"
#include "tables_csv.h"

using emscripten::val;

namespace {

// Bytes as a Uint8Array of the page's own (a copy, not a view of the heap):
// the reports hold a byte that is not UTF-8.
val bytes_of(const std::string& text)
{
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    return val(emscripten::typed_memory_view(text.size(), data)).call<val>("slice");
}

// Rows of cells as the page splits them: a tab between cells, a line break
// after each row.
void append_rows(std::string& out, const std::vector<Fields>& rows)
{
    for (const Fields& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += '\t';
            out += row[i];
        }
        out += '\n';
    }
}

std::string rows_of(const std::vector<Fields>& rows)
{
    std::string out;
    append_rows(out, rows);
    return out;
}

// A table as a workbook's sheet: its names, its units, then its rows.
std::string sheet_of(const Table& table)
{
    std::string sheet;
    append_rows(sheet, {table.names, table.units});
    append_rows(sheet, table.rows);
    return sheet;
}

const Substance& substance(int i) { return substances().at(static_cast<size_t>(i)); }

// The searches do not depend on c: made once, kept for every run.
const SweepSearch& kept_sweep()
{
    static const SweepSearch sweep = find_all();
    return sweep;
}

// The unrounded state behind a row, by name.
struct RowState {
    double t, p, vl, vg, vlmax, plmin, vgmin, pgmax;
};

RowState row_state(const Coexistence& s)
{
    return {s.t, s.p, s.vl, s.vg, s.limits.vlmax, s.limits.plmin, s.limits.vgmin, s.limits.pgmax};
}

// A line at pressure p on the isotherm of state s, with Cv = cR; null where
// p is not between its limits' pressures or not above 0.
val trial_on(const RowState& s, double p, double c)
{
    if (!(p > 0 && p >= s.plmin && p <= s.pgmax))
        return val::null();
    return val(trial_line(s.t, p, s.vlmax, s.vgmin, c));
}

// The Gibbs energy along the isotherm of state s for a chart of pressures
// p_low to p_high, each branch sampled at count + 1 pressures in that range:
// { liquid, metastableLiquid, unstable, metastableGas, gas }, each an array
// of { p, v, g } in increasing p.
val gibbs_chart(const RowState& s, double p_low, double p_high, int count, double c)
{
    const GibbsBranches b = gibbs_branches(s.t, s.p, s.vl, s.vg, s.vlmax, s.plmin, s.vgmin, s.pgmax, p_low, p_high,
                                           count, c);
    const auto array_of = [](const std::vector<GibbsPoint>& points) {
        val list = val::array();
        for (const GibbsPoint& q : points) {
            val o = val::object();
            o.set("p", q.p);
            o.set("v", q.v);
            o.set("g", q.g);
            list.call<void>("push", o);
        }
        return list;
    };
    val o = val::object();
    o.set("liquid", array_of(b.liquid));
    o.set("metastableLiquid", array_of(b.metastable_liquid));
    o.set("unstable", array_of(b.unstable));
    o.set("metastableGas", array_of(b.metastable_gas));
    o.set("gas", array_of(b.gas));
    return o;
}

// The state at any t the model solves, off the table's rows: what a row
// holds, unrounded, with its construction at the vapour pressure and its
// properties with Cv = cR.
struct StateAt {
    RowState state;
    MaxwellAreas areas;
    Properties properties;
    double latent;
};

// Null outside lowest_state_t <= t < 1.
val state_at_t(double t, double c)
{
    if (!(t >= lowest_state_t && t < 1))
        return val::null();
    const Coexistence s = state_at(t);
    const Properties phases = properties(s.t, s.vl, s.vg, c);
    return val(StateAt{row_state(s), maxwell_areas(s.t, s.p, s.vl, s.vg, s.limits.vlmax, s.limits.vgmin), phases,
                       phases.latent()});
}

double lowest_t() { return lowest_state_t; }

// x as the reports print it, fixed with six decimals, so that a number the
// page prints off the table's rows reads as a row's would (JavaScript's
// toFixed rounds a tie the other way: 0.5078125 to 0.507813, the reports to
// 0.507812).
std::string fixed(double x)
{
    std::string out;
    number(out, x);
    return out;
}

// The model against nature, from the sweep's states (none of it depends on
// c): each row's coexisting densities over the critical density, 1/vl and
// 1/vg, with their diameter, beside Guggenheim's at the same t; the rows
// nearest the critical point, t >= 0.990, for the critical exponent, with
// both slopes; the model's Zc and acentric factor; and Clapeyron's two
// slopes at each row.
val model_against_nature()
{
    const std::vector<Coexistence>& states = kept_sweep().passes;
    val rows = val::array(), clapeyron = val::array();
    std::vector<double> near_t, near_model, near_guggenheim, latent;
    for (const Coexistence& s : states) {
        const double liquid = 1 / s.vl, gas = 1 / s.vg;
        const double gl = guggenheim_density(s.t, true), gg = guggenheim_density(s.t, false);
        val row = val::object();
        row.set("t", s.t);
        row.set("liquid", liquid);
        row.set("gas", gas);
        row.set("diameter", (liquid + gas) / 2);
        row.set("guggenheimLiquid", gl);
        row.set("guggenheimGas", gg);
        row.set("guggenheimDiameter", (gl + gg) / 2);
        row.set("width", liquid - gas);
        row.set("guggenheimWidth", gl - gg);
        row.set("p", s.p);
        row.set("inverseT", 1 / s.t);
        rows.call<void>("push", row);
        if (near_critical(s.t)) {
            near_t.push_back(s.t);
            near_model.push_back(liquid - gas);
            near_guggenheim.push_back(gl - gg);
        }
        latent.push_back(properties(s.t, s.vl, s.vg, 1.5).latent());
    }
    const std::vector<ClapeyronSlopes> slopes = clapeyron_slopes(states, latent);
    for (const ClapeyronSlopes& slope : slopes) {
        val point = val::object();
        point.set("t", slope.t);
        point.set("fromP", slope.from_p);
        point.set("fromLatent", slope.from_latent);
        clapeyron.call<void>("push", point);
    }
    val o = val::object();
    o.set("rows", rows);
    o.set("nearCritical", static_cast<int>(near_t.size()));
    o.set("exponent", critical_exponent(near_t, near_model));
    o.set("guggenheimExponent", critical_exponent(near_t, near_guggenheim));
    o.set("zc", critical_compressibility());
    o.set("acentric", model_acentric_factor());
    o.set("clapeyron", clapeyron);
    o.set("clapeyronLargest", largest_clapeyron_deviation(slopes));
    return o;
}

// A saturation state as the page shows it: T (K), p (Pa), the densities
// (kg/m3) and the latent heat (J/mol).
val shown_saturation(const Substance& fluid, double temperature, const MeasuredSaturation& m)
{
    val o = val::object();
    o.set("temperature", temperature);
    o.set("p", m.p);
    o.set("liquid", mass_density(fluid, m.rho_liquid));
    o.set("vapour", mass_density(fluid, m.rho_vapour));
    o.set("latent", m.latent);
    return o;
}

// The real fluid beside the model, shown the same way.
val shown_saturation(const MeasuredBeside& m)
{
    val o = val::object();
    o.set("temperature", m.temperature);
    o.set("p", m.saturation->p);
    o.set("liquid", m.rho_liquid);
    o.set("vapour", m.rho_vapour);
    o.set("latent", m.saturation->latent);
    return o;
}

// The temperatures (K) below the table's rows at which a substance's
// measured curves are drawn: every 0.01 T/Tc from 0.50 down, and its triple
// point (those below it are left out where they are drawn).
std::vector<double> below_the_rows(const Substance& fluid)
{
    std::vector<double> temperatures;
    for (int k = 50; k > 0; --k)
        temperatures.push_back(k / 100.0 * fluid.tc);
    temperatures.push_back(fluid.t_triple);
    return temperatures;
}

// Each substance's measured saturation curves, reduced (T/Tc, Tc/T, p/pc and
// the densities over rhoc): at Tc, at the table's temperatures from its
// triple point up (as nature_KEY.csv prints them), and below t = 0.501 every
// 0.01 down to its triple point; and its numbers against the model's (Zc,
// omega, Tb/Tc, the latent heat at Tb in J/mol, Trouton's ratio), each as
// {measured, model}.
val measured_fluids()
{
    val list = val::array();
    for (const Substance& fluid : substances()) {
        val points = val::array();
        const auto add = [&](double temperature) {
            const std::optional<MeasuredSaturation> m = measured_saturation(fluid, temperature);
            if (!m)
                return;
            val point = val::object();
            point.set("t", temperature / fluid.tc);
            point.set("inverseT", fluid.tc / temperature);
            point.set("p", m->p / fluid.pc);
            point.set("liquid", m->rho_liquid / fluid.rhoc);
            point.set("vapour", m->rho_vapour / fluid.rhoc);
            points.call<void>("push", point);
        };
        add(fluid.tc);
        for (const Coexistence& s : kept_sweep().passes)
            add(s.t * fluid.tc);
        for (const double temperature : below_the_rows(fluid))
            add(temperature);
        // Its width (rho_l - rho_g)/rhoc at the rows nearest Tc, and the
        // critical exponent they give.
        std::vector<double> near_t, near_width;
        val near = val::array();
        for (const Coexistence& s : kept_sweep().passes)
            if (near_critical(s.t))
                if (const std::optional<MeasuredSaturation> m = measured_saturation(fluid, s.t * fluid.tc)) {
                    near_t.push_back(s.t);
                    near_width.push_back((m->rho_liquid - m->rho_vapour) / fluid.rhoc);
                    val point = val::object();
                    point.set("t", s.t);
                    point.set("width", near_width.back());
                    near.call<void>("push", point);
                }
        const AgainstNature row = against_nature(fluid);
        const auto pair = [](const Compared& c) {
            val o = val::object();
            o.set("measured", c.measured);
            o.set("model", c.model);
            return o;
        };
        val o = val::object();
        o.set("key", fluid.key);
        o.set("points", points);
        o.set("tripleT", fluid.t_triple / fluid.tc);
        o.set("near", near);
        o.set("exponent", critical_exponent(near_t, near_width));
        o.set("zc", pair(row.zc));
        o.set("omega", pair(row.omega));
        o.set("boilingT", pair(row.boiling_t));
        o.set("latent", pair(row.latent));
        o.set("trouton", pair(row.trouton));
        o.set("source", fluid.pressure.source);
        list.call<void>("push", o);
    }
    return list;
}

// A point of an isobar: its t, the phase's volume, entropy and enthalpy.
struct IsobarPoint {
    double t, v, s, h;
};

// The isobar at state s's vapour pressure, heated through s.t: the liquid at
// `count` + 1 temperatures from t_low up to s.t, and the gas from s.t up to
// t_high, with Cv = cR. Below t = 1 each phase's volume is found between its
// limits, from the model's state at that t.
val isobar(const RowState& s, double t_low, double t_high, int count, double c)
{
    const auto point = [&](double at_t, bool liquid) {
        double vlmax = 0, vgmin = 0;
        if (at_t < 1) {
            const Coexistence there = state_at(at_t);
            vlmax = there.limits.vlmax;
            vgmin = there.limits.vgmin;
        }
        const double v = phase_volume(at_t, s.p, liquid, vlmax, vgmin);
        return IsobarPoint{at_t, v, entropy(at_t, v, c), enthalpy(at_t, v, c)};
    };
    val liquid = val::array(), gas = val::array();
    for (int k = 0; k <= count; ++k) {
        liquid.call<void>("push", point(k == count ? s.t : t_low + (s.t - t_low) * k / count, true));
        gas.call<void>("push", point(k == 0 ? s.t : s.t + (t_high - s.t) * k / count, false));
    }
    // Boiling at s.t: the heat taken in, t (sg - sl), and hg - hl.
    const Properties phases = properties(s.t, s.vl, s.vg, c);
    val o = val::object();
    o.set("liquid", liquid);
    o.set("gas", gas);
    o.set("boilingHeat", s.t * (phases.sg - phases.sl));
    o.set("latent", phases.latent());
    return o;
}

// Liquid and gas of state s together at overall volume v on its tie line:
// the gas's share by the lever rule, and the whole's entropy and enthalpy
// with Cv = cR.
struct Mixture {
    double gas, s, h;
};

Mixture two_phase(const RowState& s, double v, double c)
{
    const double gas = gas_fraction(v, s.vl, s.vg);
    const Properties phases = properties(s.t, s.vl, s.vg, c);
    return {gas, phases.sl * (1 - gas) + phases.sg * gas, phases.hl * (1 - gas) + phases.hg * gas};
}

// The sheets of a run's workbook, each as rows of cells; the SI ones empty
// without a substance.
struct Sheets {
    std::string coexistence, properties, about, coexistence_si, properties_si;
};

struct SiTables {
    std::string coexistence, properties;
};

// One run of the program for a reply, read as the console program reads it.
class Run {
public:
    explicit Run(const std::string& reply)
    {
        if (const auto number = read_number(std::string_view(reply), reply_end_))
            c_ = *number;
        out_ = write_all(c_, kept_sweep());
    }

    double c() const { return c_; }
    // Where the number read ends in the reply: the index of its first byte
    // left unread.
    int reply_end() const { return static_cast<int>(reply_end_); }

    val coexistence_report() const { return bytes_of(out_.coexistence); }
    val property_report() const { return bytes_of(out_.properties); }
    std::string trace() const { return out_.console; }
    std::string coexistence_rows() const { return rows_of(report_rows(out_.coexistence)); }
    std::string property_rows() const { return rows_of(report_rows(out_.properties)); }
    std::string coexistence_csv_text() const { return coexistence_csv(out_.coexistence); }
    std::string property_csv_text() const { return property_csv(out_.properties); }

    // The workbook's sheets, with substance i's SI tables where i >= 0.
    Sheets sheets(int i) const
    {
        const Table reduced[] = {coexistence_table(out_.coexistence), property_table(out_.properties)};
        Sheets s{sheet_of(reduced[0]), sheet_of(reduced[1]), "", "", ""};
        std::vector<std::string> header;
        if (i >= 0) {
            const Substance& fluid = substance(i);
            header = si_header(fluid, c_, VDWCOEX_VERSION);
            s.coexistence_si = sheet_of(view_of(si_table(reduced[0], fluid)));
            s.properties_si = sheet_of(view_of(si_table(reduced[1], fluid)));
        }
        std::string shown;
        number(shown, c_);
        for (const auto& [name, value] : about_lines(shown, VDWCOEX_VERSION, header))
            s.about += name + '\t' + value + '\n';
        return s;
    }

    // The SI tables of substance i, as CSV.
    SiTables si_tables(int i) const
    {
        const Substance& fluid = substance(i);
        const std::vector<std::string> header = si_header(fluid, c_, VDWCOEX_VERSION);
        return {si_csv(si_table(coexistence_table(out_.coexistence), fluid), header),
                si_csv(si_table(property_table(out_.properties), fluid), header)};
    }

    // Substance i against the model, as nature_KEY.csv.
    std::string nature_file(int i) const
    {
        const Substance& fluid = substance(i);
        return si_csv(nature_table(fluid, out_.states, c_), nature_header(fluid, VDWCOEX_VERSION));
    }

    // Substance i against the model in SI units at the rows' temperatures:
    // model, the model's {temperature, p, liquid, vapour (kg/m3), latent};
    // measured, the same from the measured curves where there are any (and
    // below t = 0.501 every 0.01 T/Tc down to the triple point).
    val nature_si(int i) const
    {
        const Substance& fluid = substance(i);
        val model = val::array(), measured = val::array();
        for (const NaturePoint& n : nature_points(fluid, out_.states, c_)) {
            model.call<void>("push", shown_saturation(fluid, n.temperature,
                                                      MeasuredSaturation{n.p, n.rho_liquid, n.rho_vapour, n.latent}));
            if (n.measured)
                measured.call<void>("push", shown_saturation(fluid, n.temperature, *n.measured));
        }
        for (const double temperature : below_the_rows(fluid))
            if (const std::optional<MeasuredSaturation> m = measured_saturation(fluid, temperature))
                measured.call<void>("push", shown_saturation(fluid, temperature, *m));
        val o = val::object();
        o.set("model", model);
        o.set("measured", measured);
        return o;
    }

    int row_count() const { return static_cast<int>(out_.states.size()); }

    // Row `row` (0 for t = 0.999), unrounded; null for a row that is not there.
    val state(int row) const
    {
        if (!has(row))
            return val::null();
        return val(row_state(at(row)));
    }

    // The Maxwell construction at a row, from its unrounded state.
    val maxwell(int row) const
    {
        if (!has(row))
            return val::null();
        const Coexistence& s = at(row);
        return val(maxwell_areas(s.t, s.p, s.vl, s.vg, s.limits.vlmax, s.limits.vgmin));
    }

    // A line at pressure p on the isotherm of a row, with Cv = cR; null
    // where p is not between the row's limits' pressures or not above 0.
    val trial(int row, double p, double c) const
    {
        return has(row) ? trial_on(row_state(at(row)), p, c) : val::null();
    }

private:
    bool has(int row) const { return row >= 0 && static_cast<size_t>(row) < out_.states.size(); }
    const Coexistence& at(int row) const { return out_.states[static_cast<size_t>(row)]; }

    double c_ = 1.5;
    size_t reply_end_ = 0;
    Output out_;
};

// What c means for the results (see CKind), by name.
std::string c_kind(double c)
{
    switch (kind_of_c(c)) {
    case CKind::plain: return "plain";
    case CKind::not_positive: return "notPositive";
    case CKind::not_a_number: return "notANumber";
    case CKind::infinite: return "infinite";
    case CKind::too_large: return "tooLarge";
    }
    return "plain";
}

// The substances of the table, by name, with their van der Waals Vc.
val substance_list()
{
    val list = val::array();
    for (const Substance& s : substances()) {
        val o = val::object();
        o.set("key", s.key);
        o.set("formula", s.formula);
        o.set("nameEn", s.name_en);
        o.set("nameEs", s.name_es);
        o.set("source", s.source);
        o.set("tc", s.tc);
        o.set("pc", s.pc);
        o.set("molarMass", s.molar_mass);
        o.set("c", s.c);
        o.set("refT", s.ref_t);
        o.set("refP", s.ref_p);
        o.set("refLatent", s.ref_latent);
        o.set("vc", critical_volume(s));
        list.call<void>("push", o);
    }
    return list;
}

// A reduced number of substance i in SI units, and back.
double to_si(int i, Quantity quantity, double x) { return x * si_unit(substance(i), quantity); }
double from_si(int i, Quantity quantity, double x) { return x / si_unit(substance(i), quantity); }

// The coexistence state of substance i at the vapour pressure `pressure`
// (Pa), with Cv = cR: its T (K), p (Pa), volumes (m3/mol), latent heat
// (J/mol) and t; null where the model's searches do not reach it.
val boiling_at(int i, double pressure, double c)
{
    const Substance& fluid = substance(i);
    const double p = pressure / si_unit(fluid, Quantity::pressure);
    if (!(p >= lowest_state_p() && p < 1))
        return val::null();
    const Coexistence s = state_at(t_at_pressure(p));
    const SiState x = si_state(fluid, s, c);
    val o = val::object();
    o.set("temperature", x.temperature);
    o.set("pressure", x.pressure);
    o.set("vl", x.v_liquid);
    o.set("vg", x.v_gas);
    o.set("latent", x.latent);
    o.set("t", s.t);
    // The real fluid at that pressure, from its measured curves: where it
    // boils, its densities (kg/m3) and latent heat; null where it has none
    // or the pressure is below its triple point's (it is solid there).
    const MeasuredBeside m = measured_at_pressure(fluid, pressure);
    o.set("measured", m.saturation ? shown_saturation(m) : val::null());
    o.set("belowTriple", m.solid);
    return o;
}

// Substance i's measured saturation state at `temperature` (K), as
// shown_saturation gives it; { solid: true, tripleT } below its triple point;
// null where it has no curves or T is above Tc.
val measured_at(int i, double temperature)
{
    const Substance& fluid = substance(i);
    const MeasuredBeside m = measured_at_temperature(fluid, temperature);
    if (m.saturation)
        return shown_saturation(m);
    if (!m.solid)
        return val::null();
    val o = val::object();
    o.set("solid", true);
    o.set("tripleT", fluid.t_triple);
    return o;
}

// The lowest and highest pressure (Pa) at which boilingAt answers.
val boiling_range(int i)
{
    val o = val::object();
    o.set("lowest", to_si(i, Quantity::pressure, lowest_state_p()));
    o.set("highest", to_si(i, Quantity::pressure, 1.0));
    return o;
}

}  // namespace

EMSCRIPTEN_BINDINGS(vdwcoex)
{
    using namespace emscripten;
    value_object<RowState>("RowState")
        .field("t", &RowState::t)
        .field("p", &RowState::p)
        .field("vl", &RowState::vl)
        .field("vg", &RowState::vg)
        .field("vlmax", &RowState::vlmax)
        .field("plmin", &RowState::plmin)
        .field("vgmin", &RowState::vgmin)
        .field("pgmax", &RowState::pgmax);
    value_object<MaxwellAreas>("MaxwellAreas")
        .field("vMiddle", &MaxwellAreas::v_middle)
        .field("liquidArea", &MaxwellAreas::liquid_area)
        .field("gasArea", &MaxwellAreas::gas_area);
    value_object<TrialLine>("TrialLine")
        .field("vl", &TrialLine::vl)
        .field("vg", &TrialLine::vg)
        .field("areas", &TrialLine::areas)
        .field("gl", &TrialLine::gl)
        .field("gg", &TrialLine::gg);
    value_object<Properties>("Properties")
        .field("sl", &Properties::sl)
        .field("sg", &Properties::sg)
        .field("hl", &Properties::hl)
        .field("hg", &Properties::hg)
        .field("gl", &Properties::gl)
        .field("gg", &Properties::gg)
        .field("ul", &Properties::ul)
        .field("ug", &Properties::ug);
    value_object<IsobarPoint>("IsobarPoint")
        .field("t", &IsobarPoint::t)
        .field("v", &IsobarPoint::v)
        .field("s", &IsobarPoint::s)
        .field("h", &IsobarPoint::h);
    value_object<Mixture>("Mixture")
        .field("gas", &Mixture::gas)
        .field("s", &Mixture::s)
        .field("h", &Mixture::h);
    value_object<StateAt>("StateAt")
        .field("state", &StateAt::state)
        .field("areas", &StateAt::areas)
        .field("properties", &StateAt::properties)
        .field("latent", &StateAt::latent);
    value_object<Sheets>("Sheets")
        .field("coexistence", &Sheets::coexistence)
        .field("properties", &Sheets::properties)
        .field("about", &Sheets::about)
        .field("coexistenceSi", &Sheets::coexistence_si)
        .field("propertiesSi", &Sheets::properties_si);
    value_object<SiTables>("SiTables")
        .field("coexistence", &SiTables::coexistence)
        .field("properties", &SiTables::properties);
    enum_<Quantity>("Quantity")
        .value("temperature", Quantity::temperature)
        .value("pressure", Quantity::pressure)
        .value("volume", Quantity::volume)
        .value("entropy", Quantity::entropy)
        .value("energy", Quantity::energy)
        .value("work", Quantity::work);
    class_<Run>("Run")
        .constructor<std::string>()
        .function("c", &Run::c)
        .function("replyEnd", &Run::reply_end)
        .function("coexistenceReport", &Run::coexistence_report)
        .function("propertyReport", &Run::property_report)
        .function("trace", &Run::trace)
        .function("coexistenceRows", &Run::coexistence_rows)
        .function("propertyRows", &Run::property_rows)
        .function("coexistenceCsv", &Run::coexistence_csv_text)
        .function("propertyCsv", &Run::property_csv_text)
        .function("sheets", &Run::sheets)
        .function("siTables", &Run::si_tables)
        .function("natureFile", &Run::nature_file)
        .function("natureSi", &Run::nature_si)
        .function("rowCount", &Run::row_count)
        .function("state", &Run::state)
        .function("maxwell", &Run::maxwell)
        .function("trial", &Run::trial);
    function("isothermPressure", &isotherm_pressure);
    function("gibbsEnergy", &gibbs_energy);
    function("entropy", &entropy);
    function("enthalpy", &enthalpy);
    function("isobar", &isobar);
    function("twoPhase", &two_phase);
    function("againstNature", &model_against_nature);
    function("measuredFluids", &measured_fluids);
    function("gasFraction", &gas_fraction);
    function("cKind", &c_kind);
    function("substances", &substance_list);
    function("toSi", &to_si);
    function("fromSi", &from_si);
    function("boilingAt", &boiling_at);
    function("measuredAt", &measured_at);
    function("stateAt", &state_at_t);
    function("trialLine", &trial_on);
    function("gibbsChart", &gibbs_chart);
    function("lowestStateT", &lowest_t);
    function("fixed", &fixed);
    function("boilingRange", &boiling_range);
}
