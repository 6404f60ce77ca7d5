"""The notebook's first cell, which finds the tables, run on its own as
Jupyter runs it from a folder:

    python3 notebook_first_cell.py NOTEBOOK PROGRAM

- with neither the module nor the program to be found, it stops with an
  error that names both and says how to get them (it once ended in a bare
  StopIteration);
- with the program named by $VDWCOEX, it takes the tables from it.
"""
import json
import os
import subprocess
import sys
import tempfile
from pathlib import Path

notebook, program = Path(sys.argv[1]), sys.argv[2]
cell = "".join(json.loads(notebook.read_text(encoding="utf-8"))["cells"][1]["source"])
failed = []
with tempfile.TemporaryDirectory(prefix="vdwcoex-notebook-") as scratch:
    # No module or program near the folder, on the PATH or in a user's site.
    folder = Path(scratch) / "examples"
    folder.mkdir()
    base = {key: value for key, value in os.environ.items()
            if key not in ("PYTHONPATH", "VDWCOEX", "PYTHONHOME")}
    # A module that cannot be imported stands in front of any installed one.
    shadow = Path(scratch) / "shadow"
    shadow.mkdir()
    (shadow / "vdwcoex.py").write_text("raise ImportError('not installed here')\n")
    base.update(HOME=scratch, PATH="/usr/bin:/bin", PYTHONPATH=str(shadow))

    def first_cell(**extra):
        return subprocess.run([sys.executable, "-c", cell], cwd=folder, env=dict(base, **extra),
                              capture_output=True, text=True, timeout=60)

    run = first_cell()
    if run.returncode == 0 or "StopIteration" in run.stderr:
        failed.append(f"with nothing to be found: status {run.returncode}\n{run.stderr[-1500:]}")
    for words in ("Neither the Python module vdwcoex nor the program vdwcoex", "quick start",
                  "pip install .", "VDWCOEX"):
        if words not in run.stderr:
            failed.append(f"with nothing to be found, the error does not say {words!r}:\n{run.stderr[-800:]}")
    run = first_cell(VDWCOEX=program)
    if run.returncode != 0 or "tables from the program" not in run.stdout:
        failed.append(f"with VDWCOEX={program}: status {run.returncode}\n{run.stdout}{run.stderr[-1500:]}")
print("\n".join(failed) or "the first cell says what is missing, and finds the program named")
sys.exit(1 if failed else 0)
