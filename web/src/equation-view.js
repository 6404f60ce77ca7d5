// The equation of state chooser: van der Waals's, Redlich and Kwong's,
// Soave's or Peng and Robinson's, drawn by the Maxwell view and the charts;
// the address names it (?eos=pr). Soave's and Peng and Robinson's take the
// chosen substance's acentric factor, or without one the one typed here.
import { EQUATIONS, addressWithEos } from './model.js';
import { byId, fieldError, typedNumber } from './dom.js';

export function createEquationView(model) {
  const state = model.state;
  const tr = model.tr;

  function show() {
    const select = byId('eos');
    select.innerHTML = EQUATIONS.map((key) => `<option value="${key}">${model.equationName(key)}</option>`).join('');
    select.value = state.eos;
    select.disabled = !model.ready();
    const fluid = model.ready() ? model.chosenFluid() : null;
    const needsOmega = state.eos === 'srk' || state.eos === 'pr';
    byId('eos-omega-field').hidden = !needsOmega || Boolean(fluid);
    const omega = fluid ? fluid.omega : state.eosOmega;
    const notes = [tr('eosWhat_' + state.eos)];
    if (needsOmega)
      notes.push(tr(fluid ? 'eosOmegaOfFluid' : 'eosOmegaTyped', { omega: omega.toFixed(3),
        name: fluid ? model.fluidName(state.fluid) : '' }));
    if (state.eos !== 'vdw')
      notes.push(tr('eosTablesStay'));
    byId('eos-note').textContent = notes.join(' ');
    byId('eos-note').hidden = state.eos === 'vdw';
    byId('eos-tables-note').hidden = state.eos === 'vdw';
    byId('eos-lab-note').hidden = state.eos === 'vdw';
    byId('eos-table-note').hidden = state.eos === 'vdw';
  }

  byId('eos').addEventListener('change', (event) => {
    model.chooseEos(event.target.value);
    try {
      history.replaceState(history.state, '', addressWithEos(location.href, state.eos));
    } catch (error) { /* an address from disk may not be rewritten */ }
  });
  byId('eos-omega').addEventListener('change', (event) => {
    const accepted = model.setEosOmega(typedNumber(event.target.value));
    fieldError(event.target, 'eos-omega-error', accepted ? null : tr('eosOmegaInvalid'));
  });
  ['eos', 'fluid', 'language', 'program'].forEach((event) => model.on(event, show));
  show();
  return { show };
}
