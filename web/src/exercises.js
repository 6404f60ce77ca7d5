// The guided exercises, kept as data in web/exercises.json: what each sets
// on the page, its question and its explanation. Here only what their
// answers are, each computed by the program when asked.
import EXERCISES from '../exercises.json' with { type: 'json' };

export { EXERCISES };

// The program's state at t with Cv = cR, unrounded.
const stateAt = (program, t, c) => program.stateAt(t, c);

// The fluid an exercise names, by its key: its index among the program's.
export function fluidIndex(program, key) {
  return program.substances.findIndex((fluid) => fluid.key === key);
}

// The reduced t an exercise sets: its t, or its T (K) of its substance.
export function exerciseT(program, exercise) {
  const set = exercise.set;
  if (set.T !== undefined)
    return set.T / program.substances[fluidIndex(program, set.substance)].tc;
  return set.t;
}

// What the program gives for the exercise's question, with Cv = cR.
const ANSWERS = {
  vapourPressure: (program, exercise, c) => stateAt(program, exerciseT(program, exercise), c).state.p,
  stablePhaseAbove: (program, exercise, c) => {
    const s = stateAt(program, exerciseT(program, exercise), c).state;
    const line = program.trialLine(s, s.p + exercise.set.trialAbove, c);
    return line.gl < line.gg ? 'liquid' : 'gas';
  },
  liquidShare: (program, exercise, c) => {
    const s = stateAt(program, exerciseT(program, exercise), c).state;
    return 100 * (1 - program.gasFraction(exercise.set.v, s.vl, s.vg));
  },
  gasVolumeCm3: (program, exercise, c) => 1e6 * program.toSi(fluidIndex(program, exercise.set.substance), 'v',
    stateAt(program, exerciseT(program, exercise), c).state.vg),
  liquidVolumeCm3: (program, exercise, c) => 1e6 * program.toSi(fluidIndex(program, exercise.set.substance), 'v',
    stateAt(program, exerciseT(program, exercise), c).state.vl),
  latentDependsOnC: (program, exercise) => {
    const t = exerciseT(program, exercise);
    const [a, b] = [1.5, 4.5].map((c) => stateAt(program, t, c).latent);
    return Math.abs(a - b) <= 1e-9 * Math.abs(a) ? 'no' : 'yes';
  },
  boilingKelvin: (program, exercise, c) =>
    program.boilingAt(fluidIndex(program, exercise.set.substance), 101325, c).temperature,
};

// The expected answer: a number or a choice's value.
export function expectedAnswer(program, exercise, c) {
  const answer = exercise.answer;
  return ANSWERS[answer.number || answer.choice](program, exercise, c);
}

// Whether a reply (a number, or a choice's value) is right.
export function isRight(exercise, reply, expected) {
  const answer = exercise.answer;
  if (answer.choice)
    return reply === expected;
  const tolerance = answer.tolerance !== undefined ? answer.tolerance : answer.relativeTolerance * Math.abs(expected);
  return Number.isFinite(reply) && Math.abs(reply - expected) <= tolerance;
}

// Exercises drawn afresh. A generator of numbers in [0, 1) from a 32-bit
// seed (mulberry32): one seed gives one sequence, on every browser.
export function seeded(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let x = Math.imul(a ^ (a >>> 15), a | 1);
    x ^= x + Math.imul(x ^ (x >>> 7), x | 61);
    return ((x ^ (x >>> 14)) >>> 0) / 4294967296;
  };
}

// The seed of draw `draw` (1, 2, …) of exercise `index` from a class's seed.
export function drawSeed(seed, index, draw) {
  return (Math.imul(seed >>> 0, 7919) + Math.imul(index + 1, 104729) + Math.imul(draw, 1299709)) >>> 0;
}

// The exercise with new numbers within the ranges it gives (`vary`): a t of
// the table in hundredths, a substance of its list (at a t in hundredths,
// as a whole T in kelvin), a volume on the tie line at a share of it in
// hundredths of v; as written where the seed is null. The same seed draws
// the same numbers.
export function drawExercise(program, exercise, seed, c = 1.5) {
  if (seed === null || seed === undefined || !exercise.vary)
    return exercise;
  const random = seeded(seed), vary = exercise.vary, set = Object.assign({}, exercise.set);
  const hundredths = ([low, high]) => {
    const from = Math.round(low * 100), to = Math.round(high * 100);
    return (from + Math.floor(random() * (to - from + 1))) / 100;
  };
  if (vary.substance)
    set.substance = vary.substance[Math.floor(random() * vary.substance.length)];
  if (vary.t && set.substance) {
    set.T = Math.round(program.toSi(fluidIndex(program, set.substance), 't', hundredths(vary.t)));
    delete set.t;
  } else if (vary.t) {
    set.t = hundredths(vary.t);
  }
  if (vary.vShare) {
    const s = stateAt(program, set.t, c).state, share = hundredths(vary.vShare);
    set.v = Math.round((s.vl + (s.vg - s.vl) * share) * 100) / 100;
  }
  return Object.assign({}, exercise, { set });
}

// A number as a question reads it in language `lang`: to six digits at
// most, with a decimal comma in Spanish.
export function spelt(x, lang) {
  const text = String(Number(x.toPrecision(6)));
  return lang === 'es' ? text.replace('.', ',') : text;
}

// The exercise's question or explanation in `lang`, its numbers and
// substance filled in ({answer}: the program's, once checked).
export function exerciseText(program, exercise, which, lang, answer) {
  const set = exercise.set;
  const fluid = set.substance ? program.substances[fluidIndex(program, set.substance)] : null;
  const name = fluid ? (lang === 'en' ? fluid.nameEn : fluid.nameEs) : '';
  const names = { t: set.t, v: set.v, T: set.T, substance: name, Substance: name.charAt(0).toUpperCase() + name.slice(1),
    measured: fluid ? fluid.refT.toFixed(2) : undefined, answer };
  return exercise[which][lang].replace(/\{(\w+)\}/g, (_, key) => {
    const value = names[key];
    if (typeof value === 'number')
      return key === 'answer' ? spelt(Number(value.toPrecision(3)), lang) : spelt(value, lang);
    return key === 'measured' && lang === 'es' ? value.replace('.', ',') : value;
  });
}

// The usual mistakes, each by its name: the answer it gives, worked out by
// the program (one or more numbers).
const MISTAKES = {
  // The pressure of a limit of stability, where the isotherm turns, read as the vapour pressure.
  limitPressure: (program, exercise, c) => {
    const s = stateAt(program, exerciseT(program, exercise), c).state;
    return [s.plmin, s.pgmax];
  },
  // The lever the wrong way round: the gas's share given as the liquid's.
  leverReversed: (program, exercise, c) => {
    const s = stateAt(program, exerciseT(program, exercise), c).state;
    return [100 * program.gasFraction(exercise.set.v, s.vl, s.vg)];
  },
  // The gas's volume given for the liquid's, and the other way round.
  gasForLiquid: (program, exercise, c) => [ANSWERS.gasVolumeCm3(program, exercise, c)],
  liquidForGas: (program, exercise, c) => [ANSWERS.liquidVolumeCm3(program, exercise, c)],
  // The reduced t given for the temperature in kelvin.
  reducedForKelvin: (program, exercise, c) =>
    [program.boilingAt(fluidIndex(program, exercise.set.substance), 101325, c).t],
};

// The answers each mistake of the exercise gives: { name: [numbers] }.
export function mistakenAnswers(program, exercise, c) {
  return Object.fromEntries((exercise.mistakes || []).map((name) => [name, MISTAKES[name](program, exercise, c)]));
}

// The usual mistake a wrong reply matches, within the exercise's tolerance
// around the mistaken answer; null where it is right or matches none.
export function mistakeIn(program, exercise, reply, expected, c) {
  if (exercise.answer.choice || isRight(exercise, reply, expected))
    return null;
  const answers = mistakenAnswers(program, exercise, c);
  return Object.keys(answers).find((name) => answers[name].some((x) => isRight(exercise, reply, x))) || null;
}
