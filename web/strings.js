// Every text of the page, in Spanish (the program's language) and English.
// The downloaded files and the program's trace are never translated.
'use strict';

const STRINGS = {
  es: {
    title: 'vdwcoex: transición de fase en un fluido de van der Waals',
    heading: 'Transición de fase en un fluido de van der Waals',
    intro: 'Este programa calcula vl, vg, sl, sg, hl, hg y calor latente en un fluido ideal de ' +
      'van der Waals, en variables reducidas (t = T/Tcr, p = P/Pcr, v = V/Vcr), para cada t de ' +
      '0.999 a 0.501.',
    otherLanguage: 'English',
    otherLanguageLabel: 'Read this page in English',
    cLabel: 'Teclear la cte c (Cv = cR):',
    run: 'Calcular',
    hint: 'El separador decimal es el punto: «1,5» se lee como 1. Sin número, c = 1.5.',
    loading: 'Cargando el programa…',
    noScript: 'Esta página necesita JavaScript.',
    ready: 'Listo: teclee c y pulse Intro o Calcular.',
    computing: 'Calculando…',
    done: 'c = {c} · {rows} temperaturas · calculado y mostrado en {ms} ms',
    missing: 'No se pudo cargar el programa (vdwcoex.js). Copie la carpeta completa y abra ' +
      'index.html desde ella.',
    noWasm: 'Este navegador no admite WebAssembly: use una versión reciente de Firefox, Chrome, ' +
      'Edge o Safari.',
    startFailed: 'No se pudo iniciar el programa: {error}',
    trapped: 'El programa falló ({error}) y se ha vuelto a cargar: pruebe de nuevo.',
    pageError: 'Error en la página: {error}',
    chartsMissing: 'No se pudo cargar la biblioteca de gráficos: los diagramas no se muestran.',
    filesHeading: 'Ficheros',
    coexFile: 'Descargar vdw_coex.dat (tabla de coexistencia)',
    propFile: 'Descargar clatente.dat (tabla de propiedades)',
    coexCsv: 'Descargar vdw_coex.csv (coexistencia, para hojas de cálculo)',
    propCsv: 'Descargar clatente.csv (propiedades, para hojas de cálculo)',
    workbookFile: 'Descargar vdwcoex.xlsx (las dos tablas en un libro: Excel o LibreOffice en cualquier idioma)',
    workbookFailed: 'No se pudo preparar vdwcoex.xlsx: {error}',
    cNaN: 'c = {c} no es un número: las presiones y los volúmenes valen, pero entropías, ' +
      'entalpías, energías y calor latente salen «nan». Los ficheros son los del programa.',
    cInfinite: 'c = {c} es infinito: las presiones y los volúmenes valen, pero entropías, ' +
      'entalpías y energías son infinitas y el calor latente sale «nan».',
    cLarge: 'c = {c} es tan grande que el calor latente, diferencia de dos números del orden de c, ' +
      'puede perder su última cifra; presiones y volúmenes valen. Los ficheros son los del programa.',
    cNotPositive: 'c = {c} no es positivo: un fluido real tiene Cv = cR > 0. Presiones, ' +
      'volúmenes y calor latente valen; entropías y energías no describen ningún fluido real.',
    maxwellHeading: 'Construcción de Maxwell',
    maxwellIntro: 'La isoterma de van der Waals a la t elegida, con la línea de equilibrio a la ' +
      'presión de vapor: las dos áreas entre ambas son iguales (en el eje lineal, también a la vista). ' +
      'Mueva la línea a otra presión y verá por qué está donde está: las áreas y las energías de Gibbs ' +
      'del líquido y del gas dejan de coincidir a la vez. Elija t (hasta 1.2, por encima del punto ' +
      'crítico) con el control, el número o una fila de la tabla de coexistencia.',
    tRange: 'Temperatura t',
    tNumber: 't =',
    readoutHeading: 'En t = {t}',
    pressure: 'p de vapor',
    liquidVolume: 'v líquido',
    gasVolume: 'v gas',
    latentHeat: 'calor latente hg − hl',
    areaLiquid: 'área bajo la línea (lado líquido)',
    areaGas: 'área sobre la línea (lado gas)',
    areaDifference: 'diferencia de las áreas',
    leverLabel: 'Volumen total v sobre la línea de equilibrio:',
    leverResult: 'líquido {liquid} %, gas {gas} % (regla de la palanca)',
    leverHint: 'Arrastre el punto sobre la línea o teclee v entre vl y vg.',
    stable: 'estable',
    metastable: 'metaestable',
    unstable: 'inestable',
    tieLine: 'línea de equilibrio',
    limits: 'límites de estabilidad',
    operatingPoint: 'punto de trabajo',
    maxwellChart: 'Isoterma t = {t}',
    maxwellDescription: 'Isoterma t = {t}: líquido estable hasta v = {vl}, metaestable hasta el ' +
      'límite v = {vlmax} (p = {plmin}), inestable hasta v = {vgmin} (p = {pgmax}), metaestable ' +
      'hasta v = {vg} y gas estable después; línea de equilibrio a p = {p} entre vl y vg; áreas ' +
      '{areaLiquid} y {areaGas}.',
    diagramHeading: 'Diagrama de fases',
    pvChart: 'Plano p–v',
    ptChart: 'Plano p–t',
    heatChart: 'Calor latente (en 8a/27b)',
    vAxis: 'v = V/Vcr',
    pAxis: 'p = P/Pcr',
    tAxis: 't = T/Tcr',
    heatAxis: '(hg − hl)·27b/8a',
    isotherm: 't = {t}',
    critical: 'punto crítico',
    coexistence: 'coexistencia (vl, vg)',
    spinodal: 'espinodal (vl máx, vg mín)',
    vapourPressure: 'presión de vapor',
    gasLimit: 'p gas máx (límite del gas)',
    liquidLimit: 'p líq. mín (límite del líquido; baja hasta −4)',
    pvDescription: 'Plano p–v: curva de coexistencia de v = {vlLow} a {vgLow} a t = 0.501, que se ' +
      'cierra en el punto crítico (v = 1, p = 1); espinodal dentro de ella; isotermas de 0.7 a 1.',
    ptDescription: 'Plano p–t: presión de vapor de {pLow} a t = 0.501 a {pHigh} a t = 0.999, ' +
      'entre los límites del gas y del líquido.',
    heatDescription: 'Calor latente: de {high} a t = 0.501 a {low} a t = 0.999; se anula en el ' +
      'punto crítico.',
    propertiesHeading: 'Propiedades de las fases (clatente.dat)',
    propertiesIntro: 'Dependen de c: pruebe otro valor y vea cómo se mueven; las curvas de la c anterior quedan en tenue.',
    quantity: 'Magnitud del gráfico',
    entropy: 'entropía s/R',
    enthalpy: 'entalpía h·27b/8a',
    limitRows: 'Mostrar también las filas de los límites de estabilidad',
    propertiesChart: '{quantity} de las fases en coexistencia',
    sLiquid: 'sl (líquido)',
    sGas: 'sg (gas)',
    hLiquid: 'hl (líquido)',
    hGas: 'hg (gas)',
    propertiesDescription: '{quantity} en coexistencia, c = {c}: líquido de {liquidLow} a ' +
      '{liquidHigh}, gas de {gasLow} a {gasHigh}, de t = 0.501 a 0.999.{before}',
    noData: 'Sin datos: calcule primero.',
    coexistenceHeading: 'Coexistencia líquido–gas (vdw_coex.dat)',
    coexistenceTable: 'Tabla de coexistencia: pulse una fila para ver su construcción de Maxwell',
    propertiesTable: 'Tabla de propiedades',
    traceHeading: 'Proceso para t = 0.95',
    traceIntro: 'Puntos medios de la búsqueda del límite de estabilidad del líquido.',
    traceLabel: 'Traza de la búsqueda',
    state: 'estado',
    stateEq: 'coexistencia',
    stateLimliq: 'límite líquido',
    stateLimgas: 'límite gas',
    chosenT: 't elegida',
    vAxisLog: 'v = V/Vcr (escala logarítmica)',
    tsChart: 'Plano t–s: la campana de coexistencia',
    tsDescription: 'Plano t–s, c = {c}: entropías del líquido y del gas en coexistencia; a t = 0.501 ' +
      'sl = {slLow} y sg = {sgLow}, que se juntan en {sHigh} cerca del punto crítico. Otra c desplaza ' +
      'la campana entera sin cambiar su anchura, sg − sl.',
    previousC: ' En tenue, la c anterior, {c}.',
    gibbsHeading: 'Energía de Gibbs a lo largo de la isoterma',
    gibbsChart: 'g frente a p en la isoterma t = {t}',
    gibbsAxis: 'g·27b/8a',
    gibbsCrossing: 'cruce a la presión de vapor',
    gibbsGap: 'gl y gg a la presión de prueba',
    gibbsDescription: 'g frente a p en la isoterma t = {t}: la rama del líquido, la inestable y la del ' +
      'gas forman una cola de milano entre p = {plmin} y {pgmax}; el líquido y el gas tienen la misma g ' +
      'solo en p = {p}, la presión de vapor; por encima es menor la del líquido, por debajo la del gas.',
    gibbsAboveDescription: 'g frente a p en la isoterma t = {t}: una sola rama, sin cruce: no hay dos fases.',
    noCoexistence: 'isoterma (sin coexistencia)',
    trialLine: 'línea a la presión de prueba',
    tInvalid: 't debe ser un número entre 0.501 y 1.2 (con punto o coma decimal); no se ha cambiado nada.',
    vInvalid: 'v debe ser un número entre vl = {vl} y vg = {vg}; no se ha cambiado nada.',
    play: 'Animar t',
    stop: 'Parar',
    logAxis: 'eje de volumen logarítmico',
    logNote: 'En escala logarítmica las áreas iguales no se ven iguales: el eje estira los volúmenes ' +
      'pequeños y encoge los grandes. Solo en el eje lineal el área dibujada es la integral de p dv.',
    readoutEmpty: 'Lecturas (calcule primero)',
    unitsNote: 's en unidades de R, con s = 0 en t = 1 y v = 2/3 (V − b = b); h, g y u en 8a/27b = R·Tcr, ' +
      'con u = 0 para el gas a t = 0 y volumen infinito. Son valores relativos a ese estado: pueden ser negativos.',
    trialLabel: 'Presión de prueba de la línea (arrástrela en el gráfico o use las flechas):',
    trialReset: 'Volver a la presión de vapor',
    trialPressure: 'p de prueba',
    gibbsDifference: 'gl − gg en los extremos',
    verdictAt: 'A la presión de vapor las áreas son iguales y gl = gg: las dos fases coexisten.',
    verdictAbove: 'Por encima de la presión de vapor: el área bajo la línea es mayor y gl < gg; solo el ' +
      'líquido es estable.',
    verdictBelow: 'Por debajo de la presión de vapor: el área sobre la línea es mayor y gg < gl; solo el ' +
      'gas es estable.',
    trialDescription: 'Línea de prueba a p = {p}: diferencia de áreas {difference}, gl − gg = {gibbs}.',
    entropies: 'sl, sg (R)',
    enthalpies: 'hl, hg (8a/27b)',
    gibbsEnergies: 'gl, gg (8a/27b)',
    criticalNote: 't = 1 es la isoterma crítica: tiene una inflexión horizontal en v = 1, p = 1, donde ' +
      'líquido y gas son lo mismo. No hay lazo ni línea de equilibrio.',
    aboveNote: 'Por encima de la temperatura crítica la isoterma baja a todo volumen: no hay lazo, ni dos ' +
      'fases, ni línea de equilibrio.',
    tableRow: 'fila de la tabla',
    noRow: 'ninguna (la tabla llega a t = 0.999)',
    cIndependent: 'No dependen de c: p, vl, vg y el calor latente. c solo entra en términos que dependen ' +
      'solo de t (c·t en u y en h, c·ln t en s), iguales en las dos fases a una misma t, que se cancelan ' +
      'en gl − gg, que fija el equilibrio, y en hg − hl.',
    commaNote: 'Se ha leído «{typed}» como c = {c}, como lo lee el programa: el separador decimal es el ' +
      'punto. Para c = {fixed}, escriba {fixed}.',
    announceRow: 't = {t}: p = {p}, vl = {vl}, vg = {vg}',
    summary: 'p = {p} · vl = {vl} · vg = {vg} · {shares}',
    columnsHeading: 'Qué dice cada columna',
    savePng: 'Guardar PNG',
    coexColumns: [
      ['t', 'Temperatura reducida T/Tcr'],
      ['p vapor', 'Presión de vapor (equilibrio líquido–gas), P/Pcr'],
      ['v líquido', 'Volumen del líquido en equilibrio, V/Vcr'],
      ['v gas', 'Volumen del gas en equilibrio, V/Vcr'],
      ['v líq. máx', 'Límite de estabilidad del líquido: volumen máximo'],
      ['p líq. mín', 'Presión en el límite de estabilidad del líquido'],
      ['v gas mín', 'Límite de estabilidad del gas: volumen mínimo'],
      ['p gas máx', 'Presión en el límite de estabilidad del gas'],
      ['hg − hl', 'Calor latente hg − hl, en unidades de 8a/27b'],
    ],
  },
  en: {
    title: 'vdwcoex: phase transition of a van der Waals fluid',
    heading: 'Phase transition of a van der Waals fluid',
    intro: 'This program computes vl, vg, sl, sg, hl, hg and the latent heat of an ideal van der ' +
      'Waals fluid, in reduced variables (t = T/Tcr, p = P/Pcr, v = V/Vcr), for every t from ' +
      '0.999 to 0.501.',
    otherLanguage: 'Español',
    otherLanguageLabel: 'Leer esta página en español',
    cLabel: 'Type the constant c (Cv = cR):',
    run: 'Compute',
    hint: 'The decimal separator is the point: "1,5" reads as 1. Without a number, c = 1.5.',
    loading: 'Loading the program…',
    noScript: 'This page needs JavaScript.',
    ready: 'Ready: type c and press Enter or Compute.',
    computing: 'Computing…',
    done: 'c = {c} · {rows} temperatures · computed and shown in {ms} ms',
    missing: 'The program (vdwcoex.js) could not be loaded. Copy the whole folder and open ' +
      'index.html from it.',
    noWasm: 'This browser has no WebAssembly: use a recent Firefox, Chrome, Edge or Safari.',
    startFailed: 'The program could not start: {error}',
    trapped: 'The program failed ({error}) and has been loaded again: please try again.',
    pageError: 'Error in the page: {error}',
    chartsMissing: 'The charting library could not be loaded: the diagrams are not shown.',
    filesHeading: 'Files',
    coexFile: 'Download vdw_coex.dat (coexistence table)',
    propFile: 'Download clatente.dat (property table)',
    coexCsv: 'Download vdw_coex.csv (coexistence, for spreadsheets)',
    propCsv: 'Download clatente.csv (properties, for spreadsheets)',
    workbookFile: 'Download vdwcoex.xlsx (both tables in one workbook: Excel or LibreOffice in any language)',
    workbookFailed: 'vdwcoex.xlsx could not be made: {error}',
    cNaN: 'c = {c} is not a number: the pressures and volumes hold, but the entropies, ' +
      'enthalpies, energies and latent heat come out "nan". The files are the program\'s.',
    cInfinite: 'c = {c} is infinite: the pressures and volumes hold, but the entropies, ' +
      'enthalpies and energies are infinite and the latent heat comes out "nan".',
    cLarge: 'c = {c} is so large that the latent heat, a difference of two numbers as large as c, ' +
      'can lose its last digit; the pressures and volumes hold. The files are the program\'s.',
    cNotPositive: 'c = {c} is not positive: a real fluid has Cv = cR > 0. Pressures, volumes ' +
      'and the latent heat hold; the entropies and energies describe no real fluid.',
    maxwellHeading: 'Maxwell construction',
    maxwellIntro: 'The van der Waals isotherm at the chosen t, with the tie line at the vapour ' +
      'pressure: the two areas between them are equal (on the linear axis, to the eye too). Move the ' +
      'line to another pressure and see why it is where it is: the areas and the Gibbs energies of ' +
      'the liquid and the gas stop agreeing together. Choose t (up to 1.2, above the critical point) ' +
      'with the slider, the number or a row of the coexistence table.',
    tRange: 'Temperature t',
    tNumber: 't =',
    readoutHeading: 'At t = {t}',
    pressure: 'vapour p',
    liquidVolume: 'liquid v',
    gasVolume: 'gas v',
    latentHeat: 'latent heat hg − hl',
    areaLiquid: 'area below the line (liquid side)',
    areaGas: 'area above the line (gas side)',
    areaDifference: 'difference of the areas',
    leverLabel: 'Overall volume v on the tie line:',
    leverResult: 'liquid {liquid} %, gas {gas} % (lever rule)',
    leverHint: 'Drag the point along the line or type v between vl and vg.',
    stable: 'stable',
    metastable: 'metastable',
    unstable: 'unstable',
    tieLine: 'tie line',
    limits: 'stability limits',
    operatingPoint: 'operating point',
    maxwellChart: 'Isotherm t = {t}',
    maxwellDescription: 'Isotherm t = {t}: stable liquid up to v = {vl}, metastable up to the ' +
      'limit v = {vlmax} (p = {plmin}), unstable up to v = {vgmin} (p = {pgmax}), metastable up ' +
      'to v = {vg} and stable gas beyond; tie line at p = {p} from vl to vg; areas {areaLiquid} ' +
      'and {areaGas}.',
    diagramHeading: 'Phase diagram',
    pvChart: 'p–v plane',
    ptChart: 'p–t plane',
    heatChart: 'Latent heat (in 8a/27b)',
    vAxis: 'v = V/Vcr',
    pAxis: 'p = P/Pcr',
    tAxis: 't = T/Tcr',
    heatAxis: '(hg − hl)·27b/8a',
    isotherm: 't = {t}',
    critical: 'critical point',
    coexistence: 'coexistence (vl, vg)',
    spinodal: 'spinodal (vl max, vg min)',
    vapourPressure: 'vapour pressure',
    gasLimit: 'p gas max (gas limit)',
    liquidLimit: 'p liq. min (liquid limit; falls to −4)',
    pvDescription: 'p–v plane: coexistence curve from v = {vlLow} to {vgLow} at t = 0.501, ' +
      'closing at the critical point (v = 1, p = 1); the spinodal inside it; isotherms from 0.7 to 1.',
    ptDescription: 'p–t plane: vapour pressure from {pLow} at t = 0.501 to {pHigh} at t = 0.999, ' +
      'between the gas and liquid limits.',
    heatDescription: 'Latent heat: from {high} at t = 0.501 to {low} at t = 0.999; it vanishes ' +
      'at the critical point.',
    propertiesHeading: 'Properties of the phases (clatente.dat)',
    propertiesIntro: 'They depend on c: try another value and watch them move; the curves of the c before stay, faint.',
    quantity: 'Quantity in the chart',
    entropy: 'entropy s/R',
    enthalpy: 'enthalpy h·27b/8a',
    limitRows: 'Also show the rows at the stability limits',
    propertiesChart: '{quantity} of the coexisting phases',
    sLiquid: 'sl (liquid)',
    sGas: 'sg (gas)',
    hLiquid: 'hl (liquid)',
    hGas: 'hg (gas)',
    propertiesDescription: '{quantity} at coexistence, c = {c}: liquid from {liquidLow} to ' +
      '{liquidHigh}, gas from {gasLow} to {gasHigh}, from t = 0.501 to 0.999.{before}',
    noData: 'No data: compute first.',
    coexistenceHeading: 'Liquid–gas coexistence (vdw_coex.dat)',
    coexistenceTable: 'Coexistence table: click a row to see its Maxwell construction',
    propertiesTable: 'Property table',
    traceHeading: 'Search at t = 0.95',
    traceIntro: 'Midpoints of the search for the liquid\'s stability limit.',
    traceLabel: 'Trace of the search',
    state: 'state',
    stateEq: 'coexistence',
    stateLimliq: 'liquid limit',
    stateLimgas: 'gas limit',
    chosenT: 'chosen t',
    vAxisLog: 'v = V/Vcr (logarithmic scale)',
    tsChart: 't–s plane: the coexistence dome',
    tsDescription: 't–s plane, c = {c}: entropies of the coexisting liquid and gas; at t = 0.501 ' +
      'sl = {slLow} and sg = {sgLow}, meeting at {sHigh} near the critical point. Another c shifts the ' +
      'whole dome without changing its width, sg − sl.',
    previousC: ' Faint: the c before, {c}.',
    gibbsHeading: 'Gibbs energy along the isotherm',
    gibbsChart: 'g against p on the isotherm t = {t}',
    gibbsAxis: 'g·27b/8a',
    gibbsCrossing: 'crossing at the vapour pressure',
    gibbsGap: 'gl and gg at the trial pressure',
    gibbsDescription: 'g against p on the isotherm t = {t}: the liquid, unstable and gas branches form a ' +
      'swallowtail between p = {plmin} and {pgmax}; liquid and gas have the same g only at p = {p}, the ' +
      'vapour pressure; above it the liquid\'s is lower, below it the gas\'s.',
    gibbsAboveDescription: 'g against p on the isotherm t = {t}: one branch, no crossing: there are no two phases.',
    noCoexistence: 'isotherm (no coexistence)',
    trialLine: 'line at the trial pressure',
    tInvalid: 't must be a number from 0.501 to 1.2 (with a decimal point or comma); nothing was changed.',
    vInvalid: 'v must be a number from vl = {vl} to vg = {vg}; nothing was changed.',
    play: 'Play t',
    stop: 'Stop',
    logAxis: 'logarithmic volume axis',
    logNote: 'On a logarithmic axis equal areas do not look equal: it stretches small volumes and ' +
      'squeezes large ones. Only on the linear axis is the drawn area the integral of p dv.',
    readoutEmpty: 'Readouts (compute first)',
    unitsNote: 's in units of R, with s = 0 at t = 1 and v = 2/3 (V − b = b); h, g and u in 8a/27b = R·Tcr, ' +
      'with u = 0 for the gas at t = 0 and infinite volume. They are relative to that state: they can be negative.',
    trialLabel: 'Trial pressure of the line (drag it on the chart or use the arrow keys):',
    trialReset: 'Back to the vapour pressure',
    trialPressure: 'trial p',
    gibbsDifference: 'gl − gg at the ends',
    verdictAt: 'At the vapour pressure the areas are equal and gl = gg: the two phases coexist.',
    verdictAbove: 'Above the vapour pressure: the area below the line is larger and gl < gg; only the ' +
      'liquid is stable.',
    verdictBelow: 'Below the vapour pressure: the area above the line is larger and gg < gl; only the ' +
      'gas is stable.',
    trialDescription: 'Trial line at p = {p}: difference of the areas {difference}, gl − gg = {gibbs}.',
    entropies: 'sl, sg (R)',
    enthalpies: 'hl, hg (8a/27b)',
    gibbsEnergies: 'gl, gg (8a/27b)',
    criticalNote: 't = 1 is the critical isotherm: it has a horizontal inflection at v = 1, p = 1, where ' +
      'liquid and gas are the same. There is no loop and no tie line.',
    aboveNote: 'Above the critical temperature the isotherm falls at every volume: there is no loop, no two ' +
      'phases and no tie line.',
    tableRow: 'table row',
    noRow: 'none (the table ends at t = 0.999)',
    cIndependent: 'Independent of c: p, vl, vg and the latent heat. c enters only through terms in t alone ' +
      '(c·t in u and h, c·ln t in s), the same in both phases at one t, which cancel in gl − gg, which ' +
      'decides the equilibrium, and in hg − hl.',
    commaNote: '"{typed}" was read as c = {c}, as the program reads it: the decimal separator is the ' +
      'point. For c = {fixed}, type {fixed}.',
    announceRow: 't = {t}: p = {p}, vl = {vl}, vg = {vg}',
    summary: 'p = {p} · vl = {vl} · vg = {vg} · {shares}',
    columnsHeading: 'What each column says',
    savePng: 'Save PNG',
    coexColumns: [
      ['t', 'Reduced temperature T/Tcr'],
      ['vapour p', 'Vapour pressure (liquid–gas equilibrium), P/Pcr'],
      ['liquid v', 'Volume of the coexisting liquid, V/Vcr'],
      ['gas v', 'Volume of the coexisting gas, V/Vcr'],
      ['liq. v max', 'Liquid stability limit: largest volume'],
      ['liq. p min', 'Pressure at the liquid stability limit'],
      ['gas v min', 'Gas stability limit: smallest volume'],
      ['gas p max', 'Pressure at the gas stability limit'],
      ['hg − hl', 'Latent heat hg − hl, in units of 8a/27b'],
    ],
  },
};
