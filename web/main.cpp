// vdwcoex in the browser: the console program's reply reader, sweep and
// reports, the model's isotherm and Maxwell construction, the states and the
// model against nature, offered to the page by name through Embind. This
// only hands values over: every number is worked out in model/ and core/.
// The page's adapter (program.js) is the only code that calls them.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "marshal.h"
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

using namespace marshal;

namespace {

// The searches do not depend on c: made once, kept for every run.
const SweepSearch& kept_sweep()
{
    static const SweepSearch sweep = find_all();
    return sweep;
}

// The unrounded state behind a row, as the page hands it back: the fields
// state_numbers names.
struct RowState {
    double t, p, vl, vg, vlmax, plmin, vgmin, pgmax;
};

// The state behind a row for the page, by the names core gives its numbers.
val state_of(const Coexistence& s)
{
    val o = val::object();
    for (const NamedNumber& x : state_numbers(s))
        o.set(x.key, x.value);
    return o;
}

// A line at pressure p on the isotherm of state s, with Cv = cR; null where
// p is not between its limits' pressures or not above 0.
val trial_on(const RowState& s, double p, double c)
{
    if (!trial_line_reaches(p, s.plmin, s.pgmax))
        return val::null();
    return val(trial_line(s.t, p, s.vlmax, s.vgmin, c));
}

// The Gibbs energy along the isotherm of state s for a chart of pressures
// p_low to p_high, each branch at count + 1 pressures in that range.
val gibbs_chart(const RowState& s, double p_low, double p_high, int count, double c)
{
    return branches_of(gibbs_branches(s.t, s.p, s.vl, s.vg, s.vlmax, s.plmin, s.vgmin, s.pgmax, p_low, p_high,
                                      count, c));
}

// f along the isotherm of state s for a chart of volumes v_low to v_high.
val helmholtz_chart(const RowState& s, double v_low, double v_high, int count, double c)
{
    return branches_of(helmholtz_branches(s.t, s.vl, s.vg, s.vlmax, s.vgmin, v_low, v_high, count, c));
}

// The state at t off the table's rows; null outside lowest_state_t <= t < 1.
val state_at_t(double t, double c)
{
    if (!(t >= lowest_state_t && t < 1))
        return val::null();
    const StateWithProperties x = state_with_properties(t, c);
    return object_of({{"state", state_of(x.state)}, {"areas", val(x.areas)},
                      {"properties", val(x.properties)}, {"latent", val(x.latent)}});
}

// The model against nature, from the kept sweep (none of it depends on c).
val model_nature()
{
    const ModelAgainstNature x = model_against_nature(kept_sweep().passes);
    return object_of({{"rows", array_of(x.rows)}, {"nearCritical", val(x.near_critical_count)},
                      {"exponent", val(x.exponent)}, {"guggenheimExponent", val(x.guggenheim_exponent)},
                      {"zc", val(x.zc)}, {"acentric", val(x.acentric)}, {"clapeyron", array_of(x.clapeyron)},
                      {"clapeyronLargest", val(x.clapeyron_largest)}});
}

// Each substance's measured curves, reduced, and its numbers beside the model's.
val measured_fluids()
{
    val list = val::array();
    for (const Substance& fluid : substances()) {
        const MeasuredCurves m = measured_curves(fluid, kept_sweep().passes);
        const AgainstNature& row = m.compared;
        list.call<void>("push", object_of({{"key", val(fluid.key)}, {"points", array_of(m.points)},
                                           {"tripleT", val(m.triple_t)}, {"near", array_of(m.near)},
                                           {"exponent", val(m.exponent)}, {"zc", val(row.zc)},
                                           {"omega", val(row.omega)}, {"boilingT", val(row.boiling_t)},
                                           {"latent", val(row.latent)}, {"trouton", val(row.trouton)},
                                           {"source", val(fluid.pressure.source)}}));
    }
    return list;
}

// Heating at state s's vapour pressure from t_low to t_high through s.t.
val isobar_through(const RowState& s, double t_low, double t_high, int count, double c)
{
    const Isobar x = isobar(s.t, s.p, s.vl, s.vg, t_low, t_high, count, c);
    return object_of({{"liquid", array_of(x.liquid)}, {"gas", array_of(x.gas)},
                      {"boilingHeat", val(x.boiling_heat)}, {"latent", val(x.latent)}});
}

Mixture two_phase_of(const RowState& s, double v, double c) { return two_phase(s.t, s.vl, s.vg, v, c); }

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
    // The reports' rows as the page splits them: tab_separated.
    std::string coexistence_rows() const { return tab_separated(report_rows(out_.coexistence)); }
    std::string property_rows() const { return tab_separated(report_rows(out_.properties)); }
    std::string coexistence_csv_text() const { return coexistence_csv(out_.coexistence); }
    std::string property_csv_text() const { return property_csv(out_.properties); }

    // The workbook's sheets, with substance i's SI tables where i >= 0.
    WorkbookSheets sheets(int i) const
    {
        return workbook_sheets(out_.coexistence, out_.properties, c_, i >= 0 ? &substance(i) : nullptr,
                               VDWCOEX_VERSION);
    }

    // The SI tables of substance i, as CSV.
    SiFiles si_tables(int i) const
    {
        return si_files(out_.coexistence, out_.properties, substance(i), c_, VDWCOEX_VERSION);
    }

    // Substance i against the model, as nature_KEY.csv.
    std::string nature_file(int i) const
    {
        const Substance& fluid = substance(i);
        return si_csv(nature_table(fluid, out_.states, c_), nature_header(fluid, VDWCOEX_VERSION));
    }

    // Substance i against the model in SI units: { model, measured }.
    val nature_si(int i) const
    {
        const NatureCurves x = nature_curves(substance(i), out_.states, c_);
        return object_of({{"model", array_of(x.model)}, {"measured", array_of(x.measured)}});
    }

    // Row `row` (0 for t = 0.999), unrounded; null for a row that is not there.
    val state(int row) const { return has(row) ? state_of(at(row)) : val::null(); }

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
        return has(row) ? trial_on(state_of(at(row)).as<RowState>(), p, c) : val::null();
    }

private:
    bool has(int row) const { return row >= 0 && static_cast<size_t>(row) < out_.states.size(); }
    const Coexistence& at(int row) const { return out_.states[static_cast<size_t>(row)]; }

    double c_ = 1.5;
    size_t reply_end_ = 0;
    Output out_;
};

// The substances of the table, by name, with their van der Waals Vc and acentric factor.
val substance_list()
{
    val list = val::array();
    for (const Substance& s : substances())
        list.call<void>("push", object_of({{"key", val(s.key)}, {"formula", val(s.formula)},
                                           {"nameEn", val(s.name_en)}, {"nameEs", val(s.name_es)},
                                           {"source", val(s.source)}, {"tc", val(s.tc)}, {"pc", val(s.pc)},
                                           {"molarMass", val(s.molar_mass)}, {"c", val(s.c)},
                                           {"refT", val(s.ref_t)}, {"refP", val(s.ref_p)},
                                           {"refLatent", val(s.ref_latent)}, {"vc", val(critical_volume(s))},
                                           {"omega", val(s.omega)}}));
    return list;
}

// A reduced number of substance i in SI units, and back.
double to_si(int i, Quantity quantity, double x) { return x * si_unit(substance(i), quantity); }
double from_si(int i, Quantity quantity, double x) { return x / si_unit(substance(i), quantity); }

// Substance i boiling at the vapour pressure `pressure` (Pa), with Cv = cR:
// the model's T (K), p (Pa), volumes (m3/mol), latent heat (J/mol) and t,
// and the real fluid there (null where it has no curves or is solid:
// belowTriple); null where the model's searches do not reach it.
val boiling_at_pressure(int i, double pressure, double c)
{
    const std::optional<BoilingPoint> b = boiling_at(substance(i), pressure, c);
    if (!b)
        return val::null();
    const MeasuredBeside& m = b->measured;
    return object_of({{"temperature", val(b->si.temperature)}, {"pressure", val(b->si.pressure)},
                      {"vl", val(b->si.v_liquid)}, {"vg", val(b->si.v_gas)}, {"latent", val(b->si.latent)},
                      {"t", val(b->t)}, {"measured", m.saturation ? val(shown_saturation(m)) : val::null()},
                      {"belowTriple", val(m.solid)}});
}

// Substance i's measured saturation state at `temperature` (K); { solid:
// true, tripleT } below its triple point; null where it has no curves or T
// is above Tc.
val measured_at(int i, double temperature)
{
    const MeasuredBeside m = measured_at_temperature(substance(i), temperature);
    if (m.saturation)
        return val(shown_saturation(m));
    return m.solid ? object_of({{"solid", val(true)}, {"tripleT", val(substance(i).t_triple)}}) : val::null();
}

PressureRange boiling_range_of(int i) { return boiling_range(substance(i)); }

}  // namespace

EMSCRIPTEN_BINDINGS(vdwcoex)
{
    using namespace emscripten;
    constant("lowestStateT", lowest_state_t);
    enum_<CKind>("CKind").value("plain", CKind::plain).value("notPositive", CKind::not_positive)
        .value("notANumber", CKind::not_a_number).value("infinite", CKind::infinite).value("tooLarge", CKind::too_large);
    value_object<RowState>("RowState").field("t", &RowState::t).field("p", &RowState::p).field("vl", &RowState::vl)
        .field("vg", &RowState::vg).field("vlmax", &RowState::vlmax).field("plmin", &RowState::plmin)
        .field("vgmin", &RowState::vgmin).field("pgmax", &RowState::pgmax);
    value_object<MaxwellAreas>("MaxwellAreas").field("vMiddle", &MaxwellAreas::v_middle)
        .field("liquidArea", &MaxwellAreas::liquid_area).field("gasArea", &MaxwellAreas::gas_area);
    value_object<TrialLine>("TrialLine").field("vl", &TrialLine::vl).field("vg", &TrialLine::vg)
        .field("areas", &TrialLine::areas).field("gl", &TrialLine::gl).field("gg", &TrialLine::gg);
    value_object<Properties>("Properties").field("sl", &Properties::sl).field("sg", &Properties::sg)
        .field("hl", &Properties::hl).field("hg", &Properties::hg).field("gl", &Properties::gl)
        .field("gg", &Properties::gg).field("ul", &Properties::ul).field("ug", &Properties::ug);
    value_object<GibbsPoint>("GibbsPoint").field("p", &GibbsPoint::p).field("v", &GibbsPoint::v)
        .field("g", &GibbsPoint::g);
    value_object<FreeEnergyPoint>("FreeEnergyPoint").field("v", &FreeEnergyPoint::v).field("f", &FreeEnergyPoint::f);
    value_object<FreeEnergyTangent>("FreeEnergyTangent").field("p", &FreeEnergyTangent::p)
        .field("vTouch", &FreeEnergyTangent::v_touch).field("fTouch", &FreeEnergyTangent::f_touch)
        .field("vl", &FreeEnergyTangent::vl).field("vg", &FreeEnergyTangent::vg).field("fl", &FreeEnergyTangent::fl)
        .field("fg", &FreeEnergyTangent::fg).field("lineL", &FreeEnergyTangent::line_l)
        .field("lineG", &FreeEnergyTangent::line_g);
    value_object<IsobarPoint>("IsobarPoint").field("t", &IsobarPoint::t).field("v", &IsobarPoint::v)
        .field("s", &IsobarPoint::s).field("h", &IsobarPoint::h);
    value_object<Compression>("Compression").field("work", &Compression::work).field("heat", &Compression::heat)
        .field("tieWork", &Compression::tie_work).field("tieHeat", &Compression::tie_heat);
    enum_<Kept>("Kept").value("none", Kept::none).value("gas", Kept::gas).value("liquid", Kept::liquid);
    value_object<Mixture>("Mixture").field("gas", &Mixture::gas).field("s", &Mixture::s).field("h", &Mixture::h);
    value_object<DensitiesBeside>("DensitiesBeside").field("t", &DensitiesBeside::t)
        .field("liquid", &DensitiesBeside::liquid).field("gas", &DensitiesBeside::gas)
        .field("diameter", &DensitiesBeside::diameter).field("guggenheimLiquid", &DensitiesBeside::guggenheim_liquid)
        .field("guggenheimGas", &DensitiesBeside::guggenheim_gas)
        .field("guggenheimDiameter", &DensitiesBeside::guggenheim_diameter).field("width", &DensitiesBeside::width)
        .field("guggenheimWidth", &DensitiesBeside::guggenheim_width).field("p", &DensitiesBeside::p)
        .field("inverseT", &DensitiesBeside::inverse_t);
    value_object<ClapeyronSlopes>("ClapeyronSlopes").field("t", &ClapeyronSlopes::t)
        .field("fromP", &ClapeyronSlopes::from_p).field("fromLatent", &ClapeyronSlopes::from_latent);
    value_object<ReducedSaturation>("ReducedSaturation").field("t", &ReducedSaturation::t)
        .field("inverseT", &ReducedSaturation::inverse_t).field("p", &ReducedSaturation::p)
        .field("liquid", &ReducedSaturation::liquid).field("vapour", &ReducedSaturation::vapour);
    value_object<WidthAt>("WidthAt").field("t", &WidthAt::t).field("width", &WidthAt::width);
    value_object<Compared>("Compared").field("measured", &Compared::measured).field("model", &Compared::model);
    value_object<ShownSaturation>("ShownSaturation").field("temperature", &ShownSaturation::temperature)
        .field("p", &ShownSaturation::p).field("liquid", &ShownSaturation::liquid)
        .field("vapour", &ShownSaturation::vapour).field("latent", &ShownSaturation::latent);
    value_object<WorkbookSheets>("WorkbookSheets").field("coexistence", &WorkbookSheets::coexistence)
        .field("properties", &WorkbookSheets::properties).field("about", &WorkbookSheets::about)
        .field("coexistenceSi", &WorkbookSheets::coexistence_si).field("propertiesSi", &WorkbookSheets::properties_si);
    value_object<PressureRange>("PressureRange").field("lowest", &PressureRange::lowest)
        .field("highest", &PressureRange::highest);
    value_object<SiFiles>("SiFiles").field("coexistence", &SiFiles::coexistence)
        .field("properties", &SiFiles::properties);
    enum_<Quantity>("Quantity").value("temperature", Quantity::temperature).value("pressure", Quantity::pressure)
        .value("volume", Quantity::volume).value("entropy", Quantity::entropy).value("energy", Quantity::energy)
        .value("work", Quantity::work);
    class_<Run>("Run").constructor<std::string>().function("c", &Run::c).function("replyEnd", &Run::reply_end)
        .function("coexistenceReport", &Run::coexistence_report).function("propertyReport", &Run::property_report)
        .function("trace", &Run::trace).function("coexistenceRows", &Run::coexistence_rows)
        .function("propertyRows", &Run::property_rows).function("coexistenceCsv", &Run::coexistence_csv_text)
        .function("propertyCsv", &Run::property_csv_text).function("sheets", &Run::sheets)
        .function("siTables", &Run::si_tables).function("natureFile", &Run::nature_file)
        .function("natureSi", &Run::nature_si).function("state", &Run::state).function("maxwell", &Run::maxwell)
        .function("trial", &Run::trial);
    function("isothermPressure", &isotherm_pressure); function("gibbsEnergy", &gibbs_energy);
    function("entropy", &entropy); function("enthalpy", &enthalpy); function("isobar", &isobar_through);
    function("twoPhase", &two_phase_of); function("againstNature", &model_nature);
    function("measuredFluids", &measured_fluids); function("gasFraction", &gas_fraction); function("cKind", &kind_of_c);
    function("substances", &substance_list); function("toSi", &to_si); function("fromSi", &from_si);
    function("boilingAt", &boiling_at_pressure); function("measuredAt", &measured_at);
    function("stateAt", &state_at_t); function("trialLine", &trial_on); function("gibbsChart", &gibbs_chart);
    function("helmholtzChart", &helmholtz_chart); function("helmholtzTangent", &helmholtz_tangent);
    function("fixed", &fixed_number); function("boilingRange", &boiling_range_of); function("compression", &compression);
}
