// The page's one model: what the last run gave and what the reader chose,
// and the actions that change them. It knows no element of the page: the
// views listen to what it says has changed and draw from it.
import { COEX, FIRST_ROW_MILLI, LAST_ROW_MILLI, T_MAX_MILLI, rowAt } from './columns.js';
import { STRINGS } from './strings.js';
import { EXERCISES, drawExercise, drawSeed, exerciseT, exerciseText, expectedAnswer, fluidIndex, isRight,
  mistakeIn } from './exercises.js';

// What the model says has changed, with what each listener is given:
//   language, status, program ({ ready }), run ({ coexistenceChanged }),
//   chosen ({ deferred }: t moved), maxwell ({ deferred, what }: the trial
//   line, the lever's volume, the volume axis or the Gibbs chart's range), playing ({ on }), fluid,
//   quantity, limitRows, finding ({ deferred }: find-it-yourself entered, left,
//   its line moved or checked), process ({ deferred }: the piston moved, or
//   nucleation switched), heating (the heating moved on), exercise
//   ({ apply }: one opened, to be set up once a run is there, or answered),
//   chapter ({ go }: the chapter in view changed, or one asked for, to be
//   brought into view), present (presenting switched, or a number revealed).
// The steps of heating at the vapour pressure: a third each for the liquid,
// boiling and the gas.
export const HEAT_STEPS = 60;
// The points of each branch of the Gibbs chart, less one.
export const GIBBS_POINTS = 60;
// The points of each branch of the Helmholtz chart, less one.
export const HELMHOLTZ_POINTS = 40;

// The equations of state the Maxwell view and the charts draw, by the keys
// the command line names them with: van der Waals's, Redlich and Kwong's,
// Soave's and Peng and Robinson's.
export const EQUATIONS = ['vdw', 'rk', 'srk', 'pr'];

// The equation an address asks for (?eos=pr), else van der Waals's.
export function eosFromAddress(search) {
  const asked = new URLSearchParams(search).get('eos');
  return EQUATIONS.includes(asked) ? asked : 'vdw';
}

// The address with the equation in it (none for van der Waals's), the rest kept.
export function addressWithEos(href, key) {
  const url = new URL(href);
  if (key === 'vdw')
    url.searchParams.delete('eos');
  else
    url.searchParams.set('eos', key);
  return url.href;
}
// The page's chapters in their order, each also its address (#lab).
export const CHAPTERS = ['isotherm', 'lab', 'diagram', 'nature', 'exercises', 'tables'];

export function createModel(loadProgram) {
  const state = {
    program: null,          // the program (program.js), once loaded
    run: null,              // the last run, for reading
    lang: 'es',
    status: ['loading', {}, false],
    c: null,                // the last run's c, and as its reports print it
    cText: null,
    reply: '',              // the last reply, and where the number read from it ends
    replyEnd: 0,
    previous: null,         // { cText, rows } of the run before, for what c changes
    coexistenceRows: [],    // vdw_coex.dat's rows, each as its printed fields
    propertyRows: [],       // clatente.dat's rows, likewise
    coexistenceKey: null,   // the rows' text, to skip redrawing what did not change
    tMilli: 850,            // the chosen t in thousandths: 501 to 999 are the table's rows
    tExact: null,           // or a t between thousandths (a temperature typed, a boiling point)
    vOperating: null,       // the volume on the tie line for the lever rule
    trialP: null,           // a trial pressure for the line, or null: the vapour pressure
    logAxis: false,
    gibbsZoom: false,       // the Gibbs chart near the crossing, not the whole swallowtail
    quantity: 's',          // the property charts' quantity: s or h
    limitRows: false,       // the property table with the limits' rows too
    fluid: -1,              // the chosen substance's index, or -1: reduced units
    runs: 0,
    playing: false,         // t playing up to the end of the range
    playSpeed: 2,           // thousandths of t a frame while playing
    // The process at the chosen t: the overall volume, the state it is in
    // (liquid, gas, two phases, or without nucleation a metastable liquid
    // or gas), whether it just fell from a spinodal into two phases, and
    // whether phases nucleate where they coexist.
    // Whether it fell since the piston started: its work and heat then
    // depend on the path, and are not shown.
    process: { v: null, phase: null, fell: null, nucleation: true, irreversible: false },
    heatStep: 0,            // where heating at the vapour pressure is, of HEAT_STEPS
    exercise: null,         // the guided exercise open: { index, draw, exercise (as drawn), reply, right,
                            // expected, mistake }
    seed: 1,                // the class's seed the exercises are drawn afresh from
    eos: 'vdw',             // the equation the Maxwell view and the charts draw (EQUATIONS)
    eosOmega: 0,            // the acentric factor srk and pr take without a substance
    finding: null,          // finding the vapour pressure oneself: { milli, p, checked }, the
                            // table's t in thousandths, the line's pressure (null: mid-range)
    chapter: CHAPTERS[0],   // the chapter in view
    present: false,         // presenting to a class: large text, numbers revealed one by one
    revealed: 0,            // how many of the chapter's numbers are revealed while presenting
  };
  let playTimer = null;
  let heatingCache = null;  // the isobar heated through the chosen state, by t, p and c
  let offTable = null;      // the last state computed off the table's rows, by t and c
  let byEquation = null;
  let rowsByEquation = null;
  let curvesByFluid = null;  // the other equations' curves and every equation's errors, by substance  // that equation's rows at the table's temperatures, by it and c    // the last state of another equation than van der Waals's, by it, t and c
  const listeners = new Map();
  const emit = (event, detail = {}) => (listeners.get(event) || []).forEach((listener) => listener(detail));

  // A line at pressure q as the views read it, from the program's; null
  // where there is none.
  const lineAt = (x, q) => x && { p: q, vl: x.vl, vMiddle: x.areas.vMiddle, vg: x.vg, areaLiquid: x.areas.liquidArea,
    areaGas: x.areas.gasArea, gl: x.gl, gg: x.gg };

  // The program's state at a t off the table, as chosenState gives it: its
  // fields printed by the program with six decimals, as a row prints them.
  function stateOffTable(x, c, trialLine = (s, q) => state.program.trialLine(s, q, c)) {
    const s = x.state, phases = x.properties;
    const printed = (value) => state.program.fixed(value);
    return { row: -1,
      s: Object.assign({}, s, { vMiddle: x.areas.vMiddle, areaLiquid: x.areas.liquidArea, areaGas: x.areas.gasArea }),
      fields: [s.t, s.p, s.vl, s.vg, s.vlmax, s.plmin, s.vgmin, s.pgmax, x.latent].map(printed),
      eq: [printed(s.t), 'eq', ...[s.p, s.vl, s.vg, phases.sl, phases.sg, phases.hl, phases.hg, phases.gl, phases.gg,
        phases.ul, phases.ug].map(printed)],
      trialAt: (q) => lineAt(trialLine(s, q), q) };
  }

  const model = {
    state,

    on(event, listener) {
      if (!listeners.has(event))
        listeners.set(event, []);
      listeners.get(event).push(listener);
    },

    // A text of the page in its language, with its {names} filled in.
    tr(key, vars = {}) {
      const text = (STRINGS[state.lang] && STRINGS[state.lang][key]) || STRINGS.es[key] || key;
      return typeof text === 'string' ? text.replace(/\{(\w+)\}/g, (_, name) => vars[name]) : text;
    },

    setLanguage(lang) {
      state.lang = lang;
      emit('language');
    },

    say(key, vars = {}, isError = false) {
      state.status = [key, vars, isError];
      emit('status');
    },

    load() {
      return loadProgram().then((program) => {
        state.program = program;
        emit('program', { ready: true });
      });
    },

    // The lowest t the Maxwell view takes, in thousandths: the lowest the
    // model solves, below the table's rows.
    lowestMilli() {
      const lowest = state.program && state.program.lowestStateT;
      return lowest ? Math.ceil(lowest * 1000 - 1e-9) : FIRST_ROW_MILLI;
    },

    chosenT() {
      return state.tExact !== null ? state.tExact : state.tMilli / 1000;
    },

    // The chosen t's row of vdw_coex.dat (0 for t = 0.999), or -1 off the table.
    chosenRow() {
      return state.tExact !== null ? -1 : rowAt(state.tMilli);
    },

    // What the Maxwell view shows at the chosen t below 1, after a run: the
    // state, unrounded, with its construction at the vapour pressure (s);
    // vdw_coex.dat's fields and clatente.dat's coexistence fields (fields,
    // eq), printed by the program on a table row, and off it the model's
    // state at t printed as a row would be; the row (-1 off the table); and
    // the line at a trial pressure (trialAt). Null from t = 1 up.
    chosenState() {
      const row = model.chosenRow();
      if (row >= 0 && state.coexistenceRows[row])
        return { row, s: model.rowState(row), fields: state.coexistenceRows[row], eq: state.propertyRows[3 * row],
          trialAt: (q) => model.trialLineAt(row, q, state.c) };
      const t = model.chosenT();
      if (!state.program || state.c === null || !(t < 1))
        return null;
      const key = `${t} ${state.c}`;
      if (!offTable || offTable.key !== key) {
        const x = state.program.stateAt(t, state.c);
        offTable = { key, chosen: x && stateOffTable(x, state.c) };
      }
      return offTable.chosen;
    },

    // The equation chosen, as the program offers it (program.js), with srk
    // and pr at the chosen substance's acentric factor, else the one typed;
    // null for van der Waals's, whose states are the table's rows.
    equation() {
      if (state.eos === 'vdw' || !state.program)
        return null;
      const fluid = model.chosenFluid();
      return state.program.equation(state.eos, fluid ? fluid.omega : state.eosOmega);
    },

    // Whose isotherm the page draws: the chosen equation's (program.js's
    // equation), else the program's own van der Waals functions.
    drawnModel() {
      return model.equation() || state.program;
    },

    // An equation's name in the page's language.
    equationName(key = state.eos) {
      return model.tr('eosName_' + key);
    },

    chooseEos(key) {
      if (!EQUATIONS.includes(key) || key === state.eos)
        return;
      Object.assign(state, { eos: key, trialP: null, vOperating: null });
      state.process.v = null;
      emit('eos');
    },

    // An omega typed for srk and pr; false, and nothing changed, where the
    // program does not take it.
    setEosOmega(omega) {
      if (!state.program || !state.program.omegaAccepted(omega))
        return false;
      state.eosOmega = omega;
      state.process.v = null;
      state.trialP = null;
      state.vOperating = null;
      emit('eos');
      return true;
    },

    // What the Maxwell view shows at the chosen t: chosenState's, of the
    // equation chosen. Another equation's state is off the table (row -1),
    // its volumes in its own Vc, and names its equation (eos); null outside
    // lowestEquationT <= t < 1 or before a run.
    shownState() {
      const eq = model.equation();
      if (!eq)
        return model.chosenState();
      const t = model.chosenT(), c = state.c;
      if (c === null || !(t >= state.program.lowestEquationT && t < 1))
        return null;
      const key = `${eq.key} ${eq.omega} ${t} ${c}`;
      if (!byEquation || byEquation.key !== key)
        byEquation = { key, shown: Object.assign(stateOffTable(eq.state(t, c), c, (s, q) => eq.trial(s, q, c)),
          { eos: eq.key }) };
      return byEquation.shown;
    },

    // The chosen equation's smallest volume b/Vc, where its pressure is
    // infinite: a chart of its isotherms stays above it.
    covolume() {
      const eq = model.equation();
      return eq ? eq.covolume : 1 / 3;
    },

    // Points { x: v, y: p } on the chosen equation's isotherm t at the volumes vs.
    shownIsotherm(t, vs) {
      const eq = model.equation();
      return eq ? vs.map((v) => ({ x: v, y: eq.pressure(t, v) })) : model.isotherm(t, vs);
    },

    // The chosen equation's states at the table's temperatures as rows of
    // vdw_coex.dat's columns (t, p, vl, vg, the limits, the latent heat),
    // printed as a row's, for the phase diagram; null for van der Waals's,
    // whose rows are the run's.
    shownRows() {
      const eq = model.equation();
      if (!eq || state.c === null)
        return null;
      const key = `${eq.key} ${eq.omega} ${state.c}`;
      if (!rowsByEquation || rowsByEquation.key !== key)
        rowsByEquation = { key, rows: eq.rows(state.c).map((x) => {
          const s = x.state;
          return [s.t, s.p, s.vl, s.vg, s.vlmax, s.plmin, s.vgmin, s.pgmax, x.latent].map(state.program.fixed);
        }) };
      return rowsByEquation.rows;
    },

    // A reduced number of the chosen substance in SI units by the chosen
    // equation: its volumes in its own Vc.
    shownToSi(q, x) {
      const eq = model.equation();
      return eq ? eq.toSi(state.fluid, q, x) : model.toSi(q, x);
    },

    // The chosen state's tie line as printed, [vl, vg]; null from t = 1 up.
    // The lever rule works on these, the values the reader sees.
    tieLineEnds() {
      if (model.equation()) {
        const shown = model.shownState();
        return shown ? [Number(shown.fields[COEX.vl]), Number(shown.fields[COEX.vg])] : null;
      }
      const row = model.chosenRow();
      const fields = row >= 0 ? state.coexistenceRows[row] : (model.chosenState() || {}).fields;
      return fields ? [Number(fields[COEX.vl]), Number(fields[COEX.vg])] : null;
    },

    // The volume on the tie line where the lever rule is read: the one
    // chosen, or the middle of the chosen row's tie line; null above the table.
    operatingVolume() {
      if (state.vOperating !== null)
        return state.vOperating;
      const ends = model.tieLineEnds();
      return ends ? (ends[0] + ends[1]) / 2 : null;
    },

    // Row `row`'s unrounded state, and its construction at the vapour pressure.
    rowState(row, run = state.run) {
      const areas = run.maxwell(row);
      return Object.assign(run.state(row), { vMiddle: areas.vMiddle, areaLiquid: areas.liquidArea,
        areaGas: areas.gasArea });
    },

    // The line at pressure q on row `row`'s isotherm, with Cv = cR; null
    // outside the limits' pressures.
    trialLineAt(row, q, c, run = state.run) {
      return lineAt(run.trial(row, q, c), q);
    },

    // The Gibbs chart of state s (unrounded, with its gl at the vapour
    // pressure), and a trial line's gl and gg where there is one: its range
    // of pressures, the whole swallowtail from the liquid limit's pressure to
    // the gas limit's (zoomed, as far below the vapour pressure as the gas
    // limit is above it), and each branch as the program samples it by
    // pressure, at least GIBBS_POINTS + 1 points in view: { xMin, xMax,
    // liquid, metastableLiquid, unstable, metastableGas, gas }, each [{ x: p,
    // y: g }]. The liquid above the vapour pressure and the gas below it are
    // the lowest, the stable envelope.
    gibbsChart(s, trial, c = state.c) {
      const eq = model.equation();
      const pHigh = s.pgmax;
      const pLow = state.gibbsZoom ? Math.max(s.plmin, s.p - (pHigh - s.p), s.p * 0.25) : s.plmin;
      const low = Math.min(pLow, trial ? trial.p : Infinity);
      const margin = (pHigh - low) * 0.04;
      const xMin = low - margin, xMax = pHigh + margin;
      const branches = (eq || state.program).gibbsChart(model.rowLike(s), xMin, xMax, GIBBS_POINTS, c);
      const chart = { xMin, xMax };
      for (const name of ['liquid', 'metastableLiquid', 'unstable', 'metastableGas', 'gas'])
        chart[name] = branches[name].map((q) => ({ x: q.p, y: q.g }));
      return chart;
    },

    // The line of slope −p touching f on state s's isotherm, as the program
    // finds it: at the trial line's stable end, or at the vapour pressure at
    // both vl and vg ({ p, vTouch, fTouch, vl, vg, fl, fg, lineL, lineG }).
    helmholtzTangent(s, trial, c = state.c) {
      const shown = trial || s;
      return model.drawnModel().helmholtzTangent(s.t, shown.p, shown.vl, shown.vg, c);
    },

    // The Helmholtz chart of state s and the trial line where there is one:
    // f against v (in Pc Vc, where its slope is −p) over the p–v chart's
    // linear range of volumes, each branch as the program samples it
    // ({ x: v, y: f }), and the line of slope −p the program finds touching
    // f: the common tangent at the vapour pressure, touching at vl and vg; at
    // a trial pressure the tangent at its stable end, with the gap to f at the
    // other. { xMin, xMax, liquid, …, gas, tangent: [two points], touching:
    // [points], gap: [two points] or [] }.
    helmholtzChart(s, trial, c = state.c) {
      const shown = trial || s;
      const vLow = Math.min(s.vl, shown.vl), vHigh = Math.max(s.vg, shown.vg), span = vHigh - vLow;
      const xMin = Math.max(vLow - span * 0.06, (vLow + model.covolume()) / 2), xMax = vHigh + span * 0.06;
      const branches = model.drawnModel().helmholtzChart(model.rowLike(s), xMin, xMax,
        HELMHOLTZ_POINTS, c);
      const chart = { xMin, xMax };
      for (const name of ['liquid', 'metastableLiquid', 'unstable', 'metastableGas', 'gas'])
        chart[name] = branches[name].map((q) => ({ x: q.v, y: q.f }));
      const x = model.helmholtzTangent(s, trial, c);
      chart.tangent = [{ x: x.vl, y: x.lineL }, { x: x.vg, y: x.lineG }];
      chart.p = x.p;
      if (trial) {
        const other = x.vTouch === x.vl ? { x: x.vg, line: x.lineG, f: x.fg } : { x: x.vl, line: x.lineL, f: x.fl };
        chart.touching = [{ x: x.vTouch, y: x.fTouch }];
        chart.gap = [{ x: other.x, y: other.line }, { x: other.x, y: other.f }];
      } else {
        chart.touching = [{ x: x.vl, y: x.fl }, { x: x.vg, y: x.fg }];
        chart.gap = [];
      }
      return chart;
    },

    // Runs the program with the reply; the run, or null where the module
    // trapped (it is then loaded again).
    compute(reply) {
      model.say('computing');
      let run;
      try {
        run = state.program.run(reply);
      } catch (error) {
        state.program = null;
        emit('program', { ready: false });
        loadProgram().then((program) => {
          state.program = program;
          emit('program', { ready: true });
          model.say('trapped', { error: error.message || String(error) }, true);
        }, (again) => model.say('startFailed', { error: String(again) }, true));
        return null;
      }
      state.run = run;
      const coexistence = new TextDecoder('latin1').decode(run.coexistenceReport());
      const cText = (coexistence.match(/c = (\S+)/) || [])[1];
      if (state.cText !== null && state.cText !== cText)
        state.previous = { cText: state.cText, rows: state.propertyRows };
      Object.assign(state, { c: run.c, cText, reply, replyEnd: run.replyEnd });
      const rowsText = coexistence.slice(coexistence.indexOf('\r\n====='));
      const coexistenceChanged = rowsText !== state.coexistenceKey;
      if (coexistenceChanged) {
        state.coexistenceKey = rowsText;
        state.coexistenceRows = run.coexistenceRows();
      }
      state.propertyRows = run.propertyRows();
      emit('run', { coexistenceChanged });
      return run;
    },

    runDone(ms) {
      state.runs += 1;
      model.say('done', { c: state.cText, rows: state.coexistenceRows.length, ms });
    },

    chooseT(milli, deferred = true) {
      state.tMilli = Math.min(T_MAX_MILLI, Math.max(model.lowestMilli(), milli));
      state.tExact = null;
      state.vOperating = null;
      state.trialP = null;
      state.process.v = null;
      emit('chosen', { deferred });
    },

    // Any t in the Maxwell view's range: a thousandth is a table row (or the
    // model's state, below the table); another is the model's state there.
    chooseAnyT(t) {
      const milli = Math.round(t * 1000);
      if (Math.abs(t * 1000 - milli) < 1e-6) {
        model.chooseT(milli, false);
        return;
      }
      state.tMilli = milli;
      state.tExact = t;
      state.vOperating = null;
      state.trialP = null;
      state.process.v = null;
      emit('chosen', { deferred: false });
    },

    // Plays t up to the end of the range, through t = 1, and stops; with
    // reduced motion it steps by 0.05 every 0.7 s instead of sweeping.
    play(reducedMotion) {
      if (state.tMilli >= T_MAX_MILLI)
        state.tMilli = model.lowestMilli();
      state.playing = true;
      emit('playing', { on: true });
      const step = () => {
        const next = Math.min(T_MAX_MILLI, state.tMilli + (reducedMotion ? 50 : state.playSpeed));
        model.chooseT(next);
        if (next >= T_MAX_MILLI)
          model.stopPlaying();
        else if (!reducedMotion)
          playTimer = requestAnimationFrame(step);
      };
      playTimer = reducedMotion ? setInterval(step, 700) : requestAnimationFrame(step);
    },

    stopPlaying() {
      if (!state.playing)
        return;
      cancelAnimationFrame(playTimer);
      clearInterval(playTimer);
      playTimer = null;
      state.playing = false;
      emit('playing', { on: false });
    },

    setPlaySpeed(milliPerFrame) {
      state.playSpeed = milliPerFrame;
    },

    setTrialP(p, deferred = false) {
      state.trialP = p;
      emit('maxwell', { deferred, what: 'trial' });
    },

    setOperatingVolume(v, deferred = false) {
      state.vOperating = v;
      emit('maxwell', { deferred, what: 'volume' });
    },

    setLogAxis(on) {
      state.logAxis = on;
      emit('maxwell', { deferred: false, what: 'axis' });
    },

    setGibbsZoom(on) {
      state.gibbsZoom = on;
      emit('maxwell', { deferred: false, what: 'gibbs' });
    },

    setQuantity(quantity) {
      state.quantity = quantity;
      emit('quantity');
    },

    setLimitRows(on) {
      state.limitRows = on;
      emit('limitRows');
    },

    // A substance chosen (or reduced units again): every view shows its
    // units; the wiring runs its c.
    chooseFluid(i) {
      state.fluid = i;
      state.coexistenceKey = null;
      emit('fluid');
    },

    chosenFluid() {
      return state.fluid >= 0 ? state.program.substances[state.fluid] : null;
    },

    // Substance i's name in the page's language, with its formula.
    fluidName(i) {
      const fluid = state.program.substances[i];
      return (state.lang === 'en' ? fluid.nameEn : fluid.nameEs) + ' (' + fluid.formula + ')';
    },

    // Whether the program is loaded, for the views that wait for it.
    ready() {
      return Boolean(state.program);
    },

    // The program's substances, each with its constants ({ key, formula,
    // nameEn, nameEs, tc, pc, vc, c, ... }); none before it is loaded.
    substances() {
      return state.program ? state.program.substances : [];
    },

    // A reduced number of quantity q (t, p, v, s or e) of the chosen
    // substance in SI units, and back.
    toSi(q, x) {
      return state.program.toSi(state.fluid, q, x);
    },

    fromSi(q, x) {
      return state.program.fromSi(state.fluid, q, x);
    },

    // Points { x: v, y: p } on the model's isotherm t at the volumes vs.
    isotherm(t, vs) {
      return vs.map((v) => ({ x: v, y: state.program.isothermPressure(t, v) }));
    },

    // Above the critical point, where the isotherm has no loop: g against p
    // at the volumes vs, in increasing p up to pMax.
    gibbsAbove(t, vs, pMax) {
      const eq = model.equation();
      const p = eq ? (v) => eq.pressure(t, v) : (v) => state.program.isothermPressure(t, v);
      const g = eq ? (v) => eq.gibbs(t, v, state.c) : (v) => state.program.gibbsEnergy(t, v, state.c);
      return vs.map((v) => ({ x: p(v), y: g(v) }))
        .filter((q) => q.x <= pMax).sort((a, b) => a.x - b.x);
    },

    // The gas's share at overall volume v (the operating volume unless
    // given) on the chosen state's tie line as printed, by the lever rule.
    gasFraction(v = model.operatingVolume()) {
      const [vl, vg] = model.tieLineEnds();
      return state.program.gasFraction(v, vl, vg);
    },

    // The chosen substance measured at T (K), as the program gives it.
    measuredAt(temperature) {
      return state.program.measuredAt(state.fluid, temperature);
    },

    // The model's state of the chosen substance boiling at `pressure` (Pa),
    // with the last run's c (the one the page shows; 1.5 before any); null
    // out of reach. And the pressures it reaches, { lowest, highest } (Pa).
    boilingAt(pressure) {
      return pressure > 0 ? state.program.boilingAt(state.fluid, pressure, state.c === null ? 1.5 : state.c) : null;
    },

    boilingRange() {
      return state.program.boilingRange(state.fluid);
    },

    // The model against nature and the substances' measured curves (neither
    // depends on c), and the chosen substance's SI curves for the last run.
    againstNature() {
      return state.program.againstNature();
    },

    measuredFluids() {
      return state.program.measuredFluids();
    },

    // Redlich and Kwong's, Soave's and Peng and Robinson's curves for the
    // chosen substance in SI ({ rk, srk, pr }, each [{ temperature, p,
    // liquid, vapour, latent }]), and every equation's relative errors
    // against its measured curves at a few T, as the program gives them;
    // null without a substance.
    equationCurves() {
      if (state.fluid < 0 || !state.program)
        return null;
      if (!curvesByFluid || curvesByFluid.fluid !== state.fluid)
        curvesByFluid = { fluid: state.fluid, curves: Object.fromEntries(EQUATIONS.slice(1).map((key) =>
          [key, state.program.equationCurve(state.fluid, key)])), errors: state.program.equationErrors(state.fluid) };
      return curvesByFluid.curves;
    },

    equationErrors() {
      return model.equationCurves() && curvesByFluid.errors;
    },

    natureSi() {
      return state.fluid >= 0 && state.run ? state.run.natureSi(state.fluid) : null;
    },

    // A run's files as bytes: vdw_coex.dat, clatente.dat and their CSV
    // tables; the chosen substance's SI tables and nature_KEY.csv; the
    // workbook's sheets, as rows of cells; and what the console would print.
    files(run = state.run) {
      return run.reports().concat(run.csvFiles());
    },

    siFiles() {
      return state.run.siFiles(state.fluid);
    },

    natureFile() {
      return state.run.natureFile(state.fluid);
    },

    sheets() {
      return state.run.sheets(state.fluid);
    },

    trace() {
      return state.run.trace();
    },

    // A run of the default reply whose results are thrown away, made while
    // the page is idle so that the program's hot code is compiled before the
    // reader's first run: its coexistence rows, and at row `row` the
    // unrounded state with its gl at the vapour pressure and its printed fields.
    warmUp(row) {
      const run = state.program.run('1.5');
      run.coexistenceReport();
      run.propertyRows();
      const rows = run.coexistenceRows();
      const s = model.rowState(row, run);
      return { rows, s, gl: model.trialLineAt(row, s.p, 1.5, run).gl, fields: rows[row] };
    },

    // The process's volumes at the chosen t: from just below the liquid's
    // to beyond the gas's, where it starts, as gas.
    processRange() {
      const chosen = model.shownState();
      if (!chosen)
        return null;
      const s = chosen.s;
      return [Math.max(0.85 * s.vl, (s.vl + model.covolume()) / 2), 1.3 * s.vg];
    },

    // Moves the piston to overall volume v. With nucleation, the state is
    // the stable one at v; without, a phase keeps on its branch past the
    // tie line's end, metastable, up to its spinodal, and past it falls into
    // two phases at the same volume.
    setProcessVolume(v, deferred = false) {
      const chosen = model.shownState();
      if (!chosen)
        return;
      const s = chosen.s, process = state.process;
      const stable = v < s.vl ? 'liquid' : v > s.vg ? 'gas' : 'two';
      const was = process.v === null ? 'gas' : process.phase;
      let phase = stable;
      if (!process.nucleation && stable === 'two') {
        if ((was === 'gas' || was === 'metastable-gas') && v >= s.vgmin)
          phase = 'metastable-gas';
        else if ((was === 'liquid' || was === 'metastable-liquid') && v <= s.vlmax)
          phase = 'metastable-liquid';
      }
      process.fell = phase === 'two' && was.startsWith('metastable') ? was.slice('metastable-'.length) :
        phase === 'two' && !process.nucleation && (was === 'gas' || was === 'liquid') ? was : null;
      // Back at the start (compressing again) the path is reversible again.
      process.irreversible = process.v !== null && v < model.processRange()[1] &&
        (process.irreversible || process.fell !== null);
      process.v = v;
      process.phase = phase;
      emit('process', { deferred });
    },

    // The work done on the fluid (−∫p dv) and the heat it gives off since the
    // piston started, at the largest volume, and their part on the tie line:
    // { work, heat, tieWork, tieHeat } in 8a/27b, as the program works them
    // out along the path the fluid took. Null once it fell from a spinodal
    // (that fall is not reversible), or above the table's range.
    processEnergy() {
      const x = model.processState();
      if (!x || state.process.irreversible)
        return null;
      const kept = x.phase === 'metastable-gas' ? 'gas' : x.phase === 'metastable-liquid' ? 'liquid' : 'none';
      return model.drawnModel().compression(model.rowLike(model.shownState().s),
        model.processRange()[1], x.v, kept);
    },

    setNucleation(on) {
      state.process.nucleation = on;
      if (state.process.v !== null) {
        const v = state.process.v;
        state.process.phase = null;
        state.process.v = null;
        model.setProcessVolume(v);
      } else {
        emit('process', { deferred: false });
      }
    },

    // The process's state at the chosen t: its volume, phase and pressure,
    // the gas's share and each phase's volume (lever rule in two phases),
    // the whole's entropy and its Gibbs energy (a mole's, either phase's
    // in two) with Cv = cR. Null above the table's range.
    processState() {
      const chosen = model.shownState();
      if (!chosen || !state.program)
        return null;
      const s = chosen.s, process = state.process;
      if (process.v === null)  // it starts as gas at the largest volume
        Object.assign(process, { v: model.processRange()[1], phase: 'gas', fell: null, irreversible: false });
      const { v, phase } = process, t = s.t, c = state.c;
      const fluid = model.drawnModel();
      const gibbs = (at) => (model.equation() ? fluid.gibbs(t, at, c) : fluid.gibbsEnergy(t, at, c));
      if (phase === 'two') {
        const both = fluid.twoPhase(model.rowLike(s), v, c);
        return { v, phase, fell: process.fell, p: s.p, gas: both.gas, vl: s.vl, vg: s.vg, entropy: both.s, t,
          g: gibbs(s.vl) };
      }
      const gas = phase.endsWith('gas') ? 1 : 0;
      const p = model.equation() ? fluid.pressure(t, v) : fluid.isothermPressure(t, v);
      return { v, phase, fell: process.fell, p, gas, vl: v, vg: v, entropy: fluid.entropy(t, v, c), t, g: gibbs(v) };
    },

    // A state as the program takes it back (its RowState's fields only).
    rowLike(s) {
      const { t, p, vl, vg, vlmax, plmin, vgmin, pgmax } = s;
      return { t, p, vl, vg, vlmax, plmin, vgmin, pgmax };
    },

    // Heating at the chosen state's vapour pressure, one step of `HEAT_STEPS`
    // at a time: the liquid warming up to the boiling point, boiling (the
    // overall volume from vl to vg), then the gas warming, each a third of
    // the steps, over 0.1 of t either side of the boiling point.
    heatingPath() {
      const chosen = model.shownState();
      if (!chosen || !state.program)
        return null;
      const s = chosen.s, key = `${state.eos} ${s.t} ${s.p} ${state.c}`;
      if (!heatingCache || heatingCache.key !== key) {
        const third = HEAT_STEPS / 3;
        const fluid = model.drawnModel();
        const path = fluid.isobar(model.rowLike(s), Math.max(model.lowestMilli() / 1000, s.t - 0.1), s.t + 0.1, third,
          state.c);
        heatingCache = { key, path: Object.assign(path, { s }) };
      }
      return heatingCache.path;
    },

    heatingState() {
      const path = model.heatingPath();
      if (!path)
        return null;
      const third = HEAT_STEPS / 3, k = state.heatStep, s = path.s;
      const start = path.liquid[0];
      let at;
      if (k <= third) {
        at = Object.assign({ phase: 'liquid', gas: 0 }, path.liquid[k]);
      } else if (k < 2 * third) {
        const v = s.vl + (s.vg - s.vl) * (k - third) / third;
        const both = model.drawnModel().twoPhase(model.rowLike(s), v, state.c);
        at = { phase: 'two', t: s.t, v, s: both.s, h: both.h, gas: both.gas };
      } else {
        at = Object.assign({ phase: 'gas', gas: 1 }, path.gas[k - 2 * third]);
      }
      return Object.assign(at, { p: s.p, heat: at.h - start.h, path });
    },

    setHeatStep(k) {
      state.heatStep = Math.min(HEAT_STEPS, Math.max(0, Math.round(k)));
      emit('heating');
    },

    exercises: EXERCISES,

    // The chapter named (one of CHAPTERS) is the one in view; with `go` it
    // is to be brought into view. A new chapter hides its numbers again.
    showChapter(name, go = false) {
      if (!CHAPTERS.includes(name))
        return false;
      if (name !== state.chapter)
        state.revealed = 0;
      state.chapter = name;
      emit('chapter', { go });
      return true;
    },

    // The chapter an address (#lab) names, or null.
    chapterAt(hash) {
      const name = String(hash || '').replace(/^#/, '');
      return CHAPTERS.includes(name) ? name : null;
    },

    // The next chapter (step 1) or the one before (-1), brought into view.
    stepChapter(step) {
      const at = CHAPTERS.indexOf(state.chapter) + step;
      model.showChapter(CHAPTERS[Math.min(CHAPTERS.length - 1, Math.max(0, at))], true);
    },

    setPresent(on) {
      state.present = Boolean(on);
      state.revealed = 0;
      emit('present');
    },

    // One more of the chapter's numbers shown, while presenting.
    reveal() {
      if (!state.present)
        return;
      state.revealed += 1;
      emit('present');
    },

    openExercise(index) {
      const k = Math.min(EXERCISES.length - 1, Math.max(0, index));
      state.exercise = { index: k, draw: 0, exercise: EXERCISES[k], reply: null, right: null, expected: null,
        mistake: null };
      emit('exercise', { apply: true });
    },

    // The class's seed (a whole number): the same seed draws the same
    // exercises afresh, and the same worksheet.
    setSeed(seed) {
      state.seed = seed >>> 0;
    },

    // The open exercise drawn again with new numbers (another t, volume or
    // substance), other than those it shows, and the page set for it.
    anotherExercise() {
      const open = state.exercise, c = state.c === null ? 1.5 : state.c;
      const question = model.exerciseText('question');
      let draw = open.draw, drawn;
      do {
        draw += 1;
        drawn = drawExercise(state.program, EXERCISES[open.index], drawSeed(state.seed, open.index, draw), c);
      } while (exerciseText(state.program, drawn, 'question', state.lang) === question && draw < open.draw + 20);
      Object.assign(open, { draw, exercise: drawn, reply: null, right: null, expected: null, mistake: null });
      emit('exercise', { apply: true });
    },

    // The open exercise's question or explanation, in the page's language,
    // with its numbers.
    exerciseText(which) {
      const open = state.exercise;
      return exerciseText(state.program, open.exercise, which, state.lang,
        which === 'explanation' && typeof open.expected === 'number' ? open.expected : undefined);
    },

    // The exercises as a worksheet for seed `seed` (each the first drawn
    // afresh from it; as written where it is null): their questions in the
    // page's language, what each uses, and with `key` the program's answers
    // (with Cv = 1.5 R, the default reply's). [{ exercise, question, answer }].
    worksheet(seed, key) {
      return EXERCISES.map((written, k) => {
        const exercise = seed === null ? written : drawExercise(state.program, written, drawSeed(seed, k, 1));
        return { exercise, question: exerciseText(state.program, exercise, 'question', state.lang),
          answer: key ? expectedAnswer(state.program, exercise, 1.5) : null };
      });
    },

    // Sets the page as the open exercise asks: its substance (or reduced
    // units), its t or T, a trial line above the vapour pressure, the
    // piston's volume, or the find-it-yourself task.
    applyExercise() {
      const exercise = state.exercise.exercise, set = exercise.set;
      model.chooseEos('vdw');  // the exercises are set on van der Waals's tables
      const fluid = set.substance ? fluidIndex(state.program, set.substance) : -1;
      if (fluid !== state.fluid)
        model.chooseFluid(fluid);
      const t = exerciseT(state.program, exercise);
      if (t !== undefined)
        model.chooseAnyT(t);
      if (set.trialAbove !== undefined)
        model.setTrialP(model.chosenState().s.p + set.trialAbove);
      if (set.v !== undefined)
        model.setProcessVolume(set.v);
      if (set.find)
        model.enterFind(Math.round(t * 1000));
      else if (state.finding)
        model.leaveFind();
    },

    // The reader's answer to the open exercise, checked against the
    // program's.
    // A wrong one that matches a usual mistake names it (mistake).
    answerExercise(reply) {
      if (!state.program)
        return;
      const exercise = state.exercise.exercise, c = state.c === null ? 1.5 : state.c;
      const expected = expectedAnswer(state.program, exercise, c);
      Object.assign(state.exercise, { reply, expected, right: isRight(exercise, reply, expected),
        mistake: mistakeIn(state.program, exercise, reply, expected, c) });
      emit('exercise', { apply: false });
    },

    // Whether the open exercise, unanswered, holds back a part of the page
    // that would give its answer away ('readout': the chosen state's
    // numbers; 'verdict': which phase the trial line finds stable; 'shares':
    // the cylinder's liquid and gas; 'cNote': what c changes; 'boiling':
    // the model's boiling point). Once checked, or closed, nothing is held.
    withholds(part) {
      const open = state.exercise;
      return Boolean(open) && open.right === null && (EXERCISES[open.index].withholds || []).includes(part);
    },

    // The note the run's c calls for, as a key of the strings (the program
    // says what c means); null for a plain c, or before a run.
    cNote() {
      if (state.c === null || !state.program)
        return null;
      const keys = { notPositive: 'cNotPositive', notANumber: 'cNaN', infinite: 'cInfinite', tooLarge: 'cLarge' };
      return keys[state.program.cKind(state.c)] || null;
    },

    closeExercise() {
      state.exercise = null;
      emit('exercise', { apply: false });
    },

    // Find it yourself, at a t of the table: the line starts halfway between
    // the limits' pressures, and nothing says where the vapour pressure is
    // until it is checked.
    enterFind(milli) {
      state.finding = { milli: Math.min(LAST_ROW_MILLI, Math.max(FIRST_ROW_MILLI, milli)), p: null, checked: false };
      emit('finding', { deferred: false });
    },

    leaveFind() {
      state.finding = null;
      emit('finding', { deferred: false });
    },

    // A t of the table at random, another than the one being found.
    randomTableMilli(random = Math.random) {
      const now = state.finding ? state.finding.milli : null;
      const others = LAST_ROW_MILLI - FIRST_ROW_MILLI + (now === null ? 1 : 0);
      const milli = FIRST_ROW_MILLI + Math.floor(random() * others);
      return now !== null && milli >= now ? milli + 1 : milli;
    },

    findT() {
      return state.finding ? state.finding.milli / 1000 : null;
    },

    // The row's unrounded state being found, once a run has given the rows.
    findState() {
      return state.finding && state.run ? model.rowState(rowAt(state.finding.milli)) : null;
    },

    // The line at pressure p on the isotherm being found; null outside its range.
    findLineAt(p) {
      return model.trialLineAt(rowAt(state.finding.milli), p, state.c);
    },

    // The reader's line.
    findGuess() {
      const s = model.findState();
      const p = state.finding.p !== null ? state.finding.p : (Math.max(s.plmin, 0) + s.pgmax) / 2;
      return model.findLineAt(p);
    },

    setGuess(p, deferred = false) {
      if (!state.finding || state.finding.checked)
        return;
      state.finding.p = p;
      emit('finding', { deferred });
    },

    checkGuess() {
      if (!state.finding || !model.findState())
        return;
      state.finding.p = model.findGuess().p;
      state.finding.checked = true;
      emit('finding', { deferred: false });
    },

    // After the check: the row's vapour pressure and tie line as printed, the
    // guess's error (the guess minus the row's p) and its areas' difference.
    findResult() {
      if (!state.finding || !state.finding.checked || !model.findState())
        return null;
      const row = rowAt(state.finding.milli);
      const fields = state.coexistenceRows[row], guess = model.findGuess();
      const p = Number(fields[COEX.p]);
      return { fields, eq: state.propertyRows[3 * row], p, vl: Number(fields[COEX.vl]), vg: Number(fields[COEX.vg]),
        error: guess.p - p, areaDifference: guess.areaGas - guess.areaLiquid };
    },
  };
  return model;
}
