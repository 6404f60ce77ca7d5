// The page's one model: what the last run gave and what the reader chose,
// and the actions that change them. It knows no element of the page: the
// views listen to what it says has changed and draw from it.
import { COEX, FIRST_ROW_MILLI, LAST_ROW_MILLI, T_MAX_MILLI, rowAt } from './columns.js';
import { STRINGS } from './strings.js';

// What the model says has changed, with what each listener is given:
//   language, status, program ({ ready }), run ({ coexistenceChanged }),
//   chosen ({ deferred }: t moved), maxwell ({ deferred, what }: the trial
//   line, the lever's volume, the volume axis or the Gibbs chart's range), playing ({ on }), fluid,
//   quantity, limitRows.
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
    vOperating: null,       // the volume on the tie line for the lever rule
    trialP: null,           // a trial pressure for the line, or null: the vapour pressure
    logAxis: false,
    gibbsZoom: false,       // the Gibbs chart near the crossing, not the whole swallowtail
    quantity: 's',          // the property charts' quantity: s or h
    limitRows: false,       // the property table with the limits' rows too
    fluid: -1,              // the chosen substance's index, or -1: reduced units
    runs: 0,
    playing: false,         // t playing up through the table
  };
  let playTimer = null;
  const listeners = new Map();
  const emit = (event, detail = {}) => (listeners.get(event) || []).forEach((listener) => listener(detail));

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

    // The chosen t's row of vdw_coex.dat (0 for t = 0.999), or -1 above the table.
    chosenRow() {
      return rowAt(state.tMilli);
    },

    // The chosen row's tie line as its report prints it, [vl, vg]; null
    // above the table. The lever rule works on these, the values the reader sees.
    tieLineEnds() {
      const row = state.coexistenceRows[model.chosenRow()];
      return row ? [Number(row[COEX.vl]), Number(row[COEX.vg])] : null;
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
      const x = run.trial(row, q, c);
      return x && { p: q, vl: x.vl, vMiddle: x.areas.vMiddle, vg: x.vg, areaLiquid: x.areas.liquidArea,
        areaGas: x.areas.gasArea, gl: x.gl, gg: x.gg };
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
      state.tMilli = Math.min(T_MAX_MILLI, Math.max(FIRST_ROW_MILLI, milli));
      state.vOperating = null;
      state.trialP = null;
      emit('chosen', { deferred });
    },

    // Plays t up through the table to 0.999 and stops; with reduced motion
    // it steps by 0.05 every 0.7 s instead of sweeping.
    play(reducedMotion) {
      if (state.tMilli >= LAST_ROW_MILLI)
        state.tMilli = FIRST_ROW_MILLI;
      state.playing = true;
      emit('playing', { on: true });
      const step = () => {
        const next = Math.min(LAST_ROW_MILLI, state.tMilli + (reducedMotion ? 50 : 2));
        model.chooseT(next);
        if (next >= LAST_ROW_MILLI)
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
  };
  return model;
}
