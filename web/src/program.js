// The program, by name: the only code of the page that touches the
// WebAssembly module (vdwcoex.js, the console program's C++). Every number
// the page shows comes through here; nothing is computed on this side.
// The program offered by a loaded module.
function programOf(module) {
  // One run is kept for reading at a time: a new run frees the one before.
  let kept = null;
  const quantities = { t: module.Quantity.temperature, p: module.Quantity.pressure, v: module.Quantity.volume,
    s: module.Quantity.entropy, e: module.Quantity.energy, w: module.Quantity.work };
  const encode = (text) => new TextEncoder().encode(text);
  // Rows as the module hands them over: a tab between cells, a line break
  // after each row.
  const linesOfCells = (text) => text.split('\n').slice(0, -1).map((line) => line.split('\t'));
  const list = module.substances();

  // A run for a reply, read as the console program reads it.
  function run(reply) {
    const made = new module.Run(reply);
    if (kept)
      kept.delete();
    kept = made;
    return {
      c: made.c(),
      replyEnd: made.replyEnd(),            // where the number read ends in the reply's bytes
      coexistenceReport: () => made.coexistenceReport(),                  // vdw_coex.dat
      reports: () => [made.coexistenceReport(), made.propertyReport()],  // vdw_coex.dat, clatente.dat
      trace: () => made.trace(),
      coexistenceRows: () => linesOfCells(made.coexistenceRows()),
      propertyRows: () => linesOfCells(made.propertyRows()),
      csvFiles: () => [encode(made.coexistenceCsv()), encode(made.propertyCsv())],
      // The workbook's sheets as rows of cells, the SI ones where a substance is given.
      sheets: (fluid) => {
        const s = made.sheets(fluid);
        return { coexistence: linesOfCells(s.coexistence), properties: linesOfCells(s.properties),
          about: linesOfCells(s.about), coexistenceSi: linesOfCells(s.coexistenceSi),
          propertiesSi: linesOfCells(s.propertiesSi) };
      },
      siFiles: (fluid) => {
        const s = made.siTables(fluid);
        return [encode(s.coexistence), encode(s.properties)];
      },
      // Substance `fluid` against the model: nature_KEY.csv, and its SI
      // curves { model, measured }, each [{ temperature, p, liquid, vapour, latent }].
      natureFile: (fluid) => encode(made.natureFile(fluid)),
      natureSi: (fluid) => made.natureSi(fluid),
      // A row's unrounded state and its construction; null off the table.
      state: (row) => made.state(row),
      maxwell: (row) => made.maxwell(row),
      // The line at pressure p on a row's isotherm; null outside its limits.
      trial: (row, p, c) => made.trial(row, p, c),
    };
  }

  return {
    run,
    isothermPressure: (t, v) => module.isothermPressure(t, v),
    gibbsEnergy: (t, v, c) => module.gibbsEnergy(t, v, c),
    entropy: (t, v, c) => module.entropy(t, v, c),
    enthalpy: (t, v, c) => module.enthalpy(t, v, c),
    // The isobar through state s heated from tLow to tHigh: { liquid, gas },
    // each count + 1 points { t, v, s, h }, meeting at s.t.
    isobar: (s, tLow, tHigh, count, c) => module.isobar(s, tLow, tHigh, count, c),
    // One mole pushed at state s's t from volume vFrom to vTo, the phase kept
    // on its branch past the tie line's end ('gas' or 'liquid'; 'none': the
    // stable states): the work done on it and the heat it gives off, and
    // their part on the tie line, { work, heat, tieWork, tieHeat } in 8a/27b.
    compression: (s, vFrom, vTo, kept) => module.compression(s.t, s.p, s.vl, s.vg, vFrom, vTo, module.Kept[kept]),
    // State s's liquid and gas together at overall volume v: { gas, s, h }.
    twoPhase: (s, v, c) => module.twoPhase(s, v, c),
    // The model against Guggenheim's law, its Zc, acentric factor, critical
    // exponent and Clapeyron's slopes (none depends on c).
    againstNature: () => module.againstNature(),
    measuredFluids: () => module.measuredFluids(),
    // Substance i measured at T (K): { p, liquid, vapour, latent }, { solid, tripleT } below its triple point, or null.
    measuredAt: (i, temperature) => module.measuredAt(i, temperature),
    gasFraction: (v, vl, vg) => module.gasFraction(v, vl, vg),
    // What c means for the results: 'plain', 'notPositive', 'notANumber',
    // 'infinite' or 'tooLarge'.
    cKind: (c) => module.cKind(c),
    substances: list,
    // A reduced number of quantity q (t, p, v, s or e, an energy) of substance i in SI units, and back.
    toSi: (i, q, x) => module.toSi(i, quantities[q], x),
    fromSi: (i, q, x) => module.fromSi(i, quantities[q], x),
    // The model's state of substance i at a vapour pressure (Pa); null out of reach.
    boilingAt: (i, pressure, c) => module.boilingAt(i, pressure, c),
    boilingRange: (i) => module.boilingRange(i),
    // The lowest t the model's state reaches, and the state at t off the
    // table's rows, with Cv = cR ({ state, areas, properties, latent }; null
    // outside lowestStateT <= t < 1); the line at pressure p on a state's
    // isotherm (null outside its limits' pressures).
    lowestStateT: module.lowestStateT,
    // x printed as the reports print it: fixed, six decimals.
    fixed: (x) => module.fixed(x),
    stateAt: (t, c) => module.stateAt(t, c),
    trialLine: (s, p, c) => module.trialLine(s, p, c),
    // g along state s's isotherm for a chart of pressures pLow to pHigh, each
    // branch at count + 1 pressures in it: { liquid, metastableLiquid,
    // unstable, metastableGas, gas }, each [{ p, v, g }] in increasing p.
    gibbsChart: (s, pLow, pHigh, count, c) => module.gibbsChart(s, pLow, pHigh, count, c),
  };
}

// Whether the module's script (vdwcoex.js) is there to load.
export function programPresent() {
  return typeof createVdwcoex === 'function';
}

// Loads the module and offers its program.
export function loadProgram() {
  // createVdwcoex is vdwcoex.js's, a classic script of the page.
  return createVdwcoex().then(programOf);
}
