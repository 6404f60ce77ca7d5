"""The SI tables of a run against its reduced CSV tables.

    python3 check_si.py FOLDER

FOLDER holds vdw_coex.csv, clatente.csv, vdw_coex_si.csv and clatente_si.csv
of one run with a substance, and nature_KEY.csv where it was asked for: its
model cells must be the reduced tables' (T, p, 1/v and the latent heat, to
the reduced tables' digits), its measured cells empty exactly below the
triple point the header states. The header lines must state Tc, pc and R; every
SI cell must be the reduced cell times its unit (Tc for t, pc for p, the van
der Waals Vc = 3 R Tc / (8 pc) for v, R for s, R Tc for h, g, u and the
latent heat), printed with nine significant digits; other cells as they are.
"""
import csv
import re
import sys
from pathlib import Path

folder = Path(sys.argv[1])
failures = []


def rows(name):
    with open(folder / name, newline="", encoding="utf-8") as f:
        return list(csv.reader(line for line in f if not line.startswith("#")))


header = [line for line in (folder / "vdw_coex_si.csv").read_text(encoding="utf-8").splitlines()
          if line.startswith("#")]
constants = dict(re.findall(r"\b(Tc|pc|R) = ([0-9.e+-]+)", " ".join(header)))
tc, pc, r = (float(constants[k]) for k in ("Tc", "pc", "R"))
vc = 3 * r * tc / (8 * pc)
unit = {"K": tc, "Pa": pc, "m3/mol": vc, "J/(mol K)": r, "J/mol": r * tc}
suffix = {"K": "_K", "Pa": "_Pa", "m3/mol": "_m3_per_mol", "J/(mol K)": "_J_per_mol_K", "J/mol": "_J_per_mol"}


def si_unit_of(reduced_name):
    """The SI unit of a reduced column, from the quantity its name says
    (t, p, v, s, or an energy: h, g, u, the latent heat); None for the state."""
    quantity = reduced_name.split("_")[0]
    return {"t": "K", "p": "Pa", "v": "m3/mol", "s": "J/(mol K)", "h": "J/mol", "g": "J/mol", "u": "J/mol",
            "latent": "J/mol"}.get(quantity)


for reduced_name, si_name in (("vdw_coex.csv", "vdw_coex_si.csv"), ("clatente.csv", "clatente_si.csv")):
    reduced, si = rows(reduced_name), rows(si_name)
    if len(reduced) != len(si):
        failures.append(f"{si_name}: {len(si)} rows, {len(reduced)} in {reduced_name}")
        continue
    factors = []
    for reduced_column, si_column in zip(reduced[0], si[0]):
        si_unit = si_unit_of(reduced_column)
        factors.append(unit[si_unit] if si_unit else None)
        # The SI column's name says the unit of the quantity it holds.
        if si_unit and not si_column.endswith(suffix[si_unit]):
            failures.append(f"{si_name}: column {si_column} for {reduced_column}, in {si_unit}")
    for reduced_row, si_row in zip(reduced[1:], si[1:]):
        for cell, got, factor in zip(reduced_row, si_row, factors):
            expected = cell if factor is None or cell == "" or not re.match(r"^-?[0-9]", cell) \
                else "%.9g" % (float(cell) * factor)
            if got != expected:
                failures.append(f"{si_name}: {got} for {cell} (expected {expected})")
                break
for nature in folder.glob("nature_*.csv"):
    table, coexistence = rows(nature.name), rows("vdw_coex.csv")
    names = table[0]
    triple = float(re.search(r"triple point ([0-9.]+) K", nature.read_text(encoding="utf-8")).group(1))
    if len(table) != len(coexistence):
        failures.append(f"{nature.name}: {len(table) - 1} rows, {len(coexistence) - 1} in vdw_coex.csv")
    column = {name: k for k, name in enumerate(coexistence[0])}
    for row, reduced in zip(table[1:], coexistence[1:]):
        cell = dict(zip(names, row))
        t = float(reduced[column["t"]])
        # Each model cell in reduced units against the reduced table's six decimals.
        pairs = ((float(cell["T_K"]) / tc, t), (float(cell["p_model_Pa"]) / pc, float(reduced[column["p"]])),
                 (1 / float(cell["rho_liquid_model_per_rhoc"]), float(reduced[column["v_liquid"]])),
                 (1 / float(cell["rho_vapour_model_per_rhoc"]), float(reduced[column["v_gas"]])),
                 (float(cell["latent_heat_model_J_per_mol"]) / (r * tc), float(reduced[column["latent_heat_8a_per_27b"]])))
        if any(abs(got - expected) > 5.01e-7 + 2e-8 * abs(expected) for got, expected in pairs):
            failures.append(f"{nature.name}: at t = {t}: {pairs}")
            break
        # Each phase's density over rhoc is its own density's: the two
        # columns of a kind stand in one ratio.
        for kind in ("model", "measured"):
            names_of = [f"rho_{phase}_{kind}_{unit}" for unit in ("kg_per_m3", "per_rhoc")
                        for phase in ("liquid", "vapour")]
            if cell[names_of[0]] == "":
                continue
            liquid_kg, vapour_kg, liquid_per, vapour_per = (float(cell[name]) for name in names_of)
            if abs(vapour_per / liquid_per - vapour_kg / liquid_kg) > 1e-7 * vapour_kg / liquid_kg:
                failures.append(f"{nature.name}: at t = {t} the {kind} densities over rhoc are not those in kg/m3")
                break
        if (cell["p_measured_Pa"] == "") != (t * tc < triple):
            failures.append(f"{nature.name}: at t = {t} ({t * tc} K) the measured cells are wrongly there or not")
            break

if not header or len(constants) != 3:
    failures.append(f"the header does not state Tc, pc and R: {header}")

if failures:
    print("\n".join(failures[:10]))
    sys.exit(1)
print("SI tables match the reduced ones through", constants)
