"""A cubic equation's tables of one run against the equation itself.

    python3 check_equation.py FOLDER EOS REFERENCE

FOLDER holds EOS_coex.csv and EOS_clatente.csv, and with a fluid
EOS_coex_si.csv and EOS_clatente_si.csv. The equation's constants come from
REFERENCE (tests/data/cubic_reference.tsv, worked out apart from the
program), its acentric factor from the header. Each row must lie on the
equation: p(t, v Zc) is the row's p at both volumes, to the digits printed
(the isotherm's slope times half the last digit of v), and the liquid limit
is where the isotherm has its minimum; the two phases' Gibbs energies are
equal, the latent heat is hg - hl; and every SI cell is the reduced one
times its unit, Vc being the equation's own Zc R Tc/pc.
"""
import csv
import math
import re
import sys
from pathlib import Path

folder, eos, reference = Path(sys.argv[1]), sys.argv[2], Path(sys.argv[3])
failures = []


def fail(message):
    if len(failures) < 10:
        print(message)
    failures.append(message)


def table(name):
    """The header lines and the rows, as dicts of floats, of a CSV file."""
    lines = (folder / name).read_text(encoding="utf-8").splitlines()
    header = [line[2:] for line in lines if line.startswith("# ")]
    reader = csv.DictReader(line for line in lines if not line.startswith("#"))
    return header, [{k: float(v) for k, v in row.items()} for row in reader]


constants = {}
for line in reference.read_text().splitlines():
    cells = line.split("\t")
    if len(cells) == 4 and cells[0] == eos:
        constants = {"omega_a": float(cells[1]), "omega_b": float(cells[2]), "zc": float(cells[3])}
omega_a, b, zc = constants["omega_a"], constants["omega_b"], constants["zc"]
d1, d2 = {"vdw": (0, 0), "rk": (1, 0), "srk": (1, 0), "pr": (1 + math.sqrt(2), 1 - math.sqrt(2))}[eos]

header, coexistence = table(f"{eos}_coex.csv")
_, properties = table(f"{eos}_clatente.csv")
said = " ".join(header)
stated_zc = float(re.search(r"Zc = ([0-9.e+-]+)", said).group(1))
if abs(stated_zc - zc) > 1e-8:
    fail(f"the header says Zc = {stated_zc}, the equation's is {zc}")
omega = float(re.search(r"omega = ([0-9.e+-]+)", said).group(1)) if eos in ("srk", "pr") else 0
m = {"srk": 0.480 + 1.574 * omega - 0.176 * omega ** 2,
     "pr": 0.37464 + 1.54226 * omega - 0.26992 * omega ** 2}.get(eos, 0)


def alpha(t):
    if eos == "vdw":
        return 1
    if eos == "rk":
        return 1 / math.sqrt(t)
    return (1 + m * (1 - math.sqrt(t))) ** 2


def pressure(t, w):
    return t / (w - b) - omega_a * alpha(t) / ((w + d1 * b) * (w + d2 * b))


def slope(t, w, h=1e-7):
    return (pressure(t, w * (1 + h)) - pressure(t, w * (1 - h))) / (2 * w * h)


half_digit = 0.5e-6
if len(coexistence) != 499 or len(properties) != 499:
    fail(f"{len(coexistence)} and {len(properties)} rows, not 499")
for row, props in zip(coexistence, properties):
    t, p = row["t"], row["p"]
    for name in ("v_liquid", "v_gas"):
        w = row[name] * zc
        allowed = abs(slope(t, w)) * half_digit * zc * 1.01 + half_digit + 1e-9
        if abs(pressure(t, w) - p) > allowed:
            fail(f"t = {t}: p({name}) = {pressure(t, w)}, the row's p {p} (allowed {allowed:.2g})")
    w_max = row["v_liquid_max"] * zc
    if abs(pressure(t, w_max) - row["p_liquid_min"]) > 2e-6 or abs(slope(t, w_max)) * half_digit * zc > 1e-3:
        fail(f"t = {t}: the liquid limit {w_max} is not the isotherm's minimum {row['p_liquid_min']}")
    if abs(props["g_liquid_per_RTc"] - props["g_gas_per_RTc"]) > 2.01e-6:
        fail(f"t = {t}: gl {props['g_liquid_per_RTc']} and gg {props['g_gas_per_RTc']} differ")
    if abs(props["h_gas_per_RTc"] - props["h_liquid_per_RTc"] - row["latent_heat_per_RTc"]) > 3.01e-6:
        fail(f"t = {t}: the latent heat {row['latent_heat_per_RTc']} is not hg - hl")
    if (props["t"], props["p"], props["v_liquid"]) != (t, p, row["v_liquid"]):
        fail(f"t = {t}: the two tables' rows are not the same state")

if (folder / f"{eos}_coex_si.csv").exists():
    si_header, si_coexistence = table(f"{eos}_coex_si.csv")
    _, si_properties = table(f"{eos}_clatente_si.csv")
    # The first of each: "Vc = Zc R Tc / pc = ..." states Vc, not pc.
    found = {}
    for key, value in re.findall(r"\b(Tc|pc|R) = ([0-9.e+-]+)", " ".join(si_header)):
        found.setdefault(key, float(value))
    tc, pc, r = found["Tc"], found["pc"], found["R"]
    units = {"T": tc, "p": pc, "v": zc * r * tc / pc, "s": r, "h": r * tc, "g": r * tc, "u": r * tc, "latent": r * tc}
    for reduced, si in ((coexistence, si_coexistence), (properties, si_properties)):
        for row, si_row in zip(reduced, si):
            for (name, x), (si_name, y) in zip(row.items(), si_row.items()):
                unit = units[si_name.split("_")[0]]
                if abs(y / unit - x) > half_digit * 1.01 + 1e-8 * abs(x):
                    fail(f"{si_name} = {y} is not {name} = {x} times {unit}")

print(f"{eos}: {len(coexistence)} rows; {len(failures)} failures")
sys.exit(1 if failures else 0)
