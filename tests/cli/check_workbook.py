"""The workbook of a run against its .dat reports.

    python3 check_workbook.py FOLDER [--libreoffice SOFFICE]

FOLDER holds vdw_coex.dat, clatente.dat and vdwcoex.xlsx of one run. Read
with openpyxl, every number must be a number equal to the report's digits,
a nan the text the report prints, the state a text, the placeholder cells
empty, the two header rows frozen. With --libreoffice, LibreOffice in a Spanish locale
must read the same numbers: it writes them back with decimal commas, which
it does only for cells it took as numbers.
"""
import csv
import math
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

import openpyxl

from report_tables import COEX_HEADER, PROP_HEADER, property_cells, report_rows

folder = Path(sys.argv[1])
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def expected_tables():
    coex = report_rows(folder / "vdw_coex.dat")
    prop = [property_cells(fields) for fields in report_rows(folder / "clatente.dat")]
    check(len(coex) == 499 and len(prop) == 1497, "the reports' rows")
    return {"vdw_coex": (COEX_HEADER, coex), "clatente": (PROP_HEADER, prop)}


def same(cell, digits, number):
    """A workbook's cell against a report's field; `number` gives the number
    a cell holds, or None where it holds none."""
    if digits == "":
        return cell in (None, "")
    if digits == "coexistence" or digits.endswith("_limit") or math.isnan(float(digits)):
        return cell == digits
    return number(cell) == float(digits)


def compare(sheets, number, who):
    for name, (header, rows) in expected_tables().items():
        got = sheets.get(name)
        if got is None:
            check(False, f"{who}: no sheet {name}")
            continue
        check(list(got[0][:len(header)]) == header, f"{who}: {name} header {got[0]}")
        check(len(got) == len(rows) + 2, f"{who}: {name} has {len(got) - 2} rows")
        for cells, fields in zip(got[2:], rows):
            cells = list(cells) + [None] * (len(fields) - len(cells))
            if not all(same(cell, digits, number) for cell, digits in zip(cells, fields)):
                check(False, f"{who}: {name} row {cells} for {fields}")
                break


book = openpyxl.load_workbook(folder / "vdwcoex.xlsx")
check(book.sheetnames == ["vdw_coex", "clatente", "about"], f"sheets {book.sheetnames}")
sheets = {name: [tuple(c.value for c in row) for row in book[name].iter_rows()] for name in book.sheetnames}
compare(sheets, lambda cell: cell if isinstance(cell, (int, float)) else None, "openpyxl")
for name in ("vdw_coex", "clatente"):
    check(book[name].freeze_panes == "A3", f"{name}: header rows not frozen")
about = dict(sheets["about"])
c_shown = re.search(r"c = (\S+)", (folder / "vdw_coex.dat").read_text(encoding="latin-1")).group(1)
c_cell = about.get("c")
check((c_cell == c_shown if math.isnan(float(c_shown)) else c_cell == float(c_shown))
      and str(about.get("program", "")).startswith("vdwcoex "), f"about: {about}")

if "--libreoffice" in sys.argv:
    soffice = sys.argv[sys.argv.index("--libreoffice") + 1]
    with tempfile.TemporaryDirectory() as scratch:
        env = dict(os.environ, LANG="es_ES.UTF-8", LC_ALL="es_ES.UTF-8", LANGUAGE="es")
        # Every sheet to a CSV of its own (-1), ';' between fields, values
        # rather than the formatted text.
        subprocess.run([soffice, "--headless", f"-env:UserInstallation=file://{scratch}/profile",
                        "--convert-to", "csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,false,false,false,-1",
                        "--outdir", scratch, str(folder / "vdwcoex.xlsx")],
                       env=env, check=True, capture_output=True, timeout=300)
        read = {}
        for name in ("vdw_coex", "clatente"):
            with open(Path(scratch) / f"vdwcoex-{name}.csv", newline="", encoding="utf-8") as f:
                read[name] = [tuple(row) for row in csv.reader(f, delimiter=";")]

        def spanish(cell):
            try:
                return None if "." in cell else float(cell.replace(",", "."))
            except ValueError:
                return None
        compare(read, spanish, "LibreOffice (es_ES)")

if failures:
    print("\n".join(failures[:10]))
    sys.exit(1)
print("the workbook matches the reports" + (" (and in LibreOffice, Spanish)" if "--libreoffice" in sys.argv else ""))
