// Find it yourself: the isotherm at a t of the table with a line the reader
// moves until the two areas look equal, and nothing else of the page in
// view; "check" then says how far the guess was and shows the row's vapour
// pressure. Before the check nothing drawn or written here gives the
// vapour pressure away: the isotherm is one curve (its stable parts end at
// the coexisting volumes), and the areas are pictures, not numbers.
import { COEX, PROP, signed } from './columns.js';
import { axis, chartOptions, dataset, label, legend, line, palette, styleCharts, volumes } from './charting.js';
import { byId, pressureSliderEnds, setList, setPressureSlider } from './dom.js';

export function createFindView(model, { theme, painter, frames, units, announce }) {
  const state = model.state;
  const tr = model.tr;
  const charts = {};
  let made = false;

  const shownT = () => (model.findT() || 0).toFixed(3);

  function makeChart() {
    charts.find = new Chart(byId('find'), { type: 'scatter', data: { datasets: [
      line('find-area-liquid', '', { borderWidth: 0, fill: { value: 0 } }),
      line('find-area-gas', '', { borderWidth: 0, fill: { value: 0 } }),
      line('find-isotherm', '', { borderWidth: 3 }),
      line('find-guess', '', { borderWidth: 3, borderDash: [10, 5] }),
      line('find-answer', '', { borderWidth: 3 }),
    ] }, options: chartOptions(axis({}), axis({})) });
  }

  function restyle() {
    if (!made)
      return;
    const m = charts.find;
    label(m, 'find-area-liquid', tr('areaLiquid'), theme.css('--area-liquid'));
    label(m, 'find-area-gas', tr('areaGas'), theme.css('--area-gas'));
    label(m, 'find-isotherm', tr('findIsotherm'), theme.css('--text'));
    label(m, 'find-guess', tr('findGuessLine'), theme.css('--c-pink'));
    label(m, 'find-answer', tr('tieLine'), theme.css(palette[0]));
    styleCharts(charts, { find: [tr('findChart', { t: shownT() }), tr('vAxis'), tr('pAxis')] }, null,
      { theme, painter, units });
  }

  const sliderEnds = (s) => pressureSliderEnds(byId('find-p'), s);

  function show(deferred = false) {
    const finding = state.finding;
    document.body.toggleAttribute('data-finding', Boolean(finding));
    byId('find-view').hidden = !finding;
    if (!finding)
      return;
    const s = model.findState();
    if (!s)
      return;
    const guess = model.findGuess();
    setPressureSlider(byId('find-p'), s, guess.p);
    byId('find-p-value').textContent = units.beside('p', guess.p, guess.p.toFixed(6));
    byId('find-task').textContent = tr('findTask', { t: shownT() }) +
      (units.chosen() ? ` (T = ${units.siText('t', model.findT())} K)` : '');
    const result = model.findResult();
    byId('find-check').disabled = Boolean(result);
    byId('find-result').hidden = !result;
    if (result) {
      setList(byId('find-result-list'), [
        [tr('findYourGuess'), units.beside('p', guess.p, guess.p.toFixed(6))],
        [tr('findAnswer'), units.beside('p', result.p, result.fields[COEX.p])],
        [tr('findError'), units.beside('p', result.error, signed(result.error))],
        [tr('findAreas'), units.beside('w', result.areaDifference, signed(result.areaDifference))],
        [tr('findGibbs'), `${result.eq[PROP.gl]}, ${result.eq[PROP.gg]}`]]);
      Object.assign(byId('find-result').dataset, { guess: guess.p, p: result.p, error: result.error });
      byId('find-verdict').textContent = tr(Math.abs(result.error) <= 0.0005 * result.p ? 'findClose'
        : result.error > 0 ? 'findHigh' : 'findLow');
    }
    if (made)
      frames.soonOrNow(deferred, 'find', () => draw(s, guess, result));
    describe(s, guess, result);
  }

  // The isotherm from just left of the liquid's crossing at the highest
  // pressure the line takes to just right of the guess's gas crossing.
  function draw(s, guess, result) {
    const m = charts.find;
    const top = model.findLineAt(s.pgmax) || guess;
    const vLow = top.vl, vHigh = Math.max(guess.vg, result ? result.vg : 0);
    const span = vHigh - vLow;
    const vMin = Math.max(vLow - span * 0.06, (vLow + 1 / 3) / 2), vMax = vHigh + span * 0.08;
    const low = Math.min(s.plmin, guess.p), high = s.pgmax;
    const pad = (high - low) * 0.12;
    Object.assign(m.options.scales.x, { min: vMin, max: vMax });
    Object.assign(m.options.scales.y, { min: low - pad, max: high + pad });
    const curve = model.isotherm(s.t, volumes(vMin, vMax, 100,
      [s.vlmax, s.vgmin, guess.vl, guess.vMiddle, guess.vg]));
    const part = (from, to) => curve.filter((q) => q.x >= from && q.x <= to);
    dataset(m, 'find-isotherm').data = curve;
    dataset(m, 'find-guess').data = [{ x: guess.vl, y: guess.p }, { x: guess.vg, y: guess.p }];
    Object.assign(dataset(m, 'find-area-liquid'), { data: part(guess.vl, guess.vMiddle), fill: { value: guess.p } });
    Object.assign(dataset(m, 'find-area-gas'), { data: part(guess.vMiddle, guess.vg), fill: { value: guess.p } });
    dataset(m, 'find-answer').data = result ? [{ x: result.vl, y: result.p }, { x: result.vg, y: result.p }] : [];
    m.options.plugins.title.text = tr('findChart', { t: shownT() });
    m.update('none');
    legend('find', m);
  }

  function describe(s, guess, result) {
    byId('find-description').textContent = tr('findDescription', { t: shownT(), plmin: s.plmin.toFixed(6),
      pgmax: s.pgmax.toFixed(6), p: guess.p.toFixed(6) }) +
      (result ? ' ' + tr('findDescriptionAnswer', { p: result.fields[COEX.p] }) : '');
  }

  function listen() {
    const slider = byId('find-p');
    slider.addEventListener('input', () => {
      const [low, high] = sliderEnds(model.findState());
      model.setGuess(Math.min(high, Math.max(low, Number(slider.value))), true);
    });
    slider.addEventListener('keydown', (event) => {
      if ((event.key !== 'Home' && event.key !== 'End') || !model.findState())
        return;
      event.preventDefault();
      model.setGuess(sliderEnds(model.findState())[event.key === 'Home' ? 0 : 1]);
    });
    byId('find-start').addEventListener('click', () => model.enterFind(state.tMilli));
    byId('find-check').addEventListener('click', () => {
      model.checkGuess();
      announce(`${byId('find-verdict').textContent} ${byId('find-result-list').textContent}`);
    });
    byId('find-new').addEventListener('click', () => {
      model.enterFind(model.randomTableMilli());
      announce(byId('find-task').textContent);
    });
    byId('find-leave').addEventListener('click', () => {
      model.leaveFind();
      byId('find-start').focus();
    });
    // A press on the chart moves the line there; a drag carries it.
    const canvas = byId('find');
    let dragging = false;
    const move = (event) => {
      if (!dragging || !made || !model.findState())
        return;
      const [low, high] = sliderEnds(model.findState());
      const p = charts.find.scales.y.getValueForPixel(event.offsetY);
      model.setGuess(Math.min(high, Math.max(low, p)), true);
    };
    canvas.addEventListener('pointerdown', (event) => {
      if (!model.findState() || model.findResult())
        return;
      dragging = true;
      canvas.setPointerCapture(event.pointerId);
      move(event);
    });
    canvas.addEventListener('pointermove', move);
    ['pointerup', 'pointercancel', 'lostpointercapture'].forEach((name) => canvas.addEventListener(name, () => {
      dragging = false;
    }));
  }

  model.on('finding', ({ deferred }) => show(deferred));
  model.on('run', () => show());
  model.on('language', () => { restyle(); show(); });
  model.on('fluid', () => restyle());
  listen();

  return {
    charts,
    makers: [makeChart],
    ready() {
      made = true;
      restyle();
      show();
    },
    restyle,
  };
}
