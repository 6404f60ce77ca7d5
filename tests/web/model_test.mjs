// The page's model without a page: its actions and what it says changed,
// with a stand-in for the program that gives rows the way the real one does.
import { test } from 'node:test';
import assert from 'node:assert';
import { createModel } from '../../web/src/model.js';

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
