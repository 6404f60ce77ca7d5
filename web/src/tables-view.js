// The tables of the two reports, and the search trace: only the rows in
// view are in the page.
import { COEX_QUANTITIES, LAST_ROW_MILLI, PROP, PROP_QUANTITIES } from './columns.js';
import { byId } from './dom.js';

class WindowedTable {
  constructor(box, onPick) {
    this.box = box;
    this.table = box.querySelector('table');
    this.body = this.table.tBodies[0];
    this.rows = [];
    this.marked = -1;
    this.rowHeight = 0;
    this.onPick = onPick;
    this.everyRow = false;  // for print: every row in the page
    // The box's height and scroll position, kept as they change, so that a
    // render never makes the browser lay out the page first to read them.
    this.scrollTop = box.scrollTop;
    this.viewHeight = box.clientHeight || 400;
    this.rowHeight = this.measureRow();
    new ResizeObserver(() => { this.viewHeight = box.clientHeight || 400; this.render(); }).observe(box);
    box.addEventListener('scroll', () => { this.scrollTop = box.scrollTop; this.render(); }, { passive: true });
    if (onPick) {
      this.body.addEventListener('click', (event) => {
        const row = event.target.closest('tr[data-row]');
        if (row)
          onPick(Number(row.dataset.row));
      });
      // The arrow keys, PageUp/PageDown and Home/End pick a row from the
      // focused table; the pick follows the keys.
      box.addEventListener('keydown', (event) => {
        const page = Math.max(1, Math.floor(this.viewHeight / (this.rowHeight || 28)) - 1);
        const moves = { ArrowDown: 1, ArrowUp: -1, PageDown: page, PageUp: -page,
          Home: -Infinity, End: Infinity };
        if (!(event.key in moves) || !this.rows.length)
          return;
        event.preventDefault();
        const from = this.marked < 0 ? 0 : this.marked;
        onPick(Math.min(this.rows.length - 1, Math.max(0, from + moves[event.key])));
      });
    }
  }

  // The height of one row, from a row put in and taken out again.
  measureRow() {
    this.body.innerHTML = '<tr data-row="0"><td>0.000000</td></tr>';
    const height = this.body.rows[0].getBoundingClientRect().height;
    this.body.innerHTML = '';
    return height;
  }

  setRows(rows) {
    this.rows = rows;
    this.table.setAttribute('aria-rowcount', rows.length + 1);
    this.render();
  }

  // Marks a row by its class alone: the rows in the page stay; a row out of
  // view is scrolled to, and the scroll renders it.
  mark(index) {
    if (index === this.marked)
      return;
    const old = this.body.querySelector('tr.marked');
    if (old) {
      old.classList.remove('marked');
      old.removeAttribute('aria-selected');
    }
    this.marked = index;
    const row = this.body.querySelector(`tr[data-row="${index}"]`);
    if (row) {
      row.classList.add('marked');
      row.setAttribute('aria-selected', 'true');
    }
    if (this.rowHeight && index >= 0) {
      const top = index * this.rowHeight;
      if (top < this.scrollTop || top > this.scrollTop + this.viewHeight - 2 * this.rowHeight) {
        // Scrolled just before the next paint, which lays the page out
        // anyway: setting it now would make the browser do that twice.
        this.scrollTop = Math.max(0, top - this.viewHeight / 2);
        if (!this.scrolling)
          requestAnimationFrame(() => {
            this.scrolling = false;
            this.box.scrollTop = this.scrollTop;
          });
        this.scrolling = true;
      }
    }
  }

  render() {
    const columns = this.table.tHead.rows[0] ? this.table.tHead.rows[0].cells.length : 1;
    const height = this.rowHeight || 28;
    const first = this.everyRow ? 0 : Math.max(0, Math.floor(this.scrollTop / height) - 5);
    const count = this.everyRow ? this.rows.length : Math.ceil(this.viewHeight / height) + 10;
    const last = Math.min(this.rows.length, first + count);
    if (this.rendered && this.rendered.first === first && this.rendered.last === last &&
        this.rendered.rows === this.rows && this.rendered.marked === this.marked)
      return;
    // The same rows of a table of the same size with new values (a new c):
    // only the cells' texts are rewritten.
    const before = this.rendered;
    this.rendered = { first, last, rows: this.rows, marked: this.marked };
    if (before && before.first === first && before.last === last && before.marked === this.marked &&
        before.rows.length === this.rows.length && this.rows[first] && before.rows[first] &&
        before.rows[first].length === this.rows[first].length) {
      const rows = this.body.querySelectorAll('tr[data-row]');
      for (let i = first; i < last; i++) {
        const cells = rows[i - first].cells;
        this.rows[i].forEach((text, k) => {
          if (cells[k].textContent !== text)
            cells[k].textContent = text;
        });
      }
      return;
    }
    const spacer = (rows) => rows > 0 ?
      `<tr class="spacer" aria-hidden="true" style="height:${rows * height}px"><td colspan="${columns}"></td></tr>` : '';
    let html = spacer(first);
    for (let i = first; i < last; i++) {
      const mark = i === this.marked ? ' class="marked" aria-selected="true"' : '';
      html += `<tr data-row="${i}" aria-rowindex="${i + 2}"${mark}><td>` +
        this.rows[i].join('</td><td>') + '</td></tr>';
    }
    html += spacer(this.rows.length - last);
    this.body.innerHTML = html;
    if (!this.rowHeight && last > first) {
      const row = this.body.querySelector('tr[data-row]');
      this.rowHeight = row.getBoundingClientRect().height || 28;
      if (this.rowHeight !== height) {
        this.rendered = null;
        this.render();
      }
    }
  }
}

export function createTablesView(model, units) {
  const state = model.state;
  const tr = model.tr;
  let propertyMilli = [];  // the t of each row of the property table, in thousandths
  const tables = {
    coexistence: new WindowedTable(byId('coexistence-box'), (row) => model.chooseT(LAST_ROW_MILLI - row)),
    properties: new WindowedTable(byId('properties-box'), (row) => model.chooseT(propertyMilli[row])),
  };

  function heads() {
    const head = (cells) => '<tr>' + cells.map(([name, title]) =>
      `<th scope="col"${title ? ` title="${title}"` : ''}>${name}</th>`).join('') + '</tr>';
    byId('table').tHead.innerHTML = head(units.withUnits(tr('coexColumns'), COEX_QUANTITIES));
    // The columns' meanings, readable without a pointer.
    byId('coex-columns').innerHTML = tr('coexColumns')
      .map(([name, title]) => `<dt>${name}</dt><dd>${title}</dd>`).join('');
    byId('properties-table').tHead.innerHTML = head(units.withUnits([['t'], [tr('state')], ['p'], ['vl'], ['vg'],
      ['sl'], ['sg'], ['hl'], ['hg'], ['gl'], ['gg'], ['ul'], ['ug']], PROP_QUANTITIES));
    showProperties();
  }

  // clatente.dat's rows: the coexisting states, or every row.
  function showProperties() {
    const names = { eq: tr('stateEq'), limliq: tr('stateLimliq'), limgas: tr('stateLimgas') };
    const rows = state.propertyRows.filter((f) => state.limitRows || f[PROP.state] === 'eq')
      .map((f) => [f[PROP.t], names[f[PROP.state]] || f[PROP.state]].concat(f.slice(PROP.p)));
    propertyMilli = rows.map((f) => Math.round(Number(f[PROP.t]) * 1000));
    tables.properties.setRows(units.shownRows(rows, PROP_QUANTITIES));
    mark();
  }

  // The chosen t's rows, once there are rows.
  function mark() {
    if (!state.coexistenceRows.length)
      return;
    const row = model.chosenRow();
    tables.coexistence.mark(row);
    tables.properties.mark(row < 0 ? -1 : state.limitRows ? 3 * row : row);
  }

  model.on('language', heads);
  model.on('fluid', heads);
  model.on('limitRows', showProperties);
  model.on('chosen', mark);
  model.on('run', ({ coexistenceChanged }) => {
    if (coexistenceChanged) {
      tables.coexistence.setRows(units.shownRows(state.coexistenceRows, COEX_QUANTITIES));
      byId('trace').textContent = model.trace().replace(/^\n/, '');
    }
    showProperties();
  });
  byId('limit-rows').addEventListener('change', (event) => model.setLimitRows(event.target.checked));

  // Printed, the tables hold every row.
  return {
    print(on) {
      Object.values(tables).forEach((table) => { table.everyRow = on; table.render(); });
    },
  };
}
