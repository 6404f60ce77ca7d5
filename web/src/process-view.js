// The process at the chosen t: a cylinder whose piston the reader moves,
// drawn to scale of the overall molar volume, the liquid at the bottom and
// the gas above it in their volumes by the lever rule, a pressure gauge, and
// the operating point marked on the Maxwell chart, the g–p chart, the p–v
// dome, the p–t curve and the t–s dome. Without nucleation the gas and the liquid keep
// on their branches, metastable, up to their spinodals. As it goes, the work
// done on the fluid and the heat it gives off since the piston started, and
// their part while it condenses. Every state and every energy comes from the
// model through the program; this only draws.
import { byId, fieldError, setList, typedNumber } from './dom.js';
import { legend } from './charting.js';
import { setMarks } from './marks.js';

const SVG = 'http://www.w3.org/2000/svg';
const HEIGHT = 260;   // the drawn height of the largest volume, in the drawing's units
const BOTTOM = 290;   // the cylinder's floor
const STEPS = 1000;   // the slider's steps, on a logarithmic scale of v

export function createProcessView(model, { theme, shownUnits: units, announce, chartNamed, frames }) {
  const state = model.state;
  const tr = model.tr;
  let playTimer = null;
  let said = '';

  const shown = units.shown;

  // The slider's position for v, and back, on a logarithmic scale.
  const toSlider = (v, [low, high]) => Math.round(STEPS * Math.log(v / low) / Math.log(high / low));
  const fromSlider = (u, [low, high]) => low * Math.pow(high / low, u / STEPS);

  function element(name, attributes) {
    const made = document.createElementNS(SVG, name);
    Object.entries(attributes).forEach(([key, value]) => made.setAttribute(key, value));
    return made;
  }

  function drawCylinder(x, range) {
    const svg = byId('cylinder');
    const scale = HEIGHT / range[1];
    const liquid = x.phase.endsWith('liquid') ? x.v : (1 - x.gas) * x.vl;
    const gas = x.phase.endsWith('gas') ? x.v : x.phase === 'two' ? x.gas * x.vg : 0;
    const liquidHeight = liquid * scale, gasHeight = gas * scale;
    const top = BOTTOM - liquidHeight - gasHeight;
    svg.replaceChildren(
      element('rect', { x: 20, y: BOTTOM - HEIGHT - 8, width: 100, height: HEIGHT + 8, fill: 'none',
        stroke: theme.css('--text'), 'stroke-width': 2 }),
      element('rect', { id: 'cylinder-gas', x: 21, y: top, width: 98, height: gasHeight,
        fill: theme.css('--area-gas') }),
      element('rect', { id: 'cylinder-liquid', x: 21, y: BOTTOM - liquidHeight, width: 98, height: liquidHeight,
        fill: theme.css('--area-liquid') }),
      element('rect', { id: 'piston', x: 16, y: top - 8, width: 108, height: 8, fill: theme.css('--text') }),
      element('rect', { x: 66, y: 0, width: 8, height: Math.max(0, top - 8), fill: theme.css('--text') }));
    svg.setAttribute('aria-label', model.withholds('shares') ? tr('cylinderLabelHeld', { v: shown('v', x.v),
      p: shown('p', x.p) }) : tr('cylinderLabel', { v: shown('v', x.v), liquid: (100 - 100 * x.gas).toFixed(1),
      gas: (100 * x.gas).toFixed(1), p: shown('p', x.p) }));
  }

  // What the system is doing, in words; said once when it changes.
  function describe(x, s) {
    const key = x.fell ? (x.fell === 'gas' ? 'processFellGas' : 'processFellLiquid') : {
      liquid: 'processLiquid', gas: 'processGas', two: 'processTwo',
      'metastable-gas': 'processMetastableGas', 'metastable-liquid': 'processMetastableLiquid' }[x.phase];
    const text = tr(key, { p: shown('p', x.p), vgmin: s.vgmin.toFixed(6), pgmax: s.pgmax.toFixed(6),
      vlmax: s.vlmax.toFixed(6), plmin: s.plmin.toFixed(6) }) + (x.p < 0 ? ' ' + tr('processNegative') : '');
    byId('process-state').textContent = text;
    if (key !== said) {
      said = key;
      announce(text);
    }
  }

  function show() {
    const x = model.processState();
    const range = model.processRange();
    const section = byId('process-controls');
    section.hidden = !x;
    byId('process-above').hidden = Boolean(x);
    // Before any run the cylinder waits for one; from t = 1 up it has no two phases.
    byId('process-above').textContent = tr(!state.run && model.chosenT() < 1 ? 'processBeforeRun' : 'processAbove');
    if (!x) {
      markCharts(null);
      return;
    }
    const s = model.shownState().s;
    const slider = byId('process-v');
    Object.assign(slider, { min: 0, max: STEPS, step: 1, disabled: false });
    slider.value = toSlider(x.v, range);
    slider.setAttribute('aria-valuetext', 'v = ' + x.v.toFixed(4));
    const field = byId('process-v-number');
    if (document.activeElement !== field || field.getAttribute('aria-invalid') !== 'true')
      field.value = Number(x.v.toFixed(6));
    byId('process-p').textContent = shown('p', x.p);
    byId('process-shares').textContent = tr('leverResult', { liquid: (100 - 100 * x.gas).toFixed(1),
      gas: (100 * x.gas).toFixed(1) });
    Object.assign(byId('process-readout').dataset, { v: x.v, p: x.p, gas: x.gas, phase: x.phase });
    drawGauge(x, s);
    drawCylinder(x, range);
    showEnergy(x, range);
    describe(x, s);
    markCharts(x);
  }

  // The work done on the fluid and the heat it gives off since the start,
  // in the latent heat's unit; after a fall from a spinodal, why not.
  function showEnergy(x, range) {
    const energy = model.processEnergy();
    const list = byId('process-energy');
    setList(list, energy ? [[tr('workDone'), shown('e', energy.work)], [tr('heatGiven'), shown('e', energy.heat)],
      [tr('tieWork'), shown('e', energy.tieWork)], [tr('tieHeat'), shown('e', energy.tieHeat)]] : []);
    Object.assign(list.dataset, energy || { work: '', heat: '', tieWork: '', tieHeat: '' });
    byId('process-energy-note').textContent = energy ? tr(units.chosen() ? 'energySinceSi' : 'energySince',
      { v: shown('v', range[1], 4) }) : tr('energyIrreversible');
  }

  // A dial from the liquid limit's pressure (or 0) to the gas limit's, and
  // a little beyond, its scale marked at five pressures, its needle at p.
  function drawGauge(x, s) {
    const low = Math.min(0, s.plmin), high = s.pgmax * 1.1;
    const angleOf = (p) => Math.PI * (1 - Math.min(1, Math.max(0, (p - low) / (high - low))));
    const point = (p, r) => [80 + r * Math.cos(angleOf(p)), 78 - r * Math.sin(angleOf(p))];
    const ink = theme.css('--text');
    const ticks = [0, 1, 2, 3, 4].map((k) => low + (high - low) * k / 4);
    const [needleX, needleY] = point(x.p, 50);
    const svg = byId('gauge');
    svg.replaceChildren(
      element('path', { d: 'M 20 78 A 60 60 0 0 1 140 78', fill: 'none', stroke: ink, 'stroke-width': 3 }),
      ...ticks.map((p) => {
        const [x1, y1] = point(p, 60), [x2, y2] = point(p, 52);
        return element('line', { x1, y1, x2, y2, stroke: ink, 'stroke-width': 2 });
      }),
      // The scale's ends and middle, read under the dial's ends and over its top.
      ...[[0, 8, 93, 'start'], [2, 80, 12, 'middle'], [4, 152, 93, 'end']].map(([k, tx, ty, anchor]) => {
        const label = element('text', { x: tx, y: ty, 'text-anchor': anchor, 'font-size': 11, fill: ink });
        label.textContent = units.chosen() ? units.siText('p', ticks[k], 3) : ticks[k].toFixed(2);
        return label;
      }),
      element('line', { x1: 80, y1: 78, x2: needleX, y2: needleY, stroke: theme.css('--c-red'), 'stroke-width': 4 }));
    const unit = element('text', { x: 80, y: 94, 'text-anchor': 'middle', 'font-size': 11, fill: ink });
    unit.textContent = units.chosen() ? 'kPa' : tr('gaugeUnit');
    svg.append(unit);
    svg.setAttribute('aria-label', tr('gaugeLabel', { p: shown('p', x.p) }));
  }

  function markCharts(x) {
    const mark = (name, points) => {
      const chart = chartNamed(name);
      if (chart) {
        setMarks(chart, [{ key: 'process', points, colour: theme.css('--c-green'), radius: 7, line: false }], 'process');
        legend(name, chart);
      }
    };
    mark('maxwell', x ? [{ x: x.v, y: x.p }] : []);
    mark('pv', x ? [{ x: x.v, y: x.p }] : []);
    mark('pt', x ? [{ x: x.t, y: x.p }] : []);
    // The t–s chart is the tables', van der Waals's: another equation's
    // entropy, of another zero, is not marked on it.
    mark('ts', x && model.state.eos === 'vdw' ? [{ x: x.entropy, y: x.t }] : []);
    mark('gibbs', x ? [{ x: x.p, y: x.g }] : []);
  }

  function stopPlaying() {
    clearInterval(playTimer);
    playTimer = null;
    byId('process-play').setAttribute('aria-pressed', 'false');
    byId('process-play').textContent = tr('processPlay');
  }

  // A slow isothermal compression from the largest volume to the smallest,
  // about ten seconds; with reduced motion, in twenty steps.
  function play() {
    const range = model.processRange();
    if (!range)
      return;
    const reduced = matchMedia('(prefers-reduced-motion: reduce)').matches;
    let u = STEPS;
    model.setProcessVolume(range[1]);
    byId('process-play').setAttribute('aria-pressed', 'true');
    byId('process-play').textContent = tr('stop');
    playTimer = setInterval(() => {
      u -= reduced ? STEPS / 20 : 4;
      model.setProcessVolume(fromSlider(Math.max(0, u), range), true);
      if (u <= 0)
        stopPlaying();
    }, reduced ? 700 : 40);
  }

  function listen() {
    byId('process-v').addEventListener('input', (event) => {
      stopPlaying();
      model.setProcessVolume(fromSlider(Number(event.target.value), model.processRange()), true);
    });
    byId('process-v-number').addEventListener('change', (event) => {
      const v = typedNumber(event.target.value);
      const range = model.processRange();
      if (!(v >= range[0] && v <= range[1])) {
        fieldError(event.target, 'process-v-error', tr('processVInvalid', { low: range[0].toFixed(4),
          high: range[1].toFixed(4) }));
        return;
      }
      fieldError(event.target, 'process-v-error', null);
      stopPlaying();
      model.setProcessVolume(v);
    });
    byId('process-nucleation').addEventListener('change', (event) => model.setNucleation(!event.target.checked));
    byId('process-play').addEventListener('click', () => (playTimer ? stopPlaying() : play()));
  }

  model.on('process', () => show());
  // A step of t redraws the cylinder after the Maxwell chart, not before.
  model.on('chosen', ({ deferred }) => { stopPlaying(); frames.soonOrNow(deferred, 'process', show); });
  model.on('run', () => show());
  model.on('language', () => show());
  model.on('fluid', () => show());
  model.on('eos', () => show());
  listen();

  return { show };
}
