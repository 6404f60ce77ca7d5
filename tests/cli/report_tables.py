"""The reports read back for the tests: their rows, and the cells the CSV
tables and the workbook must hold for them. The tests' one reader of report
rows in Python."""
from pathlib import Path

COEX_HEADER = ["t", "p", "v_liquid", "v_gas", "v_liquid_max", "p_liquid_min", "v_gas_min",
               "p_gas_max", "latent_heat_8a_per_27b"]
PROP_HEADER = ["t", "state", "p", "v_liquid", "v_gas", "s_liquid_per_R", "s_gas_per_R",
               "h_liquid_8a_per_27b", "h_gas_8a_per_27b", "g_liquid_8a_per_27b",
               "g_gas_8a_per_27b", "u_liquid_8a_per_27b", "u_gas_8a_per_27b"]
STATES = {"eq": "coexistence", "limliq": "liquid_limit", "limgas": "gas_limit"}
GAS_CELLS = [4, 6, 8, 10, 12]  # v_gas and what is computed from it


def report_rows(path: Path):
    """The rows after the line of "=", each as its printed fields."""
    lines = path.read_bytes().decode("latin-1").split("\r\n")
    rule = next(i for i, line in enumerate(lines) if line and set(line) == {"="})
    return [line.split() for line in lines[rule + 1:] if line.strip()]


def property_cells(fields):
    """A clatente.dat row as its table shows it: the state named, and the
    placeholder gas volume (300) and what is computed from it empty."""
    cells = [fields[0], STATES[fields[1]]] + fields[2:]
    if fields[1] == "limliq" and fields[4] == "300.000000":
        for i in GAS_CELLS:
            cells[i] = ""
    return cells
