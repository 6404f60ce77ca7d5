"""The CSV tables of a run against its .dat reports.

    python3 check_csv.py FOLDER [--pandas]

FOLDER holds vdw_coex.dat, clatente.dat, vdw_coex.csv and clatente.csv of one
run. Every cell must carry the digits of the report's field, the placeholder
gas volume (300) and what is computed from it must be empty, and the headers
must name the columns. With --pandas the files must also load in pandas with
every column but the state as numbers.
"""
import csv
import sys
from pathlib import Path

from report_tables import COEX_HEADER, PROP_HEADER, property_cells, report_rows

folder = Path(sys.argv[1])
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def csv_rows(name):
    raw = (folder / name).read_bytes()
    check(b"\r\n\r\n" not in raw and not raw.startswith(b" "), f"{name}: a blank line or leading blank")
    with open(folder / name, newline="", encoding="utf-8") as f:
        return list(csv.reader(f))


coex = csv_rows("vdw_coex.csv")
check(coex[0] == COEX_HEADER, f"vdw_coex.csv header {coex[0]}")
dat = report_rows(folder / "vdw_coex.dat")
check(len(dat) == 499 and coex[1:] == dat, "vdw_coex.csv rows differ from vdw_coex.dat")

prop = csv_rows("clatente.csv")
check(prop[0] == PROP_HEADER, f"clatente.csv header {prop[0]}")
dat = report_rows(folder / "clatente.dat")
check(len(dat) == 1497 and len(prop) == 1498, f"clatente.csv has {len(prop) - 1} rows")
placeholders = 0
for row, fields in zip(prop[1:], dat):
    expected = property_cells(fields)
    placeholders += expected[4] == ""
    check(row == expected, f"clatente.csv row {row} for {fields}")
# From t = 0.844 down the liquid-limit pressure is negative: no gas there.
check(placeholders == 344, f"{placeholders} placeholder rows")

if "--pandas" in sys.argv:
    import pandas as pd

    for name, header in (("vdw_coex.csv", COEX_HEADER), ("clatente.csv", PROP_HEADER)):
        frame = pd.read_csv(folder / name)
        check(list(frame.columns) == header, f"pandas: {name} columns")
        numeric = frame.drop(columns=["state"], errors="ignore")
        check(all(str(kind) == "float64" for kind in numeric.dtypes), f"pandas: {name} {numeric.dtypes}")
    frame = pd.read_csv(folder / "clatente.csv")
    check(frame["v_gas"].isna().sum() == 344, "pandas: empty cells are not missing values")

if failures:
    print("\n".join(failures[:10]))
    sys.exit(1)
print("CSV tables match the reports" + (" (and load in pandas)" if "--pandas" in sys.argv else ""))
