// What a run offers to take away: its files (vdw_coex.dat, clatente.dat
// and their CSV forms, as the program wrote them), the workbook
// vdwcoex.xlsx, and each chart as a picture.
//
// The workbook is made when asked for from the last run's tables as the
// program hands them over (the same cells as the CSV files, and the SI
// tables where a substance is chosen), with ExcelJS, which is loaded the
// first time. Numbers go in as numbers, so a spreadsheet in any locale
// reads them as numbers.
import { byId, offerBytes } from './dom.js';
import { chartPicture } from './marks.js';
import { legendItems } from './charting.js';

// A cell as the sheet holds it: digits as their number, anything else
// (a state, nan) as text, an empty cell as none.
function sheetCell(text) {
  if (text === '')
    return null;
  const x = Number(text);
  return /^[-+]?[0-9.]/.test(text) && Number.isFinite(x) ? x : text;
}

function addTable(book, name, lines) {
  const sheet = book.addWorksheet(name, { views: [{ state: 'frozen', ySplit: 2 }] });
  lines.forEach((cells, k) => {
    const row = sheet.addRow(k < 2 ? cells : cells.map(sheetCell));
    if (k < 2)
      row.font = { bold: true };
  });
  sheet.columns.forEach((column) => { column.width = 14; });
}

export function createFilesView(model, { chartNamed }) {
  const state = model.state;
  let library = null;  // ExcelJS, once asked for

  // ExcelJS, loaded once by a script element (which works from disk too):
  // from exceljs.min.js beside the page, or, in the page made one file, from
  // its text kept inert in the page until now (so it costs nothing at load).
  function workbookLibrary() {
    if (!library)
      library = new Promise((resolve, reject) => {
        const script = document.createElement('script');
        const inlined = document.getElementById('exceljs-source');
        if (inlined) {
          script.text = inlined.textContent;
          document.head.appendChild(script);
          resolve(window.ExcelJS);
          return;
        }
        script.src = 'exceljs.min.js';
        script.onload = () => resolve(window.ExcelJS);
        script.onerror = () => { library = null; reject(new Error('exceljs.min.js')); };
        document.head.appendChild(script);
      });
    return library;
  }

  // The run's sheets, read at once (a later run may follow while the library
  // loads), then the file, offered as a download.
  function downloadWorkbook() {
    const sheets = model.sheets();
    const tables = [['vdw_coex', sheets.coexistence], ['clatente', sheets.properties]];
    if (state.fluid >= 0)
      tables.push(['vdw_coex_si', sheets.coexistenceSi], ['clatente_si', sheets.propertiesSi]);
    const button = byId('xlsx-file');
    button.disabled = true;
    return workbookLibrary().then((ExcelJS) => {
      const book = new ExcelJS.Workbook();
      tables.forEach(([name, lines]) => addTable(book, name, lines));
      const sheet = book.addWorksheet('about');
      sheets.about.forEach(([name, value]) => { sheet.addRow([name, sheetCell(value)]).getCell(1).font = { bold: true }; });
      sheet.getColumn(1).width = 22;
      sheet.getColumn(2).width = 40;
      return book.xlsx.writeBuffer();
    }).then((bytes) => {
      const url = URL.createObjectURL(new Blob([bytes],
        { type: 'application/vnd.openxmlformats-officedocument.spreadsheetml.sheet' }));
      const link = document.createElement('a');
      link.href = url;
      link.download = 'vdwcoex.xlsx';
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(url), 60000);
    }, (error) => model.say('workbookFailed', { error: String(error) }, true))
      .finally(() => { button.disabled = false; });
  }

  // Each chart's PNG button saves the chart as the chart library draws it,
  // with its marks and its legend,
  // named after the chart, the chosen t and c.
  document.querySelectorAll('button.png').forEach((button) => button.addEventListener('click', () => {
    const chart = chartNamed(button.dataset.chart);
    if (!chart)
      return;
    const link = document.createElement('a');
    link.download = `vdwcoex-${button.dataset.chart}-t${(state.tMilli / 1000).toFixed(3)}-c${state.cText || '1.500000'}.png`;
    link.href = chartPicture(chart, legendItems(chart));
    link.click();
  }));
  byId('xlsx-file').addEventListener('click', downloadWorkbook);
  model.on('run', () => { byId('files').hidden = false; });

  return {
    // A run's files, once it is painted.
    offer(files) {
      ['coex-file', 'prop-file', 'coex-csv', 'prop-csv'].forEach((id, k) =>
        offerBytes(byId(id), files[k], 'application/octet-stream'));
    },
  };
}
