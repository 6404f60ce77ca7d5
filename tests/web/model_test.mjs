// The page's model without a page: its actions and what it says changed,
// with a stand-in for the program that gives rows the way the real one does.
import { test } from 'node:test';
import assert from 'node:assert';
import { addressWithEos, createModel, eosFromAddress } from '../../web/src/model.js';

// A run of the stand-in: its report names c; the coexistence rows depend on
// `rowsOf` (they do not on c in the real program), the property rows on c.
function fakeRun(reply, rowsOf = () => 'same') {
  const c = Number(reply);
  const cText = c.toFixed(6);
  const rowTag = rowsOf(c);
  const coexistence = Array.from({ length: 499 }, (_, k) => [((999 - k) / 1000).toFixed(6), '0.5', '0.6', '2.6']);
  return {
    c, replyEnd: reply.length,
    coexistenceReport: () => new TextEncoder().encode(`c = ${cText}\r\n=====\r\n ${rowTag}`),
    coexistenceRows: () => coexistence.map((row) => row.slice()),
    propertyRows: () => [[`0.999000`, 'eq', cText]],
  };
}

function modelWith(program, reload = () => Promise.resolve(program)) {
  const model = createModel(reload);
  model.state.program = program;
  const said = [];
  for (const event of ['chosen', 'maxwell', 'run', 'program', 'status'])
    model.on(event, (detail) => said.push([event, detail]));
  return { model, said };
}

test('choosing t keeps it in the view, drops the trial line and the lever, and says so', () => {
  const { model, said } = modelWith({});
  model.state.trialP = 0.4;
  model.state.vOperating = 1.2;
  model.chooseT(1500);
  assert.strictEqual(model.state.tMilli, 1200);
  model.chooseT(100, false);
  assert.strictEqual(model.state.tMilli, 501);
  assert.strictEqual(model.state.trialP, null);
  assert.strictEqual(model.state.vOperating, null);
  assert.deepStrictEqual(said.map(([event, detail]) => [event, detail.deferred]), [['chosen', true], ['chosen', false]]);
  assert.strictEqual(model.chosenRow(), 498);
  model.chooseT(1000);
  assert.strictEqual(model.chosenRow(), -1);
});

test('a new c keeps the coexistence rows, and the property rows of the c before for comparison', () => {
  const program = { run: (reply) => fakeRun(reply) };
  const { model, said } = modelWith(program);
  model.compute('1.5');
  model.compute('2.5');
  model.compute('2.5');
  const runs = said.filter(([event]) => event === 'run').map(([, detail]) => detail.coexistenceChanged);
  assert.deepStrictEqual(runs, [true, false, false]);
  assert.strictEqual(model.state.cText, '2.500000');
  assert.deepStrictEqual(model.state.previous, { cText: '1.500000', rows: [['0.999000', 'eq', '1.500000']] });
  assert.deepStrictEqual(model.state.propertyRows, [['0.999000', 'eq', '2.500000']]);
  // Rows that change are read again.
  program.run = (reply) => fakeRun(reply, (c) => String(c));
  model.compute('3');
  assert.strictEqual(said.filter(([event]) => event === 'run').pop()[1].coexistenceChanged, true);
});

test('the lever reads the middle of the printed tie line until a volume is chosen; above the table, none', () => {
  const { model } = modelWith({ run: (reply) => fakeRun(reply) });
  model.compute('1.5');
  model.chooseT(850);
  assert.strictEqual(model.operatingVolume(), (0.6 + 2.6) / 2);
  model.setOperatingVolume(2);
  assert.strictEqual(model.operatingVolume(), 2);
  model.chooseT(1100);
  assert.strictEqual(model.operatingVolume(), null);
});

test('a t between thousandths, or below the table, is the model\'s state there, printed as a row would be', () => {
  const asked = [], printed = [];
  // The program prints the fields, as its reports do (JavaScript's toFixed
  // rounds a binary tie the other way).
  const program = { run: (reply) => fakeRun(reply), lowestStateT: 0.394,
    fixed: (x) => { printed.push(x); return x.toFixed(6); },
    stateAt: (t, c) => {
      asked.push([t, c]);
      return { state: { t, p: 0.0208442881, vl: 0.4022274515, vg: 59.2754656548, vlmax: 0.49, plmin: -4.33,
        vgmin: 3.93, pgmax: 0.16 }, areas: { vMiddle: 2, liquidArea: 1.9, gasArea: 1.9 },
      properties: { sl: -3, sg: 5, hl: -6, hg: 2, gl: -1, gg: -1, ul: -6.1, ug: 1.9 }, latent: 8 };
    } };
  const { model } = modelWith(program);
  model.compute('1.5');
  model.chooseAnyT(0.4796);
  assert.strictEqual(model.chosenRow(), -1);
  assert.strictEqual(model.chosenT(), 0.4796);
  const chosen = model.chosenState();
  assert.deepStrictEqual(chosen.fields.slice(0, 4), ['0.479600', '0.020844', '0.402227', '59.275466']);
  assert.deepStrictEqual(chosen.eq.slice(0, 3), ['0.479600', 'eq', '0.020844']);
  assert.deepStrictEqual(model.tieLineEnds(), [0.402227, 59.275466]);
  assert.deepStrictEqual(printed.slice(0, 4), [0.4796, 0.0208442881, 0.4022274515, 59.2754656548]);
  model.chosenState();
  assert.deepStrictEqual(asked, [[0.4796, 1.5]], 'the state is computed once for a t and c');
  // A thousandth is the table's row; below the table, t reaches the model's lowest.
  model.chooseAnyT(0.85);
  assert.strictEqual(model.chosenRow(), 149);
  model.chooseT(100);
  assert.strictEqual(model.state.tMilli, 394);
  assert.strictEqual(model.chosenState().fields[0], '0.394000');
});

test('a program that traps is dropped, loaded again, and the page is told why', async () => {
  const working = { run: (reply) => fakeRun(reply) };
  const trapping = { run: () => { throw new Error('memory access out of bounds'); } };
  const { model, said } = modelWith(trapping, () => Promise.resolve(working));
  assert.strictEqual(model.compute('1.5'), null);
  assert.strictEqual(model.state.program, null);
  await new Promise((resolve) => setTimeout(resolve, 0));
  assert.strictEqual(model.state.program, working);
  const programs = said.filter(([event]) => event === 'program').map(([, detail]) => detail.ready);
  assert.deepStrictEqual(programs, [false, true]);
  assert.deepStrictEqual(model.state.status, ['trapped', { error: 'memory access out of bounds' }, true]);
  assert.match(model.tr('trapped', { error: 'x' }), /\(x\)/);
});

test('finding the vapour pressure stays on the table\'s rows, never draws the same t twice running, and ignores a move once checked', () => {
  const { model } = modelWith({});
  model.enterFind(1100);
  assert.strictEqual(model.state.finding.milli, 999);
  model.enterFind(300);
  assert.strictEqual(model.state.finding.milli, 501);
  const draws = [0, 0.5, 0.999999];
  assert.deepStrictEqual(draws.map((u) => model.randomTableMilli(() => u)), [502, 751, 999]);
  model.state.finding.checked = true;
  model.setGuess(0.3);
  assert.strictEqual(model.state.finding.p, null);
  model.leaveFind();
  assert.strictEqual(model.state.finding, null);
});

// A stand-in program with one isotherm off the table (t = 0.9004), its
// stability limits and tie line as the real one's at t = 0.9, and an
// isotherm that falls as 1/v: enough to follow the process's states.
function processModel() {
  const s = { t: 0.9004, p: 0.647, vl: 0.603, vg: 2.349, vlmax: 0.77, plmin: 0.42, vgmin: 1.53, pgmax: 0.724 };
  const program = { run: (reply) => fakeRun(reply), lowestStateT: 0.394, fixed: (x) => x.toFixed(6),
    stateAt: () => ({ state: s, areas: { vMiddle: 1.1, liquidArea: 0.05, gasArea: 0.05 },
      properties: { sl: -1, sg: 1, hl: -1, hg: 1, gl: 0, gg: 0, ul: -1, ug: 1 }, latent: 2 }),
    isothermPressure: (t, v) => 1 / v, entropy: (t, v) => v, gibbsEnergy: (t, v) => -v,
    twoPhase: (state, v) => ({ gas: (v - state.vl) / (state.vg - state.vl), s: v, h: v }) };
  const { model } = modelWith(program);
  model.compute('1.5');
  model.chooseAnyT(0.9004);
  return { model, s };
}

test('the piston: with nucleation the stable state at each volume; without, each phase stays on its branch up to its spinodal, then falls into two phases', () => {
  const { model, s } = processModel();
  const phases = (volumes) => volumes.map((v) => {
    model.setProcessVolume(v);
    const x = model.processState();
    return [x.phase, x.fell];
  });
  assert.deepStrictEqual(model.processState().phase, 'gas', 'it starts as gas');
  assert.deepStrictEqual(phases([3, 2, 1, 0.5]), [['gas', null], ['two', null], ['two', null], ['liquid', null]]);
  assert.strictEqual(model.processState().p, 2, 'the liquid is on its isotherm');
  model.setNucleation(false);
  assert.deepStrictEqual(phases([3, 2, s.vgmin, 1.5, 1, 3]), [['gas', null], ['metastable-gas', null],
    ['metastable-gas', null], ['two', 'gas'], ['two', null], ['gas', null]]);
  assert.deepStrictEqual(phases([0.5, 0.7, s.vlmax, 0.8, 2]), [['liquid', null], ['metastable-liquid', null],
    ['metastable-liquid', null], ['two', 'liquid'], ['two', null]]);
  // In two phases the pressure is the vapour pressure and the shares the lever rule's.
  const x = model.processState();
  assert.strictEqual(x.p, s.p);
  assert.strictEqual(x.gas, (2 - s.vl) / (s.vg - s.vl));
  // Nucleation turned on again settles a metastable state at once.
  phases([3, 2]);
  model.setNucleation(true);
  assert.strictEqual(model.processState().phase, 'two');
  // A new t starts the piston again, as gas at the largest volume.
  model.chooseAnyT(0.9005);
  assert.deepStrictEqual([model.processState().phase, model.processState().v], ['gas', model.processRange()[1]]);
});

test('the piston\'s work and heat: from the start along the path it took, the branch kept without nucleation, none after a fall', () => {
  const { model, s } = processModel();
  const asked = [];
  model.state.program.compression = (state, from, to, kept) => {
    asked.push([state.t, from, to, kept]);
    return { work: to, heat: from, tieWork: 0, tieHeat: 0 };
  };
  const start = model.processRange()[1];
  const keptAt = (v) => {
    model.setProcessVolume(v);
    const energy = model.processEnergy();
    return energy && asked[asked.length - 1].slice(1).concat(energy.work === v);
  };
  assert.deepStrictEqual(keptAt(2), [start, 2, 'none', true]);
  assert.strictEqual(asked[0][0], s.t);
  model.setNucleation(false);
  assert.deepStrictEqual(keptAt(s.vgmin), [start, s.vgmin, 'gas', true]);
  // The fall into two phases is not reversible: nothing is said until the
  // piston is back at the start, or t or nucleation change.
  assert.strictEqual(keptAt(1.5), null);
  assert.strictEqual(keptAt(0.5), null);
  assert.strictEqual(keptAt(0.7), null);
  assert.deepStrictEqual(keptAt(start), [start, start, 'none', true]);
  keptAt(1.5);
  model.setNucleation(true);
  assert.deepStrictEqual(keptAt(0.7), [start, 0.7, 'none', true]);
  model.setNucleation(false);
  keptAt(0.5);
  assert.deepStrictEqual(keptAt(0.7), [start, 0.7, 'liquid', true]);
});

test('chapters: an address names one, a step stays within them, a new one hides the numbers revealed', () => {
  const { model } = modelWith({});
  const told = [];
  model.on('chapter', (detail) => told.push([model.state.chapter, detail.go]));
  assert.deepStrictEqual(['#lab', '#nowhere', ''].map((hash) => model.chapterAt(hash)), ['lab', null, null]);
  model.stepChapter(-1);
  model.showChapter('tables');
  model.stepChapter(1);
  assert.deepStrictEqual(told, [['isotherm', true], ['tables', false], ['tables', true]]);
  model.reveal();
  assert.strictEqual(model.state.revealed, 0, 'revealed without presenting');
  model.setPresent(true);
  model.reveal();
  model.showChapter('tables');
  assert.strictEqual(model.state.revealed, 1, 'the same chapter again hides nothing');
  model.stepChapter(-1);
  assert.strictEqual(model.state.revealed, 0);
});

test('heating: a third of the steps each for the liquid warming, boiling at one t as the gas grows, and the gas warming', () => {
  const { model, s } = processModel();
  const point = (t, v) => ({ t, v, s: v, h: 10 * t });
  model.state.program.isobar = (state, tLow, tHigh, count) => ({
    liquid: Array.from({ length: count + 1 }, (_, k) => point(tLow + (state.t - tLow) * k / count, 0.6)),
    gas: Array.from({ length: count + 1 }, (_, k) => point(state.t + (tHigh - state.t) * k / count, 2.3)),
    boilingHeat: 2, latent: 2 });
  const at = (k) => {
    model.setHeatStep(k);
    return model.heatingState();
  };
  assert.strictEqual(at(0).phase, 'liquid');
  assert.strictEqual(at(0).heat, 0);
  const boiling = [20, 25, 30, 39].map(at);
  assert.deepStrictEqual(boiling.map((x) => [x.phase, x.t]), [['liquid', s.t], ['two', s.t], ['two', s.t], ['two', s.t]]);
  assert.deepStrictEqual(boiling.slice(1).map((x) => x.gas.toFixed(4)), ['0.2500', '0.5000', '0.9500']);
  assert.deepStrictEqual([at(40).phase, at(60).phase, at(99).t], ['gas', 'gas', at(60).t]);
});

test('an exercise\'s answer is right within its tolerance, absolute or relative, or as the one choice', async () => {
  const { isRight } = await import('../../web/src/exercises.js');
  const absolute = { answer: { number: 'x', tolerance: 0.002 } };
  assert.deepStrictEqual([0.6449, 0.6491, NaN].map((r) => isRight(absolute, r, 0.647)), [false, false, false]);
  assert.deepStrictEqual([0.6451, 0.6489].map((r) => isRight(absolute, r, 0.647)), [true, true]);
  const relative = { answer: { number: 'x', relativeTolerance: 0.02 } };
  assert.deepStrictEqual([404, 419.9, 420.2].map((r) => isRight(relative, r, 411.852)), [true, true, false]);
  const choice = { answer: { choice: 'x' } };
  assert.deepStrictEqual(['liquid', 'gas', null].map((r) => isRight(choice, r, 'liquid')), [true, false, false]);
});

test('the find task\'s line starts between zero and the gas limit\'s pressure, also where the liquid limit\'s is negative', () => {
  // At t = 0.6 the liquid's limit lies at p = -4.33: the line must start at
  // a pressure the isotherm reaches on both sides, above zero.
  const s = { t: 0.6, p: 0.0648, vl: 0.4, vg: 28, vlmax: 0.5, plmin: -4.33, vgmin: 6.5, pgmax: 0.37 };
  const run = Object.assign(fakeRun('1.5'), {
    state: () => Object.assign({}, s),
    maxwell: () => ({ vMiddle: 1, liquidArea: 0, gasArea: 0 }),
    trial: (row, q) => (q > 0 && q < s.pgmax ? { vl: 0.4, vg: 20, areas: { vMiddle: 1, liquidArea: 0.1, gasArea: 0.1 } } : null),
  });
  const { model } = modelWith({ run: () => run });
  model.compute('1.5');
  model.enterFind(600);
  const start = model.findGuess();
  assert.ok(start, 'no line is drawn where the find task starts');
  assert.strictEqual(start.p, s.pgmax / 2);
});

test('exercise 1 takes the vapour pressure within 0.002 and no further', async () => {
  const { EXERCISES, isRight } = await import('../../web/src/exercises.js');
  const p = 0.646998;
  assert.deepStrictEqual([p + 0.0019, p - 0.0019, p + 0.0021, p - 0.0021].map((r) => isRight(EXERCISES[0], r, p)),
    [true, true, false, false]);
});

test('an open exercise holds back the parts of the page that give its answer until it is checked', () => {
  const program = { stateAt: () => ({ state: { vl: 0.6, vg: 2.6 } }), gasFraction: (v, vl, vg) => (v - vl) / (vg - vl) };
  const { model } = modelWith(program);
  const parts = ['readout', 'verdict', 'shares', 'cNote', 'boiling'];
  const held = () => parts.filter((part) => model.withholds(part));
  assert.deepStrictEqual(held(), []);
  // Each exercise holds back at least one part, and the one it asks about.
  const asks = { vapourPressure: 'readout', stablePhaseAbove: 'verdict', liquidShare: 'shares',
    gasVolumeCm3: 'readout', liquidVolumeCm3: 'readout', latentDependsOnC: 'cNote', boilingKelvin: 'boiling' };
  model.exercises.forEach((exercise, k) => {
    model.openExercise(k);
    const answer = exercise.answer.number || exercise.answer.choice;
    assert.ok(held().includes(asks[answer]), `exercise ${k + 1} shows ${asks[answer]}`);
  });
  // Exercise 3 needs the row's vl and vg: those stay in view.
  model.openExercise(2);
  assert.deepStrictEqual(held(), ['shares']);
  model.answerExercise(40);
  assert.strictEqual(model.state.exercise.right, false);
  assert.deepStrictEqual(held(), []);
  model.openExercise(2);
  assert.deepStrictEqual(held(), ['shares']);
  model.closeExercise();
  assert.deepStrictEqual(held(), []);
});

// The model's vapour pressure falls too slowly below Tc (p/pc = 0.20 at
// T/Tc = 0.7 against argon's 0.1): that is why it boils too cold.
test('no sentence of the page or the guide says the model\'s vapour pressure falls faster or is steeper than measured', async () => {
  const { STRINGS } = await import('../../web/src/strings.js');
  const fs = await import('node:fs');
  const here = new URL('../../', import.meta.url);
  const texts = [];
  for (const lang of ['es', 'en'])
    for (const value of Object.values(STRINGS[lang]))
      if (typeof value === 'string')
        texts.push(value);
  for (const exercise of JSON.parse(fs.readFileSync(new URL('web/exercises.json', here), 'utf8')))
    texts.push(exercise.explanation.es, exercise.explanation.en);
  texts.push(fs.readFileSync(new URL('docs/using-the-results.md', here), 'utf8').replace(/\n\s*/g, ' '));
  const sentences = texts.flatMap((text) => text.split(/(?<=[.;:])\s+/));
  const aboutVapour = /vapou?r|vapor|Clausius|ω|acentric|acéntrico/i;
  const wrong = /too fast|faster|steep|deprisa|más rápid|empinad/i;
  const offending = sentences.filter((s) => aboutVapour.test(s) && wrong.test(s));
  assert.deepStrictEqual(offending, []);
  const slowly = sentences.filter((s) => /falls too slowly|cae demasiado despacio/.test(s));
  assert.ok(slowly.length >= 6, `the right sentence is said in both languages: ${slowly.length}`);
});

test('areas and their differences below the searches\' precision print as 0, not as rounding noise', async () => {
  const { area, signed } = await import('../../web/src/columns.js');
  assert.deepStrictEqual([3.13326e-16, -7.98814e-16, 0].map(area), ['0', '0', '0']);
  assert.deepStrictEqual([3.13326e-16, -7.98814e-16].map(signed), ['0', '0']);
  assert.strictEqual(area(0.5), '0.500000');
  assert.strictEqual(area(2.5e-3), '2.50000e-3');
  // One minus sign, the reports' and the SI values' (-2.52512e-9 J/mol beside it).
  assert.strictEqual(signed(-5.37e-9), '-5.37e-9');
  assert.strictEqual(signed(-0.25), '-0.250000');
  assert.strictEqual(signed(NaN), 'nan');
});

// What the views used to work out from the program's numbers themselves.
test('the lever reads the printed tie line, boiling uses the shown c, and g above Tc runs in increasing p', () => {
  const asked = [];
  const program = { run: (reply) => fakeRun(reply),
    gasFraction: (v, vl, vg) => (v - vl) / (vg - vl),
    boilingAt: (i, p, c) => { asked.push([i, p, c]); return { t: 0.7 }; },
    // The pressures at volumes 0 to 3, the first above the chart.
    isothermPressure: (t, v) => [3, 2, 1, 1.5][v], gibbsEnergy: (t, v, c) => 10 * v + c };
  const { model } = modelWith(program);
  model.chooseFluid(2);
  assert.strictEqual(model.boilingAt(0), null);
  model.boilingAt(101325);
  model.compute('3');
  model.chooseT(900);
  model.boilingAt(101325);
  assert.deepStrictEqual(asked, [[2, 101325, 1.5], [2, 101325, 3]]);
  // The row's printed vl = 0.6 and vg = 2.6: the middle is half gas.
  assert.strictEqual(model.gasFraction(), 0.5);
  assert.strictEqual(model.gasFraction(2.1), 0.75);
  assert.deepStrictEqual(model.gibbsAbove(1.1, [0, 1, 2, 3], 2.2), [{ x: 1, y: 23 }, { x: 1.5, y: 33 }, { x: 2, y: 13 }]);
});

test('the address names the equation: ?eos= opens with it, choosing one rewrites it and keeps the rest', () => {
  assert.strictEqual(eosFromAddress('?lang=en&eos=pr'), 'pr');
  assert.strictEqual(eosFromAddress('?eos=srk'), 'srk');
  assert.strictEqual(eosFromAddress('?eos=PR'), 'vdw');
  assert.strictEqual(eosFromAddress('?eos=bwr'), 'vdw');
  assert.strictEqual(eosFromAddress(''), 'vdw');
  assert.strictEqual(addressWithEos('file:///x/vdwcoex.html?lang=en', 'rk'), 'file:///x/vdwcoex.html?lang=en&eos=rk');
  assert.strictEqual(addressWithEos('https://a.b/p?eos=rk&exercise=2#m', 'pr'), 'https://a.b/p?eos=pr&exercise=2#m');
  assert.strictEqual(addressWithEos('https://a.b/p?eos=rk&lang=es', 'vdw'), 'https://a.b/p?lang=es');
});

test('another equation is what the Maxwell view shows: its state off the table in its own Vc, its trial line and units, the substance\'s omega; the tables and the lab keep van der Waals\'s', () => {
  const made = [];
  const equation = (key, omega) => {
    made.push([key, omega]);
    return { key, omega, zc: 0.307,
      state: (t, c) => ({ state: { t, p: 0.25, vl: 0.4, vg: 8.3, vlmax: 0.5, plmin: -1.4, vgmin: 2.5, pgmax: 0.45 },
        areas: { vMiddle: 1.2, liquidArea: 0.7, gasArea: 0.7 },
        properties: { sl: -4, sg: 0.5, hl: -3, hg: 2, gl: 1.5, gg: 1.5, ul: -3.1, ug: 1.8 }, latent: 5 + c }),
      trial: (s, p) => ({ vl: 0.41, vg: 7, areas: { vMiddle: 1.3, liquidArea: 0.6, gasArea: 0.8 }, gl: 1.4, gg: 1.6, p }),
      pressure: (t, v) => t / v,
      toSi: (i, q, x) => x * 100 + i,
      rows: (c) => [{ state: { t: 0.999, p: 0.99, vl: 0.9, vg: 1.1, vlmax: 0.95, plmin: 0.98, vgmin: 1.05, pgmax: 0.995 },
        latent: c }] };
  };
  const program = { run: (reply) => fakeRun(reply), lowestStateT: 0.394, lowestEquationT: 0.35,
    fixed: (x) => x.toFixed(6), equation, substances: [{ key: 'argon', omega: -0.002 }],
    toSi: (i, q, x) => x * 10, omegaAccepted: (omega) => omega <= 2 };
  const { model } = modelWith(program);
  const eosSaid = [];
  model.on('eos', () => eosSaid.push(model.state.eos));
  model.compute('1.5');
  model.chooseT(800);
  model.setTrialP(0.3);
  model.chooseEos('pr');
  model.chooseEos('bwr');
  assert.deepStrictEqual(eosSaid, ['pr']);
  assert.strictEqual(model.state.trialP, null);
  const shown = model.shownState();
  assert.strictEqual(shown.eos, 'pr');
  assert.strictEqual(shown.row, -1);
  assert.deepStrictEqual(shown.fields.slice(0, 4), ['0.800000', '0.250000', '0.400000', '8.300000']);
  assert.strictEqual(shown.fields[8], '6.500000');
  assert.deepStrictEqual(model.tieLineEnds(), [0.4, 8.3]);
  assert.strictEqual(shown.trialAt(0.3).areaGas, 0.8);
  assert.deepStrictEqual(model.shownIsotherm(0.8, [2]), [{ x: 2, y: 0.4 }]);
  assert.deepStrictEqual(model.shownRows(), [['0.999000', '0.990000', '0.900000', '1.100000', '0.950000', '0.980000',
    '1.050000', '0.995000', '1.500000']]);
  // The tables' row stays van der Waals's.
  assert.strictEqual(model.chosenRow(), 199);
  assert.deepStrictEqual(made.map(([, omega]) => omega).slice(-1), [0]);
  // With a substance, its omega, and volumes in SI by the equation's own Vc.
  model.state.fluid = 0;
  model.shownState();
  assert.deepStrictEqual(made.slice(-1), [['pr', -0.002]]);
  assert.strictEqual(model.shownToSi('v', 2), 200);
  assert.strictEqual(model.toSi('v', 2), 20);
  model.state.fluid = -1;
  assert.strictEqual(model.setEosOmega(0.2), true);
  // An omega the program refuses changes nothing.
  assert.strictEqual(model.setEosOmega(7), false);
  model.shownState();
  assert.deepStrictEqual(made.slice(-1), [['pr', 0.2]]);
  // Outside the equation's searches, and at the critical point, none.
  model.chooseAnyT(0.3495);
  assert.strictEqual(model.shownState(), null);
  model.chooseT(1000);
  assert.strictEqual(model.shownState(), null);
  // Van der Waals again: the table's rows.
  model.chooseT(800);
  model.chooseEos('vdw');
  assert.strictEqual(model.equation(), null);
  assert.deepStrictEqual(model.tieLineEnds(), [0.6, 2.6]);
});

// A stand-in program for the exercises drawn afresh: a state at each t whose
// numbers follow t, and the substances the exercises draw from.
function exerciseProgram() {
  const stateOf = (t) => ({ t, p: t / 2, vl: 0.5, vg: 1 + 4 * t, plmin: t - 0.8, pgmax: t - 0.1 });
  const tc = [150, 126, 102, 103, 104, 105, 106];
  return { lowestStateT: 0.394, fixed: (x) => x.toFixed(6), run: (reply) => fakeRun(reply),
    substances: ['argon', 'nitrogen', 'neon', 'oxygen', 'methane', 'water', 'ammonia'].map((key, i) =>
      ({ key, nameEs: key, nameEn: key, tc: tc[i], refT: 50 + i })),
    stateAt: (t) => ({ state: stateOf(t), latent: 3 }),
    gasFraction: (v, vl, vg) => (v - vl) / (vg - vl),
    toSi: (i, q, x) => (q === 't' ? x * tc[i] : x * (i + 1) * 1e-4),
    boilingAt: (i) => ({ temperature: 60 + i, t: (60 + i) / tc[i] }),
    trialLine: (s, p) => ({ gl: p > s.p ? 0 : 1, gg: 0.5 }) };
}

test('a class\'s seed draws the same worksheet every time, another seed another, each number within its range', () => {
  const program = exerciseProgram();
  const { model } = modelWith(program);
  const sheet = (seed) => model.worksheet(seed, true);
  assert.deepStrictEqual(sheet(7), sheet(7));
  assert.notDeepStrictEqual(sheet(7).map((q) => q.question), sheet(8).map((q) => q.question));
  assert.deepStrictEqual(sheet(null).map((q) => q.exercise), model.exercises, 'without a seed, as written');
  for (const seed of [1, 2, 3, 99, 4294967295]) {
    for (const { exercise, question, answer } of sheet(seed)) {
      const set = exercise.set;
      assert.doesNotMatch(question, /\{|undefined/);
      if (set.t !== undefined) {
        assert.ok(set.t >= 0.6 && set.t <= 0.95 && Number.isInteger(Math.round(set.t * 100)) &&
          Math.abs(set.t * 100 - Math.round(set.t * 100)) < 1e-9, `t = ${set.t}`);
        assert.match(question, new RegExp(`t = ${String(set.t).replace('.', ',')}\\b`));
      }
      if (set.v !== undefined) {  // on the tie line of its t
        assert.ok(set.v > 0.5 && set.v < 1 + 4 * set.t, `v = ${set.v} at t = ${set.t}`);
        assert.strictEqual(answer, 100 * (1 - (set.v - 0.5) / (1 + 4 * set.t - 0.5)));
      }
      if (set.T !== undefined)
        assert.ok(Number.isInteger(set.T) && set.T >= 70 && exercise.vary.substance.includes(set.substance),
          JSON.stringify(set));
      if (exercise.answer.number === 'vapourPressure')
        assert.strictEqual(answer, set.t / 2, 'the key\'s answer is the program\'s at the drawn t');
    }
  }
});

test('another draws the open exercise with new numbers, sets the page to them and checks against the program there', () => {
  const program = exerciseProgram();
  const { model } = modelWith(program);
  model.setSeed(5);
  model.openExercise(2);
  const written = model.exerciseText('question');
  assert.match(written, /t = 0,9, un mol ocupa v = 1,4/);
  const seen = new Set([written]);
  for (let k = 0; k < 5; ++k) {
    model.anotherExercise();
    const question = model.exerciseText('question');
    assert.ok(!seen.has(question) || k > 0, 'another gave the same numbers');
    seen.add(question);
    const { t, v } = model.state.exercise.exercise.set;
    const share = 100 * (1 - (v - 0.5) / (1 + 4 * t - 0.5));
    model.answerExercise(share);
    assert.strictEqual(model.state.exercise.right, true, `${question}: ${share}`);
    assert.strictEqual(model.state.exercise.expected, share);
  }
  assert.ok(seen.size >= 5, `only ${seen.size} different questions in six`);
  // The same seed, the same draws.
  const again = modelWith(exerciseProgram()).model;
  again.setSeed(5);
  again.openExercise(2);
  again.anotherExercise();
  model.openExercise(2);
  model.anotherExercise();
  assert.deepStrictEqual(again.state.exercise.exercise.set, model.state.exercise.exercise.set);
});

test('a wrong answer that is a usual mistake is named: lever reversed, a limit\'s pressure, swapped volumes, t for kelvin', () => {
  const program = exerciseProgram();
  const { model } = modelWith(program);
  const named = (n, reply) => {
    model.openExercise(n - 1);
    model.answerExercise(reply);
    return model.state.exercise.mistake;
  };
  // At t = 0.9: p = 0.45, limits at 0.1 and 0.8, vl = 0.5, vg = 4.6.
  assert.deepStrictEqual([0.1, 0.8, 0.45, 0.3].map((p) => named(1, p)), ['limitPressure', 'limitPressure', null, null]);
  const gas = 100 * (1.4 - 0.5) / 4.1;
  assert.deepStrictEqual([gas, 100 - gas, 50].map((x) => named(3, x)), ['leverReversed', null, null]);
  // Argon at 120 K: t = 0.8, vl = 0.5, vg = 4.2, in cm³/mol 50 and 420.
  assert.deepStrictEqual([50, 420].map((x) => named(4, x)), ['liquidForGas', null]);
  assert.deepStrictEqual([420, 50].map((x) => named(5, x)), ['gasForLiquid', null]);
  assert.deepStrictEqual([60 / 150, 60, 87.3].map((x) => named(7, x)), ['reducedForKelvin', null, null]);
  assert.ok(['es', 'en'].every((lang) => ['limitPressure', 'leverReversed', 'gasForLiquid', 'liquidForGas',
    'reducedForKelvin'].every((name) => { model.setLanguage(lang); return model.tr('mistake_' + name).length > 40; })));
});
