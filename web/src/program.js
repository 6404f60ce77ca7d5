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
  // The equations by key, and what c means by name, from the module's enums.
  const EOS = ['vdw', 'rk', 'srk', 'pr'];
  const keyOf = (value) => EOS.find((key) => module.Eos[key].value === value.value);
  const C_KINDS = ['plain', 'notPositive', 'notANumber', 'infinite', 'tooLarge'];
  // One equation kept by key, made again when its omega changes.
  const keptEquations = new Map();

  // Any equation's isotherm in v = V/Vc with its own Vc: its Zc and
  // smallest volume b/Vc, its
  // saturation state at t ({ state, areas, properties, latent }, for
  // lowestEquationT <= t < 1), its pressure and g at (t, v), a line at
  // pressure p on state s's isotherm (null outside its limits' pressures),
  // the Gibbs chart as gibbsChart gives van der Waals's, substance i's
  // reduced numbers in SI and back by the equation's own Vc, its states at
  // the table's temperatures, and for the lab s, h, a two-phase mixture and
  // heating at the vapour pressure as the functions below of the same names.
  function equation(key, omega) {
    const was = keptEquations.get(key);
    if (was && was.omega === omega)
      return was.offered;
    if (was)
      was.made.delete();
    const made = new module.Equation(module.Eos[key], omega);
    const offered = { key, omega, zc: made.zc(), covolume: made.covolume(),
      state: (t, c) => made.state(t, c),
      pressure: (t, v) => made.pressure(t, v),
      gibbs: (t, v, c) => made.gibbs(t, v, c),
      trial: (s, p, c) => made.trial(s, p, c),
      gibbsChart: (s, pLow, pHigh, count, c) => made.gibbsChart(s, pLow, pHigh, count, c),
      toSi: (i, q, x) => made.toSi(i, quantities[q], x),
      fromSi: (i, q, x) => made.fromSi(i, quantities[q], x),
      rows: (c) => made.rows(c),
      entropy: (t, v, c) => made.entropy(t, v, c),
      enthalpy: (t, v, c) => made.enthalpy(t, v, c),
      twoPhase: (s, v, c) => made.twoPhase(s, v, c),
      isobar: (s, tLow, tHigh, count, c) => made.isobar(s, tLow, tHigh, count, c),
      helmholtzChart: (s, vLow, vHigh, count, c) => made.helmholtzChart(s, vLow, vHigh, count, c),
      helmholtzTangent: (t, p, vl, vg, c) => made.helmholtzTangent(t, p, vl, vg, c),
      compression: (s, vFrom, vTo, kept) => made.compression(s, vFrom, vTo, module.Kept[kept]) };
    keptEquations.set(key, { omega, made, offered });
    return offered;
  }

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
    // Whether Soave's and Peng and Robinson's equations take this omega.
    omegaAccepted: (omega) => module.omegaAccepted(omega),
    measuredFluids: () => module.measuredFluids(),
    // Substance i measured at T (K): { p, liquid, vapour, latent }, { solid, tripleT } below its triple point, or null.
    measuredAt: (i, temperature) => module.measuredAt(i, temperature),
    gasFraction: (v, vl, vg) => module.gasFraction(v, vl, vg),
    // What c means for the results: 'plain', 'notPositive', 'notANumber',
    // 'infinite' or 'tooLarge'.
    cKind: (c) => C_KINDS.find((name) => module.CKind[name].value === module.cKind(c).value),
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
    equation,
    lowestEquationT: module.lowestEquationT,
    // Substance i by equation `key` in SI: [{ temperature, p, liquid, vapour,
    // latent }] from near Tc down to its triple point; and every equation's
    // relative errors against its measured curves at a few T ([{ t,
    // temperature, eos, p, liquid, latent }]).
    equationCurve: (i, key) => module.equationCurve(i, module.Eos[key]),
    equationErrors: (i) => module.equationErrors(i).map((e) => Object.assign(e, { eos: keyOf(e.eos) })),
    // f (in Pc Vc, where df/dv = −p) along state s's isotherm for a chart of
    // volumes vLow to vHigh, each branch at count + 1 volumes in it: { liquid,
    // metastableLiquid, unstable, metastableGas, gas }, each [{ v, f }].
    helmholtzChart: (s, vLow, vHigh, count, c) => module.helmholtzChart(s, vLow, vHigh, count, c),
    // The line of slope −p touching f at the stable end of a line at p from vl
    // to vg: { p, vTouch, fTouch, vl, vg, fl, fg, lineL, lineG }.
    helmholtzTangent: (t, p, vl, vg, c) => module.helmholtzTangent(t, p, vl, vg, c),
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
