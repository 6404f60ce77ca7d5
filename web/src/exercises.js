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
