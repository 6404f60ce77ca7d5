// Heat the liquid, watch it boil: at the chosen state's vapour pressure, one
// mole heated from liquid to gas through the boiling point. The point moves
// along the isobar on the t–s dome and the p–t curve; while it boils t stays
// put and the gas's share grows, and the heat taken in then, t·(sg − sl),
// is the area under the path on the t–s chart, shown beside the row's
// latent heat. Every number comes from the program; this only draws.
import { byId, setList } from './dom.js';
import { legend, tAxis } from './charting.js';
import { setMarks } from './marks.js';
import { HEAT_STEPS } from './model.js';

export function createHeatingView(model, { theme, shownUnits: units, announce, chartNamed, frames }) {
  const state = model.state;
  const tr = model.tr;
  let said = '';

  const shown = units.shown;

  function show(reader = false) {
    const x = model.heatingState();
    byId('heating-controls').hidden = !x;
    if (!x) {
      mark(null);
      return;
    }
    const slider = byId('heat-step');
    Object.assign(slider, { min: 0, max: HEAT_STEPS, step: 1, disabled: false });
    slider.value = state.heatStep;
    const phase = tr({ liquid: 'heatLiquid', two: 'heatBoiling', gas: 'heatGas' }[x.phase]);
    slider.setAttribute('aria-valuetext', `t = ${x.t.toFixed(4)}: ${phase}`);
    byId('heating-intro').textContent = tr('heatingIntro', { p: shown('p', x.p), t: shown('t', x.path.s.t, 3) });
    setList(byId('heating-readout'), [[tr('heatT'), shown('t', x.t, 4)], [tr('heatPhase'), phase],
      [tr('heatGasShare'), `${(100 * x.gas).toFixed(1)} %`],
      [tr('heatTaken'), shown('e', x.heat)],
      [tr('heatBoilingHeat'), shown('e', x.path.boilingHeat)],
      [tr('heatLatent'), shown('e', x.path.latent)]]);
    Object.assign(byId('heating-readout').dataset, { boilingHeat: x.path.boilingHeat, latent: x.path.latent,
      t: x.t, gas: x.gas, phase: x.phase });
    // Said when the reader's heating changes the phase, not when the page
    // or a new t draws it.
    if (x.phase !== said && reader)
      announce(phase);
    said = x.phase;
    mark(x);
  }

  // The path and the point on the t–s and p–t charts, and once it boils the
  // heat taken in as the area under the boiling segment, down to t = 0: the
  // t–s chart's axis then starts at 0, so that the whole area shows.
  function mark(x) {
    const ts = chartNamed('ts'), pt = chartNamed('pt');
    const colour = theme.css('--c-purple');
    // The boiling point's entropies: where the liquid's path ends and the gas's begins.
    const sl = x && x.path.liquid[x.path.liquid.length - 1].s, sg = x && x.path.gas[0].s;
    const boiling = Boolean(x) && x.phase !== 'liquid';
    if (ts) {
      const tMin = boiling ? 0 : tAxis().min;
      if (ts.options.scales.y.min !== tMin) {
        ts.options.scales.y.min = tMin;
        ts.update('none');
      }
      // The t–s chart is the tables', van der Waals's: another equation's
      // entropy, of another zero, is not marked on it.
      setMarks(ts, x && model.state.eos === 'vdw' ? [
        { key: 'boiling-heat', points: boiling ? [{ x: sl, y: 0 }, { x: sl, y: x.path.s.t }, { x: sg, y: x.path.s.t },
          { x: sg, y: 0 }] : [], fill: theme.css('--area-gas'), colour },
        { key: 'heating-path', points: [...x.path.liquid, ...x.path.gas].map((q) => ({ x: q.s, y: q.t })), line: true,
          colour, width: 2, dash: [6, 4] },
        { key: 'heating-point', points: [{ x: x.s, y: x.t }], colour, radius: 7 }] : [], 'heating');
      legend('ts', ts);
    }
    if (pt) {
      setMarks(pt, x ? [
        { key: 'heating-path', points: [x.path.liquid[0], x.path.gas[x.path.gas.length - 1]].map((q) => ({ x: q.t, y: x.p })),
          line: true, colour, width: 2, dash: [6, 4] },
        { key: 'heating-point', points: [{ x: x.t, y: x.p }], colour, radius: 7 }] : [], 'heating');
      legend('pt', pt);
    }
  }

  byId('heat-step').addEventListener('input', (event) => model.setHeatStep(Number(event.target.value)));
  model.on('heating', () => show(true));
  // A step of t finds the isobar again, after the Maxwell chart is drawn.
  model.on('chosen', ({ deferred }) => frames.soonOrNow(deferred, 'heating', () => show()));
  model.on('run', () => show());
  model.on('language', () => show());
  model.on('fluid', () => show());
  model.on('eos', () => show());
  return { show: () => show() };
}
